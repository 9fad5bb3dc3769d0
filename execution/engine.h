// The execution engine: runs a compiled program one statement per step on a program counter
// (procedure index, statement index) and a return stack that serves procedure calls and the
// bodies of if, while and repeat alike. It has no timers of its own: the run control (and the
// batch tool) call ExecuteStep and decide what follows each outcome.
#pragma once

#include "language/program_model.h"
#include "world/actions.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace nibbo {

// The message that ends a run at the main program's "end.".
inline constexpr const char* kProgramFinishedMessage = "Programm beendet!";

struct ReturnFrame {
    int32_t ProcIndex = 0;
    int32_t StatementIndex = 0;
};

// Set up afresh at the start of every run; kept after it ends.
struct ExecRegisters {
    int32_t ProcIndex = 0;
    int32_t StatementIndex = -1; // the statement last fetched; -1 before the first
    std::vector<ReturnFrame> ReturnStack;
};

// The start of a run: procedure 0, before its first statement, no frames. The stack keeps the
// memory it has grown to, so that a new run does not grow it again.
void ResetRegisters(ExecRegisters& registers);

// A program that recurses without end would grow the return stack until memory runs out. Past this
// many frames the push fails and the run ends as a failed action does; a pupil's program on a world
// of 24 x 20 cells stays far below it.
inline constexpr std::size_t kMaxReturnFrames = 100000;

// The German message (UTF-8) of a run that ends because the return stack is full.
inline constexpr const char* kReturnStackFullMessage =
    "Zu viele Aufrufe ineinander! Ruft sich eine Prozedur endlos selbst auf?";

enum class StepOutcome : uint8_t {
    Executed, // a statement that is not a block end was executed; an animation may follow
    Finished, // the main program's "end." was reached
    Failed,   // an action failed, or the return stack is full; see Message
    Silent,   // a block end met an empty return stack outside the end of the program
};

struct StepResult {
    StepOutcome Outcome = StepOutcome::Executed;
    const char* Message = ""; // UTF-8; set when the outcome is Failed
};

// Told of every statement that a step fetches, before it is executed: a step that runs through
// block ends fetches several. The window selects the text of the last one that has text of its own
// (SelStart 0 marks a statement without, which selects nothing) in the editor, and takes the speed
// for the next tick from the slider; the batch tool's trace reports the last one.
class StepObserver {
public:
    virtual ~StepObserver() = default;
    virtual void StatementFetched(const TAnweisung& statement) = 0;
};

// Executes the next statement of the running program on the stage's world and stock. Sets the
// stage's animation step to 0 first. A block end pops the return stack and fetches the statement
// it returns to within the same step, so a return never costs a step of its own. On a failure
// StatementIndex stays on the statement that failed. The registers must have been set up with
// ResetRegisters at the start of the run.
StepResult ExecuteStep(const TProcTable& procTable, ExecRegisters& registers, Stage& stage,
                       StepObserver& observer);

// A condition's value: parentheses first, then "not", then "and", then "or", operators of one rank
// from left to right. Every sensor in it is read, also where the outcome is already settled (a
// sensor that appears twice is read once: sensors have no side effects). Two or more "not" in a row before
// one operand negate it once for each. Nesting depth is unlimited; the work grows with the condition's length
// only, and nothing is allocated once the evaluator has met the deepest nesting so far.
bool EvaluateCondition(const TBooleexp& condition, const World& world, const StockField& stock);

} // namespace nibbo
