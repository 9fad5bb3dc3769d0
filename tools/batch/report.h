// The report of run and replay (--report BERICHT.html): one HTML file that a teacher opens in any
// browser and prints. It holds everything inside it, the pictures too, and needs no script: a head
// with the task's world and goal world and the count of solved programs, then one section per
// program or recording, one page each in print, with its outcome and the world it left beside the
// goal, every cell that differs marked on both.
#pragma once

#include "goal.h"
#include "options.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nibbo::batch {

// What one program or recording did.
struct ReportEntry {
    std::string Name; // the file as given on the command line
    int ExitCode = kExitClean;
    std::string Outcome;               // the line that ended it, or why it did not run
    std::vector<std::string> Messages; // the syntax check's
    uint64_t Steps = 0;                // steps run, or instructions replayed
    std::optional<WorldState> After;   // the world as it was left, when it ran
    std::optional<GoalVerdict> Verdict;
};

// A world as the report names and shows it.
struct ReportWorld {
    std::string Name; // the file as given, or "" for the empty world
    WorldState State;
};

struct Report {
    bool Recordings = false; // replay's report: recordings and instructions instead of programs and steps
    ReportWorld Task;
    std::optional<ReportWorld> Goal;
    std::vector<ReportEntry> Entries;
};

// The outcome of a program that the syntax check stopped.
inline constexpr const char* kNotRunForMessages = "Nicht gelaufen: Meldungen der Syntax-Überprüfung.";

// Writes the report to path in one step, never half. kExitClean, or kExitCannotCreate after a
// message on Err.
int WriteReport(const Invocation& call, const std::string& path, const Report& report);

} // namespace nibbo::batch
