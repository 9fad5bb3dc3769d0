// The worlds a program or recording runs on and is judged by, the same for run and replay: with
// --aufgabe ORDNER every pair of start world and goal world in a task's folder, otherwise the single
// world of --world (or the empty world) with the goal world of --goal, if given. On a task each
// world's lines follow a line naming the world, and each program ends with how many worlds it
// solved.
#pragma once

#include "report.h"

#include <functional>
#include <string_view>

namespace nibbo::batch {

inline constexpr int kExitNotSolved = 4; // it reached its end, but the world is not the goal world

// Whether the options that choose the worlds go together: a task brings its own worlds and goals,
// and its many worlds leave no single one for --save. Names the clash on Err.
bool WorldOptionsFit(const Invocation& call, const Options& options);

// Loads the worlds into report.Worlds, with a task also its name and title. A task folder that
// cannot be read, holds no world or lacks a world's partner (each missing file named on Err), and
// a world that cannot be read give kExitNoInput, a world the program would refuse kExitDataError;
// kExitClean when every world is ready.
int LoadWorlds(const Invocation& call, const Options& options, Report& report);

// One run on a world that is ready: its lines on Out, and in run its exit code, outcome, steps,
// whether it reached its end and, when it ran, the world it left.
using RunOnWorld = std::function<void(WorldState& state, ReportRun& run)>;

// Runs the entry on each of the report's worlds as loaded, unless entry.NotRun says that it cannot
// run, and judges each run that left a world by its goal: the verdict and the differences on Out,
// and kExitNotSolved for a clean run that missed it. stoppedEarly is the first difference of a run
// that did not reach its end. The entry's exit code becomes the largest of its runs'.
void RunOnEveryWorld(const Invocation& call, const Report& report, std::string_view stoppedEarly,
                     const RunOnWorld& runOne, ReportEntry& entry);

} // namespace nibbo::batch
