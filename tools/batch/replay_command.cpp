// nibbo-batch replay [--world WELT] [--goal ZIEL] [--trace] [--save ERGEBNIS] [--report BERICHT]
// AUFZEICHNUNG, or replay --aufgabe ORDNER ... AUFZEICHNUNG: "Aufzeichnung abspielen" without a
// window. The recording is read as the program editor loads it and replayed on the world as "Welt
// laden" restores it (on every world of a task), one instruction per tick until the replay ends;
// the message that ends it is the last line printed, then the verdict against the goal world.
#include "batch.h"
#include "options.h"
#include "report.h"
#include "worlds.h"

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
// it; the run gets its exit code, its outcome, the instructions carried out and the world it left.
void Replay(const Invocation& call, bool trace, const std::string& bytes, WorldState& state, ReportRun& run) {
    const auto end = [&](int exitCode, const std::string& message) {
        if (!message.empty()) call.Out << message << '\n';
        run.ExitCode = exitCode;
        run.Outcome = message.empty() ? kReplayedToTheEnd : message;
        run.After = state;
    };
    PackedLines lines = PackProgramText(bytes);
    if (lines.empty()) {
        end(kExitClean, "");
        run.Outcome = "Die Aufzeichnung ist leer.";
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
        if (tick.End == ReplayEnd::None) ++run.Steps;
        if (trace && tick.PlacesCaret)
            call.Out << n << ' ' << Utf8FromWindows1252(tick.Word) << ' ' << tick.Caret << '\n';
    }
    switch (tick.End) {
    case ReplayEnd::Normal:
        run.ReachedEnd = true;
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
    const std::optional<Options> options =
        ParseOptions(call, {"--world", "--goal", "--aufgabe", "--save", "--report"}, {"--trace"});
    if (!options || options->Words.size() != 1 || !WorldOptionsFit(call, *options)) return BadUsage(call);
    const std::string& path = options->Words[0];
    const std::optional<std::string> bytes = ReadTextInput(call, path);
    if (!bytes) return kExitNoInput;

    Report report;
    report.Recordings = true;
    if (const int loaded = LoadWorlds(call, *options, report); loaded != kExitClean) return loaded;
    ReportEntry& entry = report.Entries.emplace_back();
    entry.Name = path;
    RunOnEveryWorld(
        call, report, kRecordingStoppedEarly,
        [&](WorldState& state, ReportRun& run) {
            if (!state.Current.StartPlaced) {
                call.Out << kNoFigureMessage << '\n';
                run.ExitCode = kExitNoFigure;
                run.Outcome = kNoFigureMessage;
                return;
            }
            Replay(call, options->Has("--trace"), *bytes, state, run);
        },
        entry);

    // The world as the replay left it, also when it replayed nothing, so that a script always finds
    // its result; a world without a start cannot be saved. A failed write outweighs the outcome, and
    // so does a report that cannot be written.
    call.Out.flush();
    if (const std::string* result = options->Value("--save"); result && entry.Runs.front().After)
        if (const int saved = SaveWorld(call, *result, *entry.Runs.front().After); saved != kExitClean)
            entry.ExitCode = saved;
    if (const std::string* reportPath = options->Value("--report"))
        if (const int written = WriteReport(call, *reportPath, report); written != kExitClean) return written;
    return entry.ExitCode;
}

} // namespace nibbo::batch
