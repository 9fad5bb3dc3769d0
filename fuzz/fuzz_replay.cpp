// The replay on any recording text and any world: it reads only its own lines, ends after at most
// one tick per word, marks in the editor exactly the instruction it carries out, keeps the world
// one the figure can live in, and a failed instruction changes nothing.
#include "invariants.h"

#include "language/program_text.h"
#include "recording/replay.h"

#include <bitset>

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
    const World start = fuzzed.world;
    PlainStockField stock;
    stock.WriteStock(fuzzed.stock);
    fuzz::StrictCanvas canvas;
    Stage stage{fuzzed.world, stock, canvas};

    // Every tick is checked at a cost that does not grow with the recording: an instruction can
    // change only the figure and the cell it stands on. The rest of the world is checked once, at
    // the end: cells the figure never stood on are as they were at the start.
    std::bitset<kCellCount> stoodOn;
    for (size_t tick = 0;; ++tick) {
        Require(tick <= words, "the replay goes on after its words ran out");
        const fuzz::FigureView before = fuzz::ViewOf(stage);
        stoodOn.set(size_t(CellIndex(before.Column, before.Row)));
        const ReplayTick step = ReplayStep(replay, stage);
        Require(replay.Position.LineIndex >= 0 && size_t(replay.Position.LineIndex) < replay.Lines.size(),
                "the replay read outside its lines");
        fuzz::CheckFigure(fuzz::ViewOf(stage));
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
            break;
        case ReplayEnd::ActionFailed:
            Require(fuzz::ViewOf(stage) == before, "a failed instruction changed the figure or its cell");
            Require(!step.Message.empty(), "a failed instruction without its message");
            break;
        case ReplayEnd::FormatError:
            Require(step.Message == kReplayFormatError, "a format error with another message");
            break;
        case ReplayEnd::NoFigure:
            fuzz::Broken("the figure vanished during a replay");
        }
        fuzz::CheckWorld(stage.world, stock.ReadStock(), "at the end of the replay");
        for (size_t cell = 0; cell < stoodOn.size(); ++cell)
            Require(stoodOn[cell] || stage.world.Cells[cell] == start.Cells[cell],
                    "the replay changed a cell the figure never stood on");
        return 0;
    }
}
