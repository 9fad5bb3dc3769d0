// nibbo-batch run [--world WELT] [--goal ZIEL] [--max-steps N] [--max-seconds N] [--trace]
// [--save ERGEBNIS] [--report BERICHT] PROGRAMM..., or run --aufgabe ORDNER ... PROGRAMM...: runs a
// program as "Run" does, without a window and without pauses: the world loaded and restored, the
// syntax check, then one step after another until the program ends, an action fails or the step or
// time limit is reached. With --trace every step prints a line "<n> <outcome> <SelStart>
// <SelLength>". Many programs run one after another, each after a header line; each program is
// checked once and runs on every world (a task's worlds, or the one world) as loaded, each run
// judged by its goal world if there is one. --report writes all of it as one HTML page.
#include "batch.h"
#include "goal.h"
#include "options.h"
#include "report.h"
#include "worlds.h"

#include "execution/engine.h"
#include "language/syntax_check.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <ostream>
#include <tuple>

namespace nibbo::batch {

namespace {

constexpr int kExitFailed = 2;  // an action failed (or the return stack ran full)
constexpr int kExitStopped = 3; // the step limit was reached, or no start is placed
constexpr uint64_t kDefaultMaxSteps = 1000000;
constexpr uint64_t kLargestMaxSteps = uint64_t(1) << 62;
// The step limit alone does not bound the time: one step evaluates its whole condition, and a
// condition may fill a whole file. A class run must not stall on one program.
constexpr uint64_t kDefaultMaxSeconds = 10;
constexpr uint64_t kLargestMaxSeconds = uint64_t(1) << 32;
// The clock is read once every so many steps: often enough to stop close to the limit even when
// each step evaluates a condition of megabytes, rarely enough to cost nothing on plain steps.
constexpr uint64_t kStepsBetweenClockReadings = 256;

// How long and how far a program may run; 0 seconds means no time limit.
struct Limits {
    uint64_t MaxSteps = kDefaultMaxSteps;
    uint64_t MaxSeconds = kDefaultMaxSeconds;
};

// Remembers the last statement a step fetched, for the trace.
class LastFetched : public StepObserver {
public:
    int32_t SelStart = 0;
    int32_t SelLength = 0;
    void StatementFetched(const TAnweisung& statement) override {
        SelStart = statement.SelStart;
        SelLength = statement.SelLength;
    }
};

const char* OutcomeWord(StepOutcome outcome) {
    switch (outcome) {
    case StepOutcome::Executed:
        return "executed";
    case StepOutcome::Finished:
        return "finished";
    case StepOutcome::Failed:
        return "failed";
    case StepOutcome::Silent:
        return "silent";
    }
    return "";
}

// The run itself, on a world that is ready: its trace and its last line on Out; the run gets the
// exit code, the last line and the steps made.
void Run(const Invocation& call, const TProcTable& procTable, WorldState& state, const Limits& limits,
         bool trace, ReportRun& run) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(limits.MaxSeconds);
    ExecRegisters registers;
    ResetRegisters(registers);
    NullCanvas canvas;
    Stage stage{state.Current, state.Stock, canvas, 0};
    LastFetched fetched;
    std::string lines;
    const auto end = [&](int exitCode, std::string line) {
        call.Out << lines << line << '\n';
        run.ExitCode = exitCode;
        run.Outcome = std::move(line);
    };
    for (uint64_t step = 1; step <= limits.MaxSteps; ++step) {
        if (limits.MaxSeconds > 0 && step % kStepsBetweenClockReadings == 0 && Clock::now() >= deadline)
            return end(kExitStopped, "Zeitgrenze erreicht!");
        fetched = LastFetched();
        const StepResult result = ExecuteStep(procTable, registers, stage, fetched);
        run.Steps = step;
        if (trace) {
            lines += std::to_string(step) + ' ' + OutcomeWord(result.Outcome) + ' ' +
                     std::to_string(fetched.SelStart) + ' ' + std::to_string(fetched.SelLength) + '\n';
            if (lines.size() >= 1 << 16) {
                call.Out << lines;
                lines.clear();
            }
        }
        if (result.Outcome == StepOutcome::Finished) {
            run.ReachedEnd = true;
            return end(kExitClean, kProgramFinishedMessage);
        }
        if (result.Outcome == StepOutcome::Failed) return end(kExitFailed, result.Message);
    }
    end(kExitStopped, "Schrittgrenze erreicht!");
}

// One program: read and checked once, then run on every world as loaded.
ReportEntry RunProgram(const Invocation& call, const Options& options, const std::string& path,
                       const Report& report, const Limits& limits) {
    ReportEntry entry;
    entry.Name = path;
    TProcTable procTable;
    ProgramCheck check = ReadAndCheckProgram(call, path, procTable);
    entry.ExitCode = check.ExitCode;
    entry.Messages = std::move(check.Messages);
    if (check.ExitCode == kExitNoInput)
        entry.NotRun = check.Problem;
    else if (check.ExitCode != kExitClean)
        entry.NotRun = kNotRunForMessages;
    const bool trace = options.Has("--trace");
    RunOnEveryWorld(
        call, report, kProgramStoppedEarly,
        [&](WorldState& state, ReportRun& run) {
            if (!state.Current.StartPlaced) {
                run.Outcome = kNoStartMessage;
                call.Out << run.Outcome << '\n';
                run.ExitCode = kExitStopped;
                return;
            }
            Run(call, procTable, state, limits, trace, run);
            run.After = state;
        },
        entry);
    return entry;
}

// The world as the run left it, whatever the outcome, as "Welt speichern" would store it: the world
// as loaded when the program did not run, and nothing for a world without a start, which cannot be
// saved. A failed write outweighs the run's outcome.
void SaveResult(const Invocation& call, const std::string& path, const Report& report, ReportEntry& entry) {
    const bool ran = !entry.Runs.empty() && entry.Runs.front().After;
    WorldState left = ran ? *entry.Runs.front().After : report.Worlds.front().Start.State;
    if (!left.Current.StartPlaced) return;
    call.Out.flush();
    if (const int saved = SaveWorld(call, path, left); saved != kExitClean) entry.ExitCode = saved;
}

} // namespace

int RunCommand(const Invocation& call) {
    const std::optional<Options> options = ParseOptions(
        call, {"--world", "--goal", "--aufgabe", "--max-steps", "--max-seconds", "--save", "--report"},
        {"--trace"});
    if (!options || options->Words.empty()) return BadUsage(call);
    const std::vector<std::string>& programs = options->Words;
    if (programs.size() > 1 && options->Value("--save")) {
        call.Err << "nibbo-batch: --save nur mit einem einzigen Programm\n";
        return BadUsage(call);
    }
    Limits limits;
    for (auto [option, limit, largest] :
         {std::tuple{"--max-steps", &limits.MaxSteps, kLargestMaxSteps},
          std::tuple{"--max-seconds", &limits.MaxSeconds, kLargestMaxSeconds}}) {
        if (const std::string* text = options->Value(option)) {
            const std::optional<uint64_t> count = ParseCount(*text, 0, largest);
            if (!count) {
                call.Err << "nibbo-batch: " << option << " braucht eine ganze Zahl ab 0, nicht \"" << *text
                         << "\"\n";
                return BadUsage(call);
            }
            *limit = *count;
        }
    }

    if (!WorldOptionsFit(call, *options)) return BadUsage(call);

    Report report;
    if (const int loaded = LoadWorlds(call, *options, report); loaded != kExitClean) return loaded;

    // With many programs, the largest exit code stands for all: 0 only when every one is clean.
    const bool many = programs.size() > 1;
    int exitCode = kExitClean;
    size_t solvedCount = 0;
    for (size_t i = 0; i < programs.size(); ++i) {
        if (many) call.Out << (i > 0 ? "\n" : "") << "==> " << programs[i] << " <==\n";
        ReportEntry entry = RunProgram(call, *options, programs[i], report, limits);
        if (const std::string* result = options->Value("--save")) SaveResult(call, *result, report, entry);
        exitCode = std::max(exitCode, entry.ExitCode);
        solvedCount += entry.Solved();
        report.Entries.push_back(std::move(entry));
    }
    if (many && report.Judged()) call.Out << '\n' << SolvedCount(solvedCount, programs.size()) << '\n';

    // A report that cannot be written outweighs the programs' outcomes, as a failed --save does.
    if (const std::string* path = options->Value("--report")) {
        call.Out.flush();
        if (const int written = WriteReport(call, *path, report); written != kExitClean) return written;
    }
    return exitCode;
}

} // namespace nibbo::batch
