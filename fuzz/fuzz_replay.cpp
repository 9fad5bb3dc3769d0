// The replay on any recording text and any world: it reads only its own lines, ends after at most
// one tick per word, marks in the editor exactly the instruction it carries out, keeps the world
// one the figure can live in, and a failed instruction changes nothing.
#include "invariants.h"

#include "language/program_text.h"
#include "recording/replay.h"

using namespace nibbo;
using nibbo::fuzz::Require;

namespace {

size_t CountWords(const SourceLines& lines) {
    ScannerPosition position;
    size_t words = 0;
    while (!ReadWord(lines, position).empty())
        ++words;
    return words;
}

std::string Lowered(std::string text) {
    for (char& ch : text)
        if (ch >= 'A' && ch <= 'Z') ch = char(ch - 'A' + 'a');
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::TextAndWorld input = fuzz::SplitInput(data, size);
    SourceLines lines = SplitProgramText(input.Text);
    const std::string text = fuzz::JoinedText(lines);
    const size_t words = CountWords(lines);

    ReplayState replay;
    const ReplayHeader header = StartReplay(replay, std::move(lines));
    if (header != ReplayHeader::Accepted) {
        Require(std::string_view(ReplayHeaderMessage(header)).size() > 0,
                "a refused header without a message");
        return 0;
    }

    fuzz::FuzzedWorld fuzzed = fuzz::WorldFromBytes(input.WorldBytes);
    PlainStockField stock;
    stock.WriteStock(fuzzed.stock);
    fuzz::StrictCanvas canvas;
    Stage stage{fuzzed.world, stock, canvas};

    for (size_t tick = 0;; ++tick) {
        Require(tick <= words, "the replay goes on after its words ran out");
        const World before = stage.world;
        const int stockBefore = stock.ReadStock();
        const ReplayTick step = ReplayStep(replay, stage);
        Require(replay.Position.LineIndex >= 0 && size_t(replay.Position.LineIndex) < replay.Lines.size(),
                "the replay read outside its lines");
        fuzz::CheckWorld(stage.world, stock.ReadStock(), "after a replay tick");
        if (step.PlacesCaret) {
            Require(step.Caret >= 0 && size_t(step.Caret) + step.Word.size() <= text.size(),
                    "the caret stands outside the text");
            Require(Lowered(text.substr(size_t(step.Caret), step.Word.size())) == step.Word,
                    "the caret is not on the instruction");
            Require(step.SelectionLength == 0 || size_t(step.SelectionLength) == step.Word.size(),
                    "the selection is not the instruction");
        }
        switch (step.End) {
        case ReplayEnd::None:
            Require(step.Message.empty(), "a message from a tick that goes on");
            continue;
        case ReplayEnd::Normal:
            Require(step.Word == "end" && step.Message.empty(), "a normal end other than end;");
            return 0;
        case ReplayEnd::ActionFailed:
            Require(stage.world.Cells == before.Cells && stage.world.StartColumn == before.StartColumn &&
                        stage.world.StartRow == before.StartRow &&
                        stage.world.Orientation == before.Orientation && stock.ReadStock() == stockBefore,
                    "a failed instruction changed the world");
            Require(!step.Message.empty(), "a failed instruction without its message");
            return 0;
        case ReplayEnd::FormatError:
            Require(step.Message == kReplayFormatError, "a format error with another message");
            return 0;
        case ReplayEnd::NoFigure:
            fuzz::Broken("the figure vanished during a replay");
        }
    }
}
