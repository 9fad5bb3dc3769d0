// The report of run and replay (--report BERICHT.html): one HTML file that a teacher opens in any
// browser and prints. It holds everything inside it, the pictures too, and needs no script: a head
// with the task's worlds and goal worlds and the count of solved programs, then one section per
// program or recording, one page each in print, with its outcome on every world and the world it
// left beside the goal, every cell that differs marked on both.
#pragma once

#include "goal.h"
#include "options.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nibbo::batch {

// What one program or recording did on one world.
struct ReportRun {
    int ExitCode = kExitClean;
    std::string Outcome;             // the line that ended it
    uint64_t Steps = 0;              // steps run, or instructions replayed
    bool ReachedEnd = false;         // it ran to its "end." or replayed to its "end;"
    std::optional<WorldState> After; // the world as it was left, when it ran
    std::optional<GoalVerdict> Verdict;
};

// What one program or recording did: its syntax check, and one run on each world unless it could
// not run at all.
struct ReportEntry {
    std::string Name;                  // the file as given on the command line
    int ExitCode = kExitClean;         // the largest of its runs', or the check's when it did not run
    std::string NotRun;                // why it did not run at all; empty when it ran
    std::vector<std::string> Messages; // the syntax check's
    std::vector<ReportRun> Runs;

    uint64_t Steps() const {
        uint64_t steps = 0;
        for (const ReportRun& run : Runs)
            steps += run.Steps;
        return steps;
    }
    size_t SolvedWorlds() const {
        size_t solved = 0;
        for (const ReportRun& run : Runs)
            solved += run.Verdict && run.Verdict->Solved;
        return solved;
    }
    // Ran on every world and left each one's goal.
    bool Solved() const { return !Runs.empty() && SolvedWorlds() == Runs.size(); }
};

// A world as the report names and shows it: by the file as given, by its name in the task's
// folder, or as "" for the empty world.
struct ReportWorld {
    std::string Name;
    WorldState State;
};

// A world to start from, with the goal world a run on it is judged by, if any.
struct WorldPair {
    ReportWorld Start;
    std::optional<ReportWorld> Goal;
};

struct Report {
    bool Recordings = false; // replay's report: recordings and instructions instead of programs and steps
    std::string Task;        // the task's folder name with --aufgabe; "" for a single world
    std::string Title;       // the task's title from its aufgabe.md, if it has one
    std::vector<WorldPair> Worlds; // a task's pairs in order, or the single world
    std::vector<ReportEntry> Entries;

    bool Judged() const { return !Worlds.empty() && Worlds.front().Goal.has_value(); }
};

// The outcome of a program that the syntax check stopped.
inline constexpr const char* kNotRunForMessages = "Nicht gelaufen: Meldungen der Syntax-Überprüfung.";

// Writes the report to path in one step, never half. kExitClean, or kExitCannotCreate after a
// message on Err.
int WriteReport(const Invocation& call, const std::string& path, const Report& report);

} // namespace nibbo::batch
