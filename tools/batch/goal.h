// A goal world for a task: after a run, the world is compared with it cell by cell, together with
// the figure's cell and facing and the stock it carries. The differences are named in German, in
// the order a teacher reads them: the figure first, then the stock, then the cells row by row.
#pragma once

#include "world/world.h"

#include <string>
#include <string_view>
#include <vector>

namespace nibbo::batch {

struct CellPlace {
    int Column = 0;
    int Row = 0;
    bool operator==(const CellPlace&) const = default;
};

// One difference: its sentence, and the cells whose pictures differ because of it (none for the
// stock, the figure's cell and the goal's for a figure on the wrong cell).
struct GoalDifference {
    std::string Sentence;
    std::vector<CellPlace> Cells;
};

// Every difference between the world (with the stock the figure carries) and the goal; none when
// the world is the goal.
std::vector<GoalDifference> GoalDifferences(const World& world, int stock, const WorldRecord& goal);

// Whether a run solved the task: it reached its end and left the goal world.
struct GoalVerdict {
    bool Solved = false;
    std::vector<GoalDifference> Differences; // a run that did not reach its end: that first
};

// The first difference of a program or a recording that stopped before its end.
inline constexpr const char* kProgramStoppedEarly = "Das Programm ist nicht bis \"end.\" gelaufen.";
inline constexpr const char* kRecordingStoppedEarly = "Die Aufzeichnung ist nicht bis \"end;\" gelaufen.";

// stoppedEarly: empty when the run reached its end, otherwise the sentence that says it did not.
GoalVerdict JudgeRun(const World& world, int stock, const WorldRecord& goal, std::string_view stoppedEarly);

// "Aufgabe gelöst!" or "Aufgabe nicht gelöst!".
const char* VerdictLine(bool solved);
inline const char* VerdictLine(const GoalVerdict& verdict) {
    return VerdictLine(verdict.Solved);
}

// The sentences a teacher is shown: the first ten, then how many more there are.
std::vector<std::string> ShownDifferences(const GoalVerdict& verdict);

// "Gelöst: n von m Programmen."
std::string SolvedCount(size_t solved, size_t programs);

// "Gelöst in n von m Welten.": how a program or recording did on the worlds of a task.
std::string SolvedWorlds(size_t solved, size_t worlds);

} // namespace nibbo::batch
