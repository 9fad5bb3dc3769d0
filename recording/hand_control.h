// Hand control: while a recording is in progress the keys N, G, V and D each perform one of the
// figure's actions at once and log the matching instruction line, so that the moves become a
// procedure text. Keys are told apart by their virtual-key code alone; the modifiers play no part.
#pragma once

#include "language/program_model.h"
#include "language/vocabulary.h"
#include "world/actions.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace nibbo {

// Virtual-key codes of the four keys (those of the capital letters).
inline constexpr int kKeyD = 68;
inline constexpr int kKeyG = 71;
inline constexpr int kKeyN = 78;
inline constexpr int kKeyV = 86;

// A line of a recording put together from words of the language when compiling, kept as a C
// string. A line too long for it does not compile.
class RecordingText {
public:
    constexpr RecordingText(std::initializer_list<std::string_view> parts) {
        size_t at = 0;
        for (const std::string_view part : parts) {
            for (const char ch : part) {
                if (at + 1 == std::size(text_)) throw "a recording line too long";
                text_[at++] = ch;
            }
        }
    }
    constexpr const char* Text() const { return text_; }

private:
    char text_[32] = {};
};

namespace recording_lines {
inline constexpr RecordingText kHeader = {Spelling(sym_procedure), " aufzeichnung", Spelling(sym_semicolon)};
inline constexpr RecordingText kBegin = {Spelling(sym_begin)};
inline constexpr RecordingText kEnd = {Spelling(sym_end), Spelling(sym_semicolon)};
} // namespace recording_lines

// The lines that frame a recording made by hand: the header the replay expects, with the name a
// new recording gets, and the end it stops at.
inline constexpr const char* kRecordingHead[] = {recording_lines::kHeader.Text(),
                                                 recording_lines::kBegin.Text()};
inline constexpr const char* kRecordingEnd = recording_lines::kEnd.Text();

// Shown when the figure is needed and none is placed.
inline constexpr const char* kNoFigureMessage = "Wo ist Nibbo?!";

// The instruction a key performs, or nothing for a key that does not act.
std::optional<TSymbol> HandKeyInstruction(int virtualKey);

// The line a key press logs for an instruction: two blanks, the instruction, ";".
std::string RecordingLine(TSymbol instruction);

// The instruction carried out on the figure, or nothing when no figure is placed: then nothing is
// read, changed or drawn. The editor can remove the figure at any time, and its last position
// stays in the world's start fields, so acting on them would move a figure nobody sees.
std::optional<ActionResult> ActOnPlacedFigure(TSymbol instruction, Stage& stage);

} // namespace nibbo
