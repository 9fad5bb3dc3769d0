// nibbo-batch run [--world WELT] [--max-steps N] [--trace] [--save ERGEBNIS] PROGRAMM: runs a
// program as "Run" does, without a window and without pauses: the world loaded and restored, the
// syntax check, then one step after another until the program ends, an action fails or the step
// limit is reached. With --trace every step prints a line "<n> <outcome> <SelStart> <SelLength>".
#include "batch.h"
#include "options.h"

#include "execution/engine.h"
#include "language/program_text.h"
#include "language/syntax_check.h"

#include <charconv>
#include <cstdint>
#include <ostream>

namespace nibbo::batch {

namespace {

constexpr int kExitFailed = 2;  // an action failed (or the return stack ran full)
constexpr int kExitStopped = 3; // the step limit was reached, or no start is placed
constexpr uint64_t kDefaultMaxSteps = 1000000;
constexpr uint64_t kLargestMaxSteps = uint64_t(1) << 62;

std::optional<uint64_t> ParseCount(const std::string& text) {
    uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value > kLargestMaxSteps) return std::nullopt;
    return value;
}

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
int Run(const Invocation& call, const TProcTable& procTable, WorldState& state, uint64_t maxSteps,
        bool trace) {
    ExecRegisters registers;
    ResetRegisters(registers);
    NullCanvas canvas;
    Stage stage{state.Current, state.Stock, canvas, 0};
    LastFetched fetched;
    std::string lines;
    for (uint64_t step = 1; step <= maxSteps; ++step) {
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
            call.Out << lines << "Programm beendet!\n";
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

// Everything after the world is ready: the program read and checked, and the run.
int CheckAndRun(const Invocation& call, const Options& options, WorldState& state, uint64_t maxSteps) {
    const std::string& path = options.Words[0];
    std::string reason;
    const std::optional<std::string> bytes = ReadWholeFile(path, reason);
    if (!bytes) return CannotRead(call, path, reason);

    TProcTable procTable;
    ScannerPosition scanner;
    const std::vector<std::string> messages = CheckSyntax(SplitProgramText(*bytes), procTable, scanner);
    for (const std::string& message : messages)
        call.Out << message << '\n';
    if (!messages.empty()) return kExitFindings;
    if (!state.Current.StartPlaced) {
        call.Out << "Kein Startfeld vorhanden!\n";
        return kExitStopped;
    }
    return Run(call, procTable, state, maxSteps, options.Has("--trace"));
}

} // namespace

int RunCommand(const Invocation& call) {
    const std::optional<Options> options =
        ParseOptions(call.Arguments, {"--world", "--max-steps", "--save"}, {"--trace"});
    if (!options || options->Words.size() != 1) return BadUsage(call);
    uint64_t maxSteps = kDefaultMaxSteps;
    if (const std::string* text = options->Value("--max-steps")) {
        const std::optional<uint64_t> count = ParseCount(*text);
        if (!count) return BadUsage(call);
        maxSteps = *count;
    }

    WorldState state;
    if (const int loaded = LoadWorld(call, options->Value("--world"), state); loaded != kExitClean)
        return loaded;
    const int outcome = CheckAndRun(call, *options, state, maxSteps);

    // The world as the run left it, whatever the outcome, as "Welt speichern" would store it; a
    // world without a start cannot be saved. A failed write outweighs the run's outcome.
    if (const std::string* result = options->Value("--save"); result && state.Current.StartPlaced) {
        call.Out.flush();
        if (const int saved = SaveWorld(call, *result, state); saved != kExitClean) return saved;
    }
    return outcome;
}

} // namespace nibbo::batch
