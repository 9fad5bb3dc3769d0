#include "world/world.h"

namespace nibbo {

int32_t CellAt(const World& world, int column, int row) {
    if (!InGrid(column, row)) return kWall;
    return world.Cells[CellIndex(column, row)];
}

void SetCell(World& world, int column, int row, int32_t code) {
    if (!InGrid(column, row)) return;
    world.Cells[CellIndex(column, row)] = code;
}

void ClearWorld(World& world) {
    world.StartPlaced = false;
    for (int c = 1; c <= kColumns; ++c)
        for (int r = 1; r <= kRows; ++r)
            SetCell(world, c, r, OnBorder(c, r) ? kWall : kFreePath);
}

void StoreWorld(const World& world, const StockField& stock, WorldRecord& stored) {
    stored.Cells = world.Cells;
    stored.StartColumn = world.StartColumn;
    stored.StartRow = world.StartRow;
    stored.Orientation = world.Orientation;
    stored.Stock = stock.ReadStock();
}

void RestoreWorld(const WorldRecord& stored, World& world, StockField& stock) {
    world.Cells = stored.Cells;
    world.StartColumn = stored.StartColumn;
    world.StartRow = stored.StartRow;
    if (world.StartColumn == 0) world.StartPlaced = false;
    world.Orientation = stored.Orientation;
    stock.WriteStock(stored.Stock);
    world.WorldModified = false;
}

} // namespace nibbo
