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

// The state of one parenthesised group while its tokens are read from left to right, in three
// bits: the "or" of the conjunctions already complete (1), the "and" of the current conjunction so
// far (2), and whether an odd number of "not" waits for the next operand (4).
constexpr uint8_t kDisjunction = 1, kConjunction = 2, kNegate = 4;
constexpr uint8_t kFreshGroup = kConjunction;

// What a token does to a group: an operand that is true or false, or one of the operators.
enum Effect : uint8_t { OperandTrue, OperandFalse, Not, And, Or, EffectCount };

constexpr uint8_t Next(uint8_t group, Effect effect) {
    const bool disjunction = group & kDisjunction, conjunction = group & kConjunction,
               negate = group & kNegate;
    switch (effect) {
    case OperandTrue:
    case OperandFalse: {
        const bool value = (effect == OperandTrue) != negate;
        return uint8_t((disjunction ? kDisjunction : 0) | (conjunction && value ? kConjunction : 0));
    }
    case Not:
        return uint8_t(group ^ kNegate);
    case Or:
        return uint8_t((disjunction || conjunction ? kDisjunction : 0) | kConjunction);
    default:
        return group;
    }
}

// Every transition looked up rather than decided by branches, which a long condition would
// otherwise mispredict at almost every token.
struct Transitions {
    uint8_t To[8][EffectCount];
    constexpr Transitions() : To{} {
        for (uint8_t group = 0; group < 8; ++group)
            for (int effect = 0; effect < EffectCount; ++effect)
                To[group][effect] = Next(group, Effect(effect));
    }
};
constexpr Transitions kTransitions;

constexpr bool Value(uint8_t group) {
    return (group & (kDisjunction | kConjunction)) != 0;
}

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
    uint8_t group = kFreshGroup;
    const auto close = [&group] {
        const Effect value = Value(group) ? OperandTrue : OperandFalse;
        group = kTransitions.To[enclosing.back()][value];
        enclosing.pop_back();
    };
    for (const TFunktion token : condition) {
        if (IsSensor(token)) {
            int8_t& value = sensors[token];
            if (value < 0) value = EvaluateSensor(token, world, stock) ? 1 : 0;
            group = kTransitions.To[group][value ? OperandTrue : OperandFalse];
        } else if (token >= _and && token <= _false) {
            static constexpr Effect kEffects[] = {And, Or, Not, OperandTrue, OperandFalse};
            group = kTransitions.To[group][kEffects[token - _and]];
        } else if (token == klammerL) {
            enclosing.push_back(group);
            group = kFreshGroup;
        } else if (token == klammerR && !enclosing.empty()) {
            close(); // a surplus ")" (never in a condition that compiled) closes nothing
        }
    }
    // Groups left open (again never in a condition that compiled) close at the end.
    while (!enclosing.empty())
        close();
    return Value(group);
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
