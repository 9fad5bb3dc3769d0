#include "world/world.h"

#include <algorithm>
#include <charconv>

namespace nibbo {

int StockFromText(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\n\v\f\r";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return 0;
    text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
    if (text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return 0;
    }
    // A number too large for 64 bits is no whole number either.
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return 0;
    return int(std::clamp<long long>(value, kMinStock, kMaxStock));
}

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
