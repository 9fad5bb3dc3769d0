#include "recording/replay.h"

#include "recording/hand_control.h"

#include <array>
#include <string_view>

namespace nibbo {

namespace {

// Names a recording may not carry: the four instructions and "end". Keywords are allowed.
constexpr std::array<std::string_view, 5> kRefusedNames = {"nimm_auf", "gib_ab", "vor", "drehe_links", "end"};

struct ReplayInstruction {
    std::string_view Word;
    TSymbol Instruction;
};

constexpr std::array<ReplayInstruction, 4> kInstructions = {{
    {"nimm_auf", sym_nimm_auf},
    {"gib_ab", sym_gib_ab},
    {"vor", sym_vor},
    {"drehe_links", sym_drehe_links},
}};

bool IsRecordingName(const std::string& word) {
    if (!IsIdentifier(word)) return false;
    for (std::string_view refused : kRefusedNames)
        if (word == refused) return false;
    return true;
}

ReplayTick Ending(ReplayTick tick, ReplayEnd end, const char* message) {
    tick.End = end;
    tick.Message = message;
    return tick;
}

} // namespace

ReplayHeader StartReplay(ReplayState& replay, const SourceLines& lines) {
    return StartReplay(replay, PackedLines(lines));
}

ReplayHeader StartReplay(ReplayState& replay, PackedLines lines) {
    replay.Lines = std::move(lines);
    ResetScanner(replay.Position);
    if (ReadWord(replay.Lines, replay.Position) != "procedure") return ReplayHeader::NoRecording;
    const std::string name = ReadWord(replay.Lines, replay.Position);
    const std::string semicolon = ReadWord(replay.Lines, replay.Position);
    const std::string begin = ReadWord(replay.Lines, replay.Position);
    if (IsRecordingName(name) && semicolon == ";" && begin == "begin") return ReplayHeader::Accepted;
    return ReplayHeader::InvalidName;
}

const char* ReplayHeaderMessage(ReplayHeader header) {
    switch (header) {
    case ReplayHeader::Accepted:
        return "";
    case ReplayHeader::NoRecording:
        return "Kein Aufzeichnungsformat!";
    case ReplayHeader::InvalidName:
        return "Kein gültiger Bezeichner!";
    }
    return "";
}

const char* ReplayActionMessage(ActionResult result) {
    if (result == ActionResult::NoFood) return "Es ist keine Futter vorhanden!";
    return ActionMessage(result);
}

ReplayTick ReplayStep(ReplayState& replay, Stage& stage) {
    ReplayTick tick;
    tick.Word = ReadWord(replay.Lines, replay.Position);
    const int32_t lineStart = replay.Position.LineStart;
    const int32_t tokenColumn = replay.Position.TokenColumn;
    if (ReadWord(replay.Lines, replay.Position) != ";")
        return Ending(std::move(tick), ReplayEnd::FormatError, kReplayFormatError);

    tick.PlacesCaret = true;
    tick.Caret = lineStart + tokenColumn - 1;
    if (tick.Word == "end") {
        if (ReadWord(replay.Lines, replay.Position).empty())
            return Ending(std::move(tick), ReplayEnd::Normal, "");
        return Ending(std::move(tick), ReplayEnd::FormatError, kReplayFormatError);
    }
    for (const ReplayInstruction& known : kInstructions) {
        if (tick.Word != known.Word) continue;
        tick.SelectionLength = int32_t(known.Word.size());
        const std::optional<ActionResult> result = ActOnPlacedFigure(known.Instruction, stage);
        if (!result) return Ending(std::move(tick), ReplayEnd::NoFigure, kNoFigureMessage);
        if (*result != ActionResult::Done)
            return Ending(std::move(tick), ReplayEnd::ActionFailed, ReplayActionMessage(*result));
        return tick;
    }
    return Ending(std::move(tick), ReplayEnd::FormatError, kReplayFormatError);
}

} // namespace nibbo
