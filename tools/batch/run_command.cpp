// nibbo-batch run [--world WELT] [--goal ZIEL] [--max-steps N] [--max-seconds N] [--trace]
// [--save ERGEBNIS] [--report BERICHT] PROGRAMM...: runs a program as "Run" does, without a window
// and without pauses: the world loaded and restored, the syntax check, then one step after another
// until the program ends, an action fails or the step or time limit is reached. With --trace every
// step prints a line "<n> <outcome> <SelStart> <SelLength>". Many programs run one after another,
// each on the world as loaded, each after a header line; with --goal each run ends with the
// comparison of the world it left with the goal world. --report writes all of it as one HTML page.
#include "batch.h"
#include "goal.h"
#include "options.h"
#include "report.h"

#include "execution/engine.h"
#include "language/syntax_check.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <ostream>
#include <tuple>

namespace nibbo::batch {

namespace {

constexpr int kExitFailed = 2;    // an action failed (or the return stack ran full)
constexpr int kExitStopped = 3;   // the step limit was reached, or no start is placed
constexpr int kExitNotSolved = 4; // the program finished, but the world is not the goal world
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

// The run itself, on a world that is ready: its trace and its last line on Out, and the exit code,
// the last line and the steps made in the entry.
void Run(const Invocation& call, const TProcTable& procTable, WorldState& state, const Limits& limits,
         bool trace, ReportEntry& entry) {
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
        entry.ExitCode = exitCode;
        entry.Outcome = std::move(line);
    };
    for (uint64_t step = 1; step <= limits.MaxSteps; ++step) {
        if (limits.MaxSeconds > 0 && step % kStepsBetweenClockReadings == 0 && Clock::now() >= deadline)
            return end(kExitStopped, "Zeitgrenze erreicht!");
        fetched = LastFetched();
        const StepResult result = ExecuteStep(procTable, registers, stage, fetched);
        entry.Steps = step;
        if (trace) {
            lines += std::to_string(step) + ' ' + OutcomeWord(result.Outcome) + ' ' +
                     std::to_string(fetched.SelStart) + ' ' + std::to_string(fetched.SelLength) + '\n';
            if (lines.size() >= 1 << 16) {
                call.Out << lines;
                lines.clear();
            }
        }
        if (result.Outcome == StepOutcome::Finished) return end(kExitClean, kProgramFinishedMessage);
        if (result.Outcome == StepOutcome::Failed) return end(kExitFailed, result.Message);
    }
    end(kExitStopped, "Schrittgrenze erreicht!");
}

// Everything after the world is ready: the program read and checked, and the run. The entry gets
// the world the run left only when the program ran.
void CheckAndRun(const Invocation& call, const Options& options, WorldState& state, const Limits& limits,
                 ReportEntry& entry) {
    TProcTable procTable;
    ProgramCheck check = ReadAndCheckProgram(call, entry.Name, procTable);
    entry.ExitCode = check.ExitCode;
    entry.Messages = std::move(check.Messages);
    if (check.ExitCode == kExitNoInput) {
        entry.Outcome = check.Problem;
    } else if (check.ExitCode != kExitClean) {
        entry.Outcome = kNotRunForMessages;
    } else if (!state.Current.StartPlaced) {
        entry.Outcome = kNoStartMessage;
        call.Out << entry.Outcome << '\n';
        entry.ExitCode = kExitStopped;
    } else {
        Run(call, procTable, state, limits, options.Has("--trace"), entry);
        entry.After = state;
    }
}

// The verdict against the goal on Out: its line and the first differences.
void PrintVerdict(const Invocation& call, const GoalVerdict& verdict) {
    call.Out << VerdictLine(verdict) << '\n';
    for (const std::string& sentence : ShownDifferences(verdict))
        call.Out << "  " << sentence << '\n';
}

// One program from the world as loaded: its run, the verdict against the goal, the saved result.
ReportEntry RunProgram(const Invocation& call, const Options& options, const std::string& path,
                       WorldState state, const Limits& limits, const WorldRecord* goal) {
    ReportEntry entry;
    entry.Name = path;
    CheckAndRun(call, options, state, limits, entry);
    if (goal && entry.After) {
        entry.Verdict = JudgeRun(state.Current, state.Stock.ReadStock(), *goal, entry.ExitCode == kExitClean);
        PrintVerdict(call, *entry.Verdict);
        if (entry.ExitCode == kExitClean && !entry.Verdict->Solved) entry.ExitCode = kExitNotSolved;
    }

    // The world as the run left it, whatever the outcome, as "Welt speichern" would store it; a
    // world without a start cannot be saved. A failed write outweighs the run's outcome.
    if (const std::string* result = options.Value("--save"); result && state.Current.StartPlaced) {
        call.Out.flush();
        if (const int saved = SaveWorld(call, *result, state); saved != kExitClean) entry.ExitCode = saved;
    }
    return entry;
}

} // namespace

int RunCommand(const Invocation& call) {
    const std::optional<Options> options = ParseOptions(
        call, {"--world", "--goal", "--max-steps", "--max-seconds", "--save", "--report"}, {"--trace"});
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

    Report report;
    const std::string* worldPath = options->Value("--world");
    report.Task.Name = worldPath ? *worldPath : "";
    if (const int loaded = LoadWorld(call, worldPath, report.Task.State); loaded != kExitClean) return loaded;
    if (const std::string* path = options->Value("--goal")) {
        report.Goal.emplace();
        report.Goal->Name = *path;
        if (const int loaded = LoadWorld(call, path, report.Goal->State); loaded != kExitClean) return loaded;
    }
    const WorldRecord* goal = report.Goal ? &report.Goal->State.Stored : nullptr;

    // With many programs, the largest exit code stands for all: 0 only when every one is clean.
    const bool many = programs.size() > 1;
    int exitCode = kExitClean;
    size_t solvedCount = 0;
    for (size_t i = 0; i < programs.size(); ++i) {
        if (many) call.Out << (i > 0 ? "\n" : "") << "==> " << programs[i] << " <==\n";
        ReportEntry entry = RunProgram(call, *options, programs[i], report.Task.State, limits, goal);
        exitCode = std::max(exitCode, entry.ExitCode);
        if (entry.Verdict && entry.Verdict->Solved) ++solvedCount;
        report.Entries.push_back(std::move(entry));
    }
    if (many && goal) call.Out << '\n' << SolvedCount(solvedCount, programs.size()) << '\n';

    // A report that cannot be written outweighs the programs' outcomes, as a failed --save does.
    if (const std::string* path = options->Value("--report")) {
        call.Out.flush();
        if (const int written = WriteReport(call, *path, report); written != kExitClean) return written;
    }
    return exitCode;
}

} // namespace nibbo::batch
