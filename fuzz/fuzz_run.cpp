// A run of every program that passes the check, on a world made from the input, for a bounded
// number of steps. An input that begins with the byte 0xFF describes a program for the generator
// instead of its text; such a program must pass the check. Every step fetches a statement of the
// program, never touches a cell outside the grid, keeps the world one the figure can live in, and
// evaluates every condition as the language defines it; a run ends only as a run may end: finished
// at the main program's "end.", or failed with a message and nothing changed by the failed action.
#include "invariants.h"
#include "program_generator.h"

#include "execution/engine.h"
#include "language/program_text.h"
#include "language/syntax_check.h"

using namespace nibbo;
using nibbo::fuzz::Require;

namespace {

// A run ends after kSteps steps, unless its return stack keeps pace with its steps: a recursion
// without end then runs on until the stack meets its bound. Every fetched statement and every
// token of its condition count as work, so that a long condition in a loop cannot make one input
// take seconds.
constexpr int64_t kSteps = 2000;
constexpr int64_t kStepsPerFrame = 4;
constexpr int64_t kMaxWork = 2'000'000;

bool RunsOn(int64_t step, size_t frames, int64_t work) {
    return work < kMaxWork && (step < kSteps || int64_t(frames) * kStepsPerFrame > step);
}

class CheckingObserver : public StepObserver {
public:
    CheckingObserver(const TProcTable& table, const ExecRegisters& registers, const Stage& stage)
        : table_(table), registers_(registers), stage_(stage) {}

    void StatementFetched(const TAnweisung& statement) override {
        ++Fetched;
        Work += 1 + int64_t(statement.Condition.size());
        Require(registers_.ProcIndex >= 0 && size_t(registers_.ProcIndex) < table_.size(),
                "a statement fetched outside the procedures");
        const std::vector<TAnweisung>& statements = table_[size_t(registers_.ProcIndex)].Statements;
        Require(registers_.StatementIndex >= 0 && size_t(registers_.StatementIndex) < statements.size() &&
                    &statements[size_t(registers_.StatementIndex)] == &statement,
                "the fetched statement is not the one the registers point at");
        if (statement.Condition.empty()) return;
        const auto sensor = [&](TFunktion f) { return EvaluateSensor(f, stage_.world, stage_.stock); };
        Require(EvaluateCondition(statement.Condition, stage_.world, stage_.stock) ==
                    fuzz::ReferenceValue(statement.Condition, sensor),
                "a condition evaluates against the precedence of the language");
    }

    int Fetched = 0;
    int64_t Work = 0;

private:
    const TProcTable& table_;
    const ExecRegisters& registers_;
    const Stage& stage_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const bool generated = size > 0 && data[0] == 0xFF;
    const fuzz::TextAndWorld input =
        generated ? fuzz::SplitInput(data + 1, size - 1) : fuzz::SplitInput(data, size);
    const std::string program =
        generated
            ? fuzz::GenerateProgram({reinterpret_cast<const uint8_t*>(input.Text.data()), input.Text.size()})
            : std::string(input.Text);
    const SourceLines lines = SplitProgramText(program);
    TProcTable table;
    ScannerPosition scanner;
    const std::vector<std::string> messages = CheckSyntax(lines, table, scanner);
    if (generated) Require(messages.empty(), "a program of the language fails the check: " + program);
    if (!messages.empty()) return 0;
    fuzz::CheckCompiledProgram(table, lines);

    fuzz::FuzzedWorld fuzzed = fuzz::WorldFromBytes(input.WorldBytes);
    PlainStockField stock;
    stock.WriteStock(fuzzed.stock);
    fuzz::StrictCanvas canvas;
    Stage stage{fuzzed.world, stock, canvas};
    ExecRegisters registers;
    ResetRegisters(registers);
    CheckingObserver observer(table, registers, stage);

    for (int64_t step = 0; RunsOn(step, registers.ReturnStack.size(), observer.Work); ++step) {
        const fuzz::FigureView before = fuzz::ViewOf(stage);
        observer.Fetched = 0;
        stage.animationStep = 3;
        const StepResult result = ExecuteStep(table, registers, stage, observer);
        Require(observer.Fetched >= 1, "a step of a checked program fetched nothing");
        Require(stage.animationStep == 0, "a step did not rest the animation");
        Require(registers.ReturnStack.size() <= kMaxReturnFrames, "the return stack grew past its bound");
        // A step pushes at most one frame, so checking the top one after every step checks them all.
        if (!registers.ReturnStack.empty()) {
            const ReturnFrame& frame = registers.ReturnStack.back();
            Require(frame.ProcIndex >= 0 && size_t(frame.ProcIndex) < table.size() &&
                        frame.StatementIndex >= -1 &&
                        int64_t(frame.StatementIndex) <
                            int64_t(table[size_t(frame.ProcIndex)].Statements.size()),
                    "a return frame points outside the program");
        }
        switch (result.Outcome) {
        case StepOutcome::Executed:
            fuzz::CheckFigure(fuzz::ViewOf(stage));
            // The animation between two statements redraws the figure's cell frame by frame.
            for (int frame = 1; frame <= 5; ++frame) {
                RedrawCell(stage.world, canvas, stage.world.StartColumn, stage.world.StartRow);
                DrawFigure(stage.world, canvas, frame);
            }
            break;
        case StepOutcome::Finished:
            Require(registers.ProcIndex == 0 && registers.ReturnStack.empty(),
                    "finished inside a call or a body");
            Require(table[0].Statements[size_t(registers.StatementIndex)].Kind == sym_end_dot,
                    "finished elsewhere than at end.");
            fuzz::CheckWorld(stage.world, stock.ReadStock(), "at the end of the run");
            return 0;
        case StepOutcome::Failed:
            Require(*result.Message != '\0', "a failed step without its message");
            if (std::string_view(result.Message) == kReturnStackFullMessage)
                Require(registers.ReturnStack.size() == kMaxReturnFrames, "stack full below its bound");
            else
                Require(fuzz::ViewOf(stage) == before, "a failed action changed the world");
            fuzz::CheckWorld(stage.world, stock.ReadStock(), "after a failed step");
            return 0;
        case StepOutcome::Silent:
            fuzz::Broken("a block end of a checked program met an empty return stack");
        }
    }
    fuzz::CheckWorld(stage.world, stock.ReadStock(), "after the last step");
    return 0;
}
