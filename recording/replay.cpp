#include "recording/replay.h"

#include "language/vocabulary.h"
#include "recording/hand_control.h"

namespace nibbo {

namespace {

// A recording may carry any name but those of the four instructions and "end", which would read
// as its first instruction or as its end. Keywords are allowed.
bool IsRecordingName(const std::string& word) {
    return IsIdentifier(word) && InstructionSymbol(word) == sym_other && word != Spelling(sym_end);
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
    if (ReadWord(replay.Lines, replay.Position) != Spelling(sym_procedure)) return ReplayHeader::NoRecording;
    const std::string name = ReadWord(replay.Lines, replay.Position);
    const std::string semicolon = ReadWord(replay.Lines, replay.Position);
    const std::string begin = ReadWord(replay.Lines, replay.Position);
    if (IsRecordingName(name) && semicolon == Spelling(sym_semicolon) && begin == Spelling(sym_begin))
        return ReplayHeader::Accepted;
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
    if (ReadWord(replay.Lines, replay.Position) != Spelling(sym_semicolon))
        return Ending(std::move(tick), ReplayEnd::FormatError, kReplayFormatError);

    tick.PlacesCaret = true;
    tick.Caret = lineStart + tokenColumn - 1;
    if (tick.Word == Spelling(sym_end)) {
        if (ReadWord(replay.Lines, replay.Position).empty())
            return Ending(std::move(tick), ReplayEnd::Normal, "");
        return Ending(std::move(tick), ReplayEnd::FormatError, kReplayFormatError);
    }
    const TSymbol instruction = InstructionSymbol(tick.Word);
    if (instruction == sym_other) return Ending(std::move(tick), ReplayEnd::FormatError, kReplayFormatError);
    tick.SelectionLength = int32_t(tick.Word.size());
    const std::optional<ActionResult> result = ActOnPlacedFigure(instruction, stage);
    if (!result) return Ending(std::move(tick), ReplayEnd::NoFigure, kNoFigureMessage);
    if (*result != ActionResult::Done)
        return Ending(std::move(tick), ReplayEnd::ActionFailed, ReplayActionMessage(*result));
    return tick;
}

} // namespace nibbo
