// Nibbo's four actions and eleven sensors. The same actions serve a running program, hand control
// by keys and the replay of a recording; each caller decides what to do around a failure.
#pragma once

#include "language/program_model.h"
#include "world/world.h"
#include "world/world_paint.h"

#include <cstdint>

namespace nibbo {

enum class ActionResult : uint8_t {
    Done,
    RanIntoWall, // "Nibbo ist gegen eine Mauer gelaufen!"
    NoFood,      // "Es ist kein Futter vorhanden!"
    CellFull,    // "Das Feld ist bereits voll!"
    StockEmpty,  // "Der Vorrat ist alle!"
};

// The German message of a failed action (UTF-8), or "" for Done.
const char* ActionMessage(ActionResult result);

// What the actions work on: the current world, whose start fields are the figure's column, row
// and facing; the stock field; the surface they draw on; and the animation step that picks the
// figure's frame when it is drawn.
struct Stage {
    World& world;
    StockField& stock;
    WorldCanvas& canvas;
    int animationStep = 0;
};

struct CellPosition {
    int Column = 0;
    int Row = 0;
    friend bool operator==(const CellPosition&, const CellPosition&) = default;
};

// The neighbour of the figure's cell ahead, to the right and to the left of its facing.
CellPosition CellAhead(const World& world);
CellPosition CellRight(const World& world);
CellPosition CellLeft(const World& world);

// orientation := (orientation + 1) mod 4.
void TurnLeft(World& world);

// The actions; a failure changes nothing.
ActionResult Vor(Stage& stage);
ActionResult DreheLinks(Stage& stage);
ActionResult NimmAuf(Stage& stage);
ActionResult GibAb(Stage& stage);

// The action of an instruction symbol (sym_vor, sym_drehe_links, sym_nimm_auf, sym_gib_ab).
ActionResult DoAction(TSymbol instruction, Stage& stage);

// A sensor (vorne_frei .. ostwaerts); any other token reads false. Changes nothing.
bool EvaluateSensor(TFunktion sensor, const World& world, const StockField& stock);

} // namespace nibbo
