// nibbo-batch replay [--world WELT] [--trace] [--save ERGEBNIS] AUFZEICHNUNG: "Aufzeichnung
// abspielen" without a window. The recording is read as the program editor loads it and replayed
// on the world as "Welt laden" restores it, one instruction per tick until the replay ends; the
// message that ends it is the last line printed.
#include "batch.h"
#include "options.h"

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

// The replay of a recording on a world with a start, printing its trace and the message that ends
// it; returns its exit code.
int Replay(const Invocation& call, const Options& options, const std::string& bytes, WorldState& state) {
    PackedLines lines = PackProgramText(bytes);
    if (lines.empty()) return kExitClean;

    ReplayState replay;
    const ReplayHeader header = StartReplay(replay, std::move(lines));
    if (header != ReplayHeader::Accepted) {
        call.Out << ReplayHeaderMessage(header) << '\n';
        return kExitFindings;
    }

    NullCanvas canvas;
    Stage stage{state.Current, state.Stock, canvas, 0};
    ReplayTick tick;
    for (long n = 1; tick.End == ReplayEnd::None; ++n) {
        tick = ReplayStep(replay, stage);
        if (options.Has("--trace") && tick.PlacesCaret)
            call.Out << n << ' ' << Utf8FromWindows1252(tick.Word) << ' ' << tick.Caret << '\n';
    }
    if (!tick.Message.empty()) call.Out << tick.Message << '\n';
    switch (tick.End) {
    case ReplayEnd::Normal:
        return kExitClean;
    case ReplayEnd::ActionFailed:
        return kExitActionFailed;
    case ReplayEnd::NoFigure:
        return kExitNoFigure;
    default:
        return kExitFindings;
    }
}

} // namespace

int ReplayCommand(const Invocation& call) {
    const std::optional<Options> options = ParseOptions(call, {"--world", "--save"}, {"--trace"});
    if (!options || options->Words.size() != 1) return BadUsage(call);
    const std::string& path = options->Words[0];
    const std::optional<std::string> bytes = ReadTextInput(call, path);
    if (!bytes) return kExitNoInput;

    WorldState state;
    if (const int loaded = LoadWorld(call, options->Value("--world"), state); loaded != kExitClean)
        return loaded;
    if (!state.Current.StartPlaced) {
        call.Out << kNoFigureMessage << '\n';
        return kExitNoFigure;
    }
    const int outcome = Replay(call, *options, *bytes, state);

    // The world as the replay left it, also when it replayed nothing, so that a script always finds
    // its result; a world without a start cannot be saved. A failed write outweighs the outcome.
    if (const std::string* result = options->Value("--save"); result && state.Current.StartPlaced) {
        call.Out.flush();
        if (const int saved = SaveWorld(call, *result, state); saved != kExitClean) return saved;
    }
    return outcome;
}

} // namespace nibbo::batch
