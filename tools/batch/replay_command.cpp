// nibbo-batch replay [--world WELT] [--trace] [--save ERGEBNIS] [--report BERICHT] AUFZEICHNUNG:
// "Aufzeichnung abspielen" without a window. The recording is read as the program editor loads it
// and replayed on the world as "Welt laden" restores it, one instruction per tick until the replay
// ends; the message that ends it is the last line printed.
#include "batch.h"
#include "options.h"
#include "report.h"

#include "language/program_text.h"
#include "recording/hand_control.h"
#include "recording/replay.h"
#include "shell/windows1252.h"
#include "world/world_paint.h"

#include <cstdint>
#include <ostream>

namespace nibbo::batch {

namespace {

// Exit codes of the replay beyond those all commands share.
constexpr int kExitActionFailed = 2; // an instruction could not be carried out
constexpr int kExitNoFigure = 3;     // the world has no start
constexpr const char* kReplayedToTheEnd = "Aufzeichnung bis zum \"end;\" abgespielt.";

// The replay of a recording on a world with a start, printing its trace and the message that ends
// it; the entry gets its exit code, its outcome, the instructions carried out and the world it left.
void Replay(const Invocation& call, const Options& options, const std::string& bytes, WorldState& state,
            ReportEntry& entry) {
    const auto end = [&](int exitCode, const std::string& message) {
        if (!message.empty()) call.Out << message << '\n';
        entry.ExitCode = exitCode;
        entry.Outcome = message.empty() ? kReplayedToTheEnd : message;
        entry.After = state;
    };
    PackedLines lines = PackProgramText(bytes);
    if (lines.empty()) {
        end(kExitClean, "");
        entry.Outcome = "Die Aufzeichnung ist leer.";
        return;
    }

    ReplayState replay;
    const ReplayHeader header = StartReplay(replay, std::move(lines));
    if (header != ReplayHeader::Accepted) return end(kExitFindings, ReplayHeaderMessage(header));

    NullCanvas canvas;
    Stage stage{state.Current, state.Stock, canvas, 0};
    ReplayTick tick;
    for (long n = 1; tick.End == ReplayEnd::None; ++n) {
        tick = ReplayStep(replay, stage);
        if (tick.End == ReplayEnd::None) ++entry.Steps;
        if (options.Has("--trace") && tick.PlacesCaret)
            call.Out << n << ' ' << Utf8FromWindows1252(tick.Word) << ' ' << tick.Caret << '\n';
    }
    switch (tick.End) {
    case ReplayEnd::Normal:
        return end(kExitClean, tick.Message);
    case ReplayEnd::ActionFailed:
        return end(kExitActionFailed, tick.Message);
    case ReplayEnd::NoFigure:
        return end(kExitNoFigure, tick.Message);
    default:
        return end(kExitFindings, tick.Message);
    }
}

} // namespace

int ReplayCommand(const Invocation& call) {
    const std::optional<Options> options = ParseOptions(call, {"--world", "--save", "--report"}, {"--trace"});
    if (!options || options->Words.size() != 1) return BadUsage(call);
    const std::string& path = options->Words[0];
    const std::optional<std::string> bytes = ReadTextInput(call, path);
    if (!bytes) return kExitNoInput;

    Report report;
    report.Recordings = true;
    const std::string* worldPath = options->Value("--world");
    report.Task.Name = worldPath ? *worldPath : "";
    if (const int loaded = LoadWorld(call, worldPath, report.Task.State); loaded != kExitClean) return loaded;
    WorldState state = report.Task.State;
    ReportEntry& entry = report.Entries.emplace_back();
    entry.Name = path;
    if (!state.Current.StartPlaced) {
        call.Out << kNoFigureMessage << '\n';
        entry.ExitCode = kExitNoFigure;
        entry.Outcome = kNoFigureMessage;
    } else {
        Replay(call, *options, *bytes, state, entry);
    }

    // The world as the replay left it, also when it replayed nothing, so that a script always finds
    // its result; a world without a start cannot be saved. A failed write outweighs the outcome, and
    // so does a report that cannot be written.
    call.Out.flush();
    if (const std::string* result = options->Value("--save"); result && state.Current.StartPlaced)
        if (const int saved = SaveWorld(call, *result, state); saved != kExitClean) entry.ExitCode = saved;
    if (const std::string* reportPath = options->Value("--report"))
        if (const int written = WriteReport(call, *reportPath, report); written != kExitClean) return written;
    return entry.ExitCode;
}

} // namespace nibbo::batch
