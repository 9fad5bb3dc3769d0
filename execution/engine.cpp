#include "execution/engine.h"

#include <algorithm>
#include <iterator>

namespace nibbo {

namespace {

constexpr StepResult kExecuted{StepOutcome::Executed, ""};
constexpr StepResult kStackFull{StepOutcome::Failed, kReturnStackFullMessage};

bool Push(ExecRegisters& registers, int32_t statementIndex) {
    if (registers.ReturnStack.size() >= kMaxReturnFrames) return false;
    registers.ReturnStack.push_back({registers.ProcIndex, statementIndex});
    return true;
}

// The statement index from which the next step fetches `target`. A target outside the procedure
// (which the compiler never produces) leaves nothing to fetch, so the run stands still instead of
// reading beyond the statements.
int32_t Before(int32_t target, const std::vector<TAnweisung>& statements) {
    if (target < 0 || size_t(target) > statements.size()) return int32_t(statements.size());
    return target - 1;
}

// The state of one parenthesised group while its tokens are read from left to right: the "or" of
// the conjunctions already complete, the "and" of the current conjunction so far, and whether an
// odd number of "not" waits for the next operand.
struct Group {
    bool Disjunction = false;
    bool Conjunction = true;
    bool Negate = false;

    void Operand(bool value) {
        Conjunction = Conjunction && (value != Negate);
        Negate = false;
    }
    void Or() {
        Disjunction = Disjunction || Conjunction;
        Conjunction = true;
        Negate = false;
    }
    bool Value() const { return Disjunction || Conjunction; }

    uint8_t Packed() const {
        return uint8_t(int(Disjunction) | (int(Conjunction) << 1) | (int(Negate) << 2));
    }
    static Group Unpacked(uint8_t bits) { return {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0}; }
};

} // namespace

void ResetRegisters(ExecRegisters& registers) {
    registers.ProcIndex = 0;
    registers.StatementIndex = -1;
    registers.ReturnStack.clear();
}

bool EvaluateCondition(const TBooleexp& condition, const World& world, const StockField& stock) {
    // The enclosing groups of the one being read, innermost last. Kept between calls: once it has
    // grown to the deepest nesting met, evaluating allocates nothing.
    thread_local std::vector<uint8_t> enclosing;
    enclosing.clear();
    // Sensors cannot change during one evaluation: each is read once, when first met.
    int8_t sensors[ostwaerts + 1];
    std::fill(std::begin(sensors), std::end(sensors), int8_t(-1));
    Group group;
    for (const TFunktion token : condition) {
        switch (token) {
        case _true:
        case _false:
            group.Operand(token == _true);
            break;
        case _not:
            group.Negate = !group.Negate;
            break;
        case _and:
            break;
        case _or:
            group.Or();
            break;
        case klammerL:
            enclosing.push_back(group.Packed());
            group = Group{};
            break;
        case klammerR:
            // A surplus ")" (never in a condition that compiled) closes nothing.
            if (!enclosing.empty()) {
                const bool value = group.Value();
                group = Group::Unpacked(enclosing.back());
                enclosing.pop_back();
                group.Operand(value);
            }
            break;
        default:
            if (IsSensor(token)) {
                int8_t& value = sensors[token];
                if (value < 0) value = EvaluateSensor(token, world, stock) ? 1 : 0;
                group.Operand(value != 0);
            }
            break;
        }
    }
    // Groups left open (again never in a condition that compiled) close at the end.
    while (!enclosing.empty()) {
        const bool value = group.Value();
        group = Group::Unpacked(enclosing.back());
        enclosing.pop_back();
        group.Operand(value);
    }
    return group.Value();
}

StepResult ExecuteStep(const TProcTable& procTable, ExecRegisters& registers, Stage& stage,
                       StepObserver& observer) {
    stage.animationStep = 0;
    // One pass per fetched statement: a block end returns and fetches the next one in the same
    // step, however many block ends follow one another.
    for (;;) {
        if (registers.ProcIndex < 0 || size_t(registers.ProcIndex) >= procTable.size()) return kExecuted;
        const std::vector<TAnweisung>& statements = procTable[size_t(registers.ProcIndex)].Statements;
        if (registers.StatementIndex < -1 ||
            int64_t(registers.StatementIndex) + 1 >= int64_t(statements.size()))
            return kExecuted; // nothing to fetch; a program that compiled never gets here

        const TAnweisung& statement = statements[size_t(++registers.StatementIndex)];
        observer.StatementFetched(statement);

        switch (statement.Kind) {
        case sym_end:
        case sym_else:
        case sym_end_dot: {
            if (registers.ReturnStack.empty()) {
                if (statement.Kind == sym_end_dot && registers.ProcIndex == 0)
                    return {StepOutcome::Finished, ""};
                return {StepOutcome::Silent, ""};
            }
            const ReturnFrame frame = registers.ReturnStack.back();
            registers.ReturnStack.pop_back();
            registers.ProcIndex = frame.ProcIndex;
            registers.StatementIndex = frame.StatementIndex;
            continue;
        }
        case sym_if: {
            if (!Push(registers, registers.StatementIndex)) return kStackFull;
            if (EvaluateCondition(statement.Condition, stage.world, stage.stock)) {
                registers.StatementIndex = Before(statement.Target, statements);
            } else {
                // On to the else marker; the next step runs the else-branch after it.
                int32_t index = statement.Target;
                while (index >= 0 && size_t(index) < statements.size() &&
                       statements[size_t(index)].Kind != sym_else)
                    ++index;
                registers.StatementIndex = index >= 0 ? index : int32_t(statements.size());
            }
            return kExecuted;
        }
        case sym_while:
            if (EvaluateCondition(statement.Condition, stage.world, stage.stock)) {
                // The frame points one before the while, so the return at the body's end tests again.
                if (!Push(registers, registers.StatementIndex - 1)) return kStackFull;
                registers.StatementIndex = Before(statement.Target, statements);
            }
            return kExecuted;
        case sym_repeat:
            if (!Push(registers, registers.StatementIndex)) return kStackFull;
            registers.StatementIndex = Before(statement.Target, statements);
            return kExecuted;
        case sym_until: {
            const bool done = EvaluateCondition(statement.Condition, stage.world, stage.stock);
            if (registers.ReturnStack.empty()) return kExecuted; // no repeat of its own: never compiled so
            const ReturnFrame frame = registers.ReturnStack.back();
            if (done) {
                registers.StatementIndex = frame.StatementIndex;
                registers.ReturnStack.pop_back();
            } else if (frame.StatementIndex >= 0 && size_t(frame.StatementIndex) < statements.size()) {
                registers.StatementIndex =
                    Before(statements[size_t(frame.StatementIndex)].Target, statements);
            } else {
                registers.StatementIndex = int32_t(statements.size());
            }
            return kExecuted;
        }
        case sym_nimm_auf:
        case sym_gib_ab:
        case sym_vor:
        case sym_drehe_links: {
            const ActionResult result = DoAction(statement.Kind, stage);
            if (result != ActionResult::Done) return {StepOutcome::Failed, ActionMessage(result)};
            return kExecuted;
        }
        case sym_call:
            if (!Push(registers, registers.StatementIndex)) return kStackFull;
            registers.ProcIndex = statement.Target;
            registers.StatementIndex = -1;
            return kExecuted;
        default:
            return kExecuted;
        }
    }
}

} // namespace nibbo
