#include "goal.h"

namespace nibbo::batch {

namespace {

constexpr size_t kShownDifferences = 10;

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

// The cells of the grid among the given ones.
std::vector<CellPlace> InGrid(std::initializer_list<CellPlace> cells) {
    std::vector<CellPlace> inside;
    for (const CellPlace& cell : cells)
        if (nibbo::InGrid(cell.Column, cell.Row)) inside.push_back(cell);
    return inside;
}

} // namespace

std::vector<GoalDifference> GoalDifferences(const World& world, int stock, const WorldRecord& goal) {
    std::vector<GoalDifference> differences;
    const CellPlace figure{world.StartColumn, world.StartRow}, wanted{goal.StartColumn, goal.StartRow};
    if (!world.StartPlaced) {
        differences.push_back({"Nibbo fehlt.", InGrid({wanted})});
    } else {
        if (!(figure == wanted))
            differences.push_back({"Nibbo steht auf " + Place(figure.Column, figure.Row) + " statt auf " +
                                       Place(wanted.Column, wanted.Row) + ".",
                                   InGrid({figure, wanted})});
        if (world.Orientation != goal.Orientation)
            differences.push_back({"Nibbo schaut nach " + Direction(world.Orientation) + " statt nach " +
                                       Direction(goal.Orientation) + ".",
                                   InGrid({figure})});
    }
    if (stock != goal.Stock)
        differences.push_back(
            {"Nibbo trägt " + std::to_string(stock) + " Futter statt " + std::to_string(goal.Stock) + ".",
             {}});
    for (int row = 1; row <= kRows; ++row)
        for (int column = 1; column <= kColumns; ++column) {
            const int32_t found = world.Cells[CellIndex(column, row)];
            const int32_t expected = goal.Cells[CellIndex(column, row)];
            if (found != expected)
                differences.push_back(
                    {Place(column, row) + ": " + CellName(found) + " statt " + CellName(expected) + ".",
                     {{column, row}}});
        }
    return differences;
}

GoalVerdict JudgeRun(const World& world, int stock, const WorldRecord& goal, std::string_view stoppedEarly) {
    GoalVerdict verdict;
    if (!stoppedEarly.empty()) verdict.Differences.push_back({std::string(stoppedEarly), {}});
    std::vector<GoalDifference> found = GoalDifferences(world, stock, goal);
    verdict.Differences.insert(verdict.Differences.end(), std::make_move_iterator(found.begin()),
                               std::make_move_iterator(found.end()));
    verdict.Solved = verdict.Differences.empty();
    return verdict;
}

const char* VerdictLine(bool solved) {
    return solved ? "Aufgabe gelöst!" : "Aufgabe nicht gelöst!";
}

std::vector<std::string> ShownDifferences(const GoalVerdict& verdict) {
    std::vector<std::string> shown;
    const std::vector<GoalDifference>& all = verdict.Differences;
    for (size_t i = 0; i < all.size() && i < kShownDifferences; ++i)
        shown.push_back(all[i].Sentence);
    if (all.size() > kShownDifferences)
        shown.push_back("... und " + std::to_string(all.size() - kShownDifferences) +
                        " weitere Unterschiede.");
    return shown;
}

std::string SolvedCount(size_t solved, size_t programs) {
    return "Gelöst: " + std::to_string(solved) + " von " + std::to_string(programs) + " Programmen.";
}

std::string SolvedWorlds(size_t solved, size_t worlds) {
    return "Gelöst in " + std::to_string(solved) + " von " + std::to_string(worlds) + " Welten.";
}

} // namespace nibbo::batch
