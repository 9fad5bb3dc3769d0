#include "world/actions.h"

namespace nibbo {

namespace {

struct Step {
    int Column;
    int Row;
};

// Column and row step of each facing: east, north, west, south (screen up is north).
constexpr Step kSteps[4] = {{1, 0}, {0, -1}, {-1, 0}, {0, 1}};

// The neighbour of the figure's cell in a direction 0..3; any facing is read modulo 4, so that
// even a world with a facing the system never writes has a neighbour in the grid's plane.
CellPosition Neighbour(const World& world, int direction) {
    const Step step = kSteps[direction % 4];
    return {world.StartColumn + step.Column, world.StartRow + step.Row};
}

bool IsFreeCell(const World& world, CellPosition cell) {
    return CellAt(world, cell.Column, cell.Row) != kWall;
}

int32_t FigureCell(const World& world) {
    return CellAt(world, world.StartColumn, world.StartRow);
}

} // namespace

const char* ActionMessage(ActionResult result) {
    switch (result) {
    case ActionResult::Done:
        return "";
    case ActionResult::RanIntoWall:
        return "Nibbo ist gegen eine Mauer gelaufen!";
    case ActionResult::NoFood:
        return "Es ist kein Futter vorhanden!";
    case ActionResult::CellFull:
        return "Das Feld ist bereits voll!";
    case ActionResult::StockEmpty:
        return "Der Vorrat ist alle!";
    }
    return "";
}

CellPosition CellAhead(const World& world) {
    return Neighbour(world, world.Orientation);
}
CellPosition CellRight(const World& world) {
    return Neighbour(world, world.Orientation + 3);
}
CellPosition CellLeft(const World& world) {
    return Neighbour(world, world.Orientation + 1);
}

void TurnLeft(World& world) {
    world.Orientation = uint8_t((world.Orientation + 1) % 4);
}

ActionResult Vor(Stage& stage) {
    World& world = stage.world;
    const CellPosition ahead = CellAhead(world);
    // A cell outside the grid reads as a wall, so the figure never leaves it.
    if (!IsFreeCell(world, ahead)) return ActionResult::RanIntoWall;
    RedrawCell(world, stage.canvas, world.StartColumn, world.StartRow);
    world.StartColumn = ahead.Column;
    world.StartRow = ahead.Row;
    DrawFigure(world, stage.canvas, stage.animationStep);
    return ActionResult::Done;
}

ActionResult DreheLinks(Stage& stage) {
    RedrawCell(stage.world, stage.canvas, stage.world.StartColumn, stage.world.StartRow);
    TurnLeft(stage.world);
    DrawFigure(stage.world, stage.canvas, stage.animationStep);
    return ActionResult::Done;
}

ActionResult NimmAuf(Stage& stage) {
    World& world = stage.world;
    const int32_t code = FigureCell(world);
    // Only a cell with 1..9 portions gives food. The figure never stands on a wall, and a position
    // outside the grid reads as one, so nothing is ever taken from there.
    if (code < 1 || code > kMaxFood) return ActionResult::NoFood;
    SetCell(world, world.StartColumn, world.StartRow, code - 1);
    stage.stock.WriteStock(stage.stock.ReadStock() + 1);
    return ActionResult::Done;
}

ActionResult GibAb(Stage& stage) {
    World& world = stage.world;
    const int32_t code = FigureCell(world);
    // The full cell is checked before the stock, also when the stock is empty.
    if (code >= kMaxFood) return ActionResult::CellFull;
    if (stage.stock.ReadStock() <= 0) return ActionResult::StockEmpty;
    SetCell(world, world.StartColumn, world.StartRow, code + 1);
    stage.stock.WriteStock(stage.stock.ReadStock() - 1);
    return ActionResult::Done;
}

ActionResult DoAction(TSymbol instruction, Stage& stage) {
    switch (instruction) {
    case sym_vor:
        return Vor(stage);
    case sym_drehe_links:
        return DreheLinks(stage);
    case sym_nimm_auf:
        return NimmAuf(stage);
    case sym_gib_ab:
        return GibAb(stage);
    default:
        return ActionResult::Done;
    }
}

bool EvaluateSensor(TFunktion sensor, const World& world, const StockField& stock) {
    const int32_t code = FigureCell(world);
    switch (sensor) {
    case vorne_frei:
        return IsFreeCell(world, CellAhead(world));
    case rechts_frei:
        return IsFreeCell(world, CellRight(world));
    case links_frei:
        return IsFreeCell(world, CellLeft(world));
    case liegt_futter:
        return code > 0;
    case feld_leer:
        return code == kFreePath;
    case feld_voll:
        return code == kMaxFood;
    case hat_vorrat:
        return stock.ReadStock() > 0;
    case nordwaerts:
        return world.Orientation == North;
    case westwaerts:
        return world.Orientation == West;
    case suedwaerts:
        return world.Orientation == South;
    case ostwaerts:
        return world.Orientation == East;
    default:
        return false;
    }
}

} // namespace nibbo
