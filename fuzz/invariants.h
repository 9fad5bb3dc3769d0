// What the fuzz targets hold every reader to. A broken rule aborts with a line that names it, so
// that libFuzzer keeps the input that broke it. The checks are written from the rules of the
// language, the world and the compiled form, not from the code they check; only the words of the
// language and the texts of the messages are taken from where the program keeps them.
#pragma once

#include "language/program_model.h"
#include "language/scanner.h"
#include "world/actions.h"
#include "world/world.h"
#include "world/world_paint.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace nibbo::fuzz {

// Aborts with "invariant broken: <what>" on stderr.
[[noreturn]] void Broken(std::string_view what);

inline void Require(bool holds, std::string_view what) {
    if (!holds) Broken(what);
}

// The program text as the editor holds it: the lines joined with two-character line breaks, so
// that a one-based position p of the program is character p - 1 of this string.
std::string JoinedText(const SourceLines& lines);

// Every message line of the syntax check has the form "<line>: <known text>", the line one of the
// text's lines; a text without lines has the single message "kein Programm!".
void CheckMessages(const std::vector<std::string>& messages, const SourceLines& lines);

// A compiled condition as the language allows it: sensors, parentheses, "not", "and", "or" in
// infix order, with every parenthesis matched.
bool IsWellFormedCondition(const TBooleexp& condition);

// The value of a well-formed condition by the precedence of the language: parentheses, then "not"
// (each one negates), then "and", then "or"; `sensor` gives each sensor's value.
bool ReferenceValue(const TBooleexp& condition, const std::function<bool(TFunktion)>& sensor);

// The rules that the compiled form of a program that passed the check must satisfy: names, kinds,
// sections and their order, targets, calls that keep to the visibility of procedures, conditions,
// and selections that mark the statement's own words in the text.
void CheckCompiledProgram(const TProcTable& table, const SourceLines& lines);

// The cells of a world, current or stored: codes 0..10 and the border ring of walls.
void CheckCells(const Grid& cells, const char* when);

// A world the figure can act on: cell codes 0..10, the border ring of walls, a placed start inside
// it on a cell that is no wall, a facing 0..3, and a stock 0..250.
void CheckWorld(const World& world, int stock, const char* when);

// What one action can change: the figure's place and facing, the cell it stands on, the stock.
// Checked after every step or tick at a cost that does not grow with the run; the whole world is
// checked at the end.
struct FigureView {
    int32_t Column = 0;
    int32_t Row = 0;
    uint8_t Orientation = 0;
    int32_t Cell = 0;
    int Stock = 0;
    friend bool operator==(const FigureView&, const FigureView&) = default;
};
FigureView ViewOf(const Stage& stage);

// The figure inside the border ring on a cell that is no wall, a facing 0..3, a stock 0..250.
void CheckFigure(const FigureView& figure);

// A canvas that accepts only cells inside the grid and pictures that exist; anything else aborts.
class StrictCanvas : public WorldCanvas {
public:
    void FillPath(int column, int row) override;
    void DrawWallPicture(int column, int row) override;
    void DrawFoodPicture(int column, int row, int portions) override;
    void DrawFigurePicture(int column, int row, int image) override;
    int Calls = 0;
};

// A world for the run and the replay, made from bytes that follow the text in a fuzz input (after
// its first NUL byte): facing, stock, start, then one byte per interior cell. Missing bytes give
// free path; the result always satisfies CheckWorld.
struct FuzzedWorld {
    World world;
    int stock = 0;
};
FuzzedWorld WorldFromBytes(std::span<const uint8_t> bytes);

// Splits a fuzz input at its first NUL byte into the text and the bytes that describe a world.
struct TextAndWorld {
    std::string_view Text;
    std::span<const uint8_t> WorldBytes;
};
TextAndWorld SplitInput(const uint8_t* data, size_t size);

} // namespace nibbo::fuzz
