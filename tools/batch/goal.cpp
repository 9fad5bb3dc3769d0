#include "goal.h"

namespace nibbo::batch {

namespace {

std::string CellName(int32_t code) {
    if (code == kFreePath) return "Weg";
    if (code == kWall) return "Mauer";
    if (code >= 1 && code <= kMaxFood) return std::to_string(code) + " Futter";
    return "Code " + std::to_string(code);
}

std::string Place(int column, int row) {
    return "Feld (" + std::to_string(column) + ", " + std::to_string(row) + ")";
}

std::string Direction(int orientation) {
    static const char* const kNames[4] = {"Osten", "Norden", "Westen", "Süden"};
    return orientation >= 0 && orientation < 4 ? kNames[orientation]
                                               : "Richtung " + std::to_string(orientation);
}

} // namespace

std::vector<std::string> GoalDifferences(const World& world, int stock, const WorldRecord& goal) {
    std::vector<std::string> differences;
    if (!world.StartPlaced) {
        differences.push_back("Nibbo fehlt.");
    } else {
        if (world.StartColumn != goal.StartColumn || world.StartRow != goal.StartRow)
            differences.push_back("Nibbo steht auf " + Place(world.StartColumn, world.StartRow) +
                                  " statt auf " + Place(goal.StartColumn, goal.StartRow) + ".");
        if (world.Orientation != goal.Orientation)
            differences.push_back("Nibbo schaut nach " + Direction(world.Orientation) + " statt nach " +
                                  Direction(goal.Orientation) + ".");
    }
    if (stock != goal.Stock)
        differences.push_back("Nibbo trägt " + std::to_string(stock) + " Futter statt " +
                              std::to_string(goal.Stock) + ".");
    for (int row = 1; row <= kRows; ++row)
        for (int column = 1; column <= kColumns; ++column) {
            const int32_t found = world.Cells[CellIndex(column, row)];
            const int32_t wanted = goal.Cells[CellIndex(column, row)];
            if (found != wanted)
                differences.push_back(Place(column, row) + ": " + CellName(found) + " statt " +
                                      CellName(wanted) + ".");
        }
    return differences;
}

} // namespace nibbo::batch
