// nibbo-batch run [--world WELT] [--goal ZIEL] [--max-steps N] [--max-seconds N] [--trace]
// [--save ERGEBNIS] PROGRAMM...: runs a program as "Run" does, without a window and without pauses: the world
// loaded and restored, the syntax check, then one step after another until the program ends, an action fails
// or the step or time limit is reached. With --trace every step prints a line
// "<n> <outcome> <SelStart> <SelLength>". Many programs run one after another, each on the world as
// loaded, each after a header line; with --goal each run ends with the comparison of the world it
// left with the goal world.
#include "batch.h"
#include "goal.h"
#include "options.h"

#include "execution/engine.h"
#include "language/program_text.h"
#include "language/syntax_check.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <ostream>
#include <tuple>

namespace nibbo::batch {

namespace {

constexpr int kExitFailed = 2;    // an action failed (or the return stack ran full)
constexpr int kExitStopped = 3;   // the step limit was reached, or no start is placed
constexpr int kExitNotSolved = 4; // the program finished, but the world is not the goal world
constexpr size_t kShownDifferences = 10;
constexpr uint64_t kDefaultMaxSteps = 1000000;
constexpr uint64_t kLargestMaxSteps = uint64_t(1) << 62;
// The step limit alone does not bound the time: one step evaluates its whole condition, and a
// condition may fill a whole file. A class run must not stall on one program.
constexpr uint64_t kDefaultMaxSeconds = 10;
constexpr uint64_t kLargestMaxSeconds = uint64_t(1) << 32;
// The clock is read once every so many steps: often enough to stop close to the limit even when
// each step evaluates a condition of megabytes, rarely enough to cost nothing on plain steps.
constexpr uint64_t kStepsBetweenClockReadings = 256;

std::optional<uint64_t> ParseCount(const std::string& text, uint64_t largest) {
    uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value > largest) return std::nullopt;
    return value;
}

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

// The run itself, on a world that is ready; returns the exit code of its outcome.
int Run(const Invocation& call, const TProcTable& procTable, WorldState& state, const Limits& limits,
        bool trace) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(limits.MaxSeconds);
    ExecRegisters registers;
    ResetRegisters(registers);
    NullCanvas canvas;
    Stage stage{state.Current, state.Stock, canvas, 0};
    LastFetched fetched;
    std::string lines;
    for (uint64_t step = 1; step <= limits.MaxSteps; ++step) {
        if (limits.MaxSeconds > 0 && step % kStepsBetweenClockReadings == 0 && Clock::now() >= deadline) {
            call.Out << lines << "Zeitgrenze erreicht!\n";
            return kExitStopped;
        }
        fetched = LastFetched();
        const StepResult result = ExecuteStep(procTable, registers, stage, fetched);
        if (trace) {
            lines += std::to_string(step) + ' ' + OutcomeWord(result.Outcome) + ' ' +
                     std::to_string(fetched.SelStart) + ' ' + std::to_string(fetched.SelLength) + '\n';
            if (lines.size() >= 1 << 16) {
                call.Out << lines;
                lines.clear();
            }
        }
        if (result.Outcome == StepOutcome::Finished) {
            call.Out << lines << kProgramFinishedMessage << '\n';
            return kExitClean;
        }
        if (result.Outcome == StepOutcome::Failed) {
            call.Out << lines << result.Message << '\n';
            return kExitFailed;
        }
    }
    call.Out << lines << "Schrittgrenze erreicht!\n";
    return kExitStopped;
}

// Everything after the world is ready: the program read and checked, and the run. `ran` tells
// whether the program ran at all.
int CheckAndRun(const Invocation& call, const Options& options, const std::string& path, WorldState& state,
                const Limits& limits, bool& ran) {
    ran = false;
    TProcTable procTable;
    if (const int checked = ReadAndCheckProgram(call, path, procTable); checked != kExitClean) return checked;
    if (!state.Current.StartPlaced) {
        call.Out << kNoStartMessage << '\n';
        return kExitStopped;
    }
    ran = true;
    return Run(call, procTable, state, limits, options.Has("--trace"));
}

// Whether the run solved the task: it reached "end." and left the goal world. Prints the verdict
// and the first differences.
bool Verdict(const Invocation& call, const WorldState& state, const WorldRecord& goal, bool finished) {
    std::vector<std::string> differences;
    if (!finished) differences.push_back("Das Programm ist nicht bis \"end.\" gelaufen.");
    const std::vector<std::string> world = GoalDifferences(state.Current, state.Stock.ReadStock(), goal);
    differences.insert(differences.end(), world.begin(), world.end());
    if (differences.empty()) {
        call.Out << "Aufgabe gelöst!\n";
        return true;
    }
    call.Out << "Aufgabe nicht gelöst!\n";
    for (size_t i = 0; i < differences.size() && i < kShownDifferences; ++i)
        call.Out << "  " << differences[i] << '\n';
    if (differences.size() > kShownDifferences)
        call.Out << "  ... und " << differences.size() - kShownDifferences << " weitere Unterschiede.\n";
    return false;
}

// One program from the world as loaded: its run, the verdict against the goal, the saved result.
// Returns the program's exit code; `solved` tells whether it solved the goal.
int RunProgram(const Invocation& call, const Options& options, const std::string& path, WorldState state,
               const Limits& limits, const WorldRecord* goal, bool& solved) {
    bool ran = false;
    int outcome = CheckAndRun(call, options, path, state, limits, ran);
    solved = false;
    if (goal && ran) {
        solved = Verdict(call, state, *goal, outcome == kExitClean);
        if (outcome == kExitClean && !solved) outcome = kExitNotSolved;
    }

    // The world as the run left it, whatever the outcome, as "Welt speichern" would store it; a
    // world without a start cannot be saved. A failed write outweighs the run's outcome.
    if (const std::string* result = options.Value("--save"); result && state.Current.StartPlaced) {
        call.Out.flush();
        if (const int saved = SaveWorld(call, *result, state); saved != kExitClean) return saved;
    }
    return outcome;
}

} // namespace

int RunCommand(const Invocation& call) {
    const std::optional<Options> options =
        ParseOptions(call, {"--world", "--goal", "--max-steps", "--max-seconds", "--save"}, {"--trace"});
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
            const std::optional<uint64_t> count = ParseCount(*text, largest);
            if (!count) {
                call.Err << "nibbo-batch: " << option << " braucht eine ganze Zahl ab 0, nicht \"" << *text
                         << "\"\n";
                return BadUsage(call);
            }
            *limit = *count;
        }
    }

    WorldState world;
    if (const int loaded = LoadWorld(call, options->Value("--world"), world); loaded != kExitClean)
        return loaded;
    std::optional<WorldRecord> goal;
    if (const std::string* path = options->Value("--goal")) {
        WorldState goalState;
        if (const int loaded = LoadWorld(call, path, goalState); loaded != kExitClean) return loaded;
        goal = goalState.Stored;
    }

    // With many programs, the largest exit code stands for all: 0 only when every one is clean.
    const bool many = programs.size() > 1;
    int exitCode = kExitClean;
    size_t solvedCount = 0;
    for (size_t i = 0; i < programs.size(); ++i) {
        if (many) call.Out << (i > 0 ? "\n" : "") << "==> " << programs[i] << " <==\n";
        bool solved = false;
        exitCode = std::max(exitCode, RunProgram(call, *options, programs[i], world, limits,
                                                 goal ? &*goal : nullptr, solved));
        if (solved) ++solvedCount;
    }
    if (many && goal)
        call.Out << "\nGelöst: " << solvedCount << " von " << programs.size() << " Programmen.\n";
    return exitCode;
}

} // namespace nibbo::batch
