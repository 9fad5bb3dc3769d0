#include "language/condition.h"

#include "language/messages.h"
#include "language/vocabulary.h"

namespace nibbo {

namespace {

std::string_view Trim(std::string_view s) {
    const auto blank = [](char ch) { return static_cast<unsigned char>(ch) <= 32; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The recogniser's states: an operand is expected; an operand has been read; an operator word has
// been read and a blank or "(" must follow.
enum class State { Operand, AfterOperand, AfterOperator };

constexpr std::span<const VocabularyWord> kSensors = WordsOf(WordKind::Sensor);

} // namespace

TBooleexp CompileCondition(std::string_view text, int32_t lineIndex, std::vector<std::string>& messages) {
    const auto report = [&](CheckMessage message) { messages.push_back(MessageLine(lineIndex, message)); };

    TBooleexp result{fufehler};
    std::string_view rest = Trim(text);
    int64_t open = 0; // parentheses opened and not yet closed
    size_t slot = 0;
    bool first = true;
    bool reuse = false; // the slot of the last pass is still empty and is filled by this one
    bool failed = false;
    State state = State::Operand;

    while (!rest.empty() && !failed) {
        if (reuse) {
            reuse = false;
        } else {
            if (!first) ++slot;
            first = false;
            if (result.size() < slot + 1) result.resize(slot + 1, f_null);
        }
        const auto take = [&](size_t count, TFunktion token, State next, bool trim) {
            result[slot] = token;
            rest.remove_prefix(count);
            if (trim) rest = Trim(rest);
            state = next;
        };
        // Takes the operator or parenthesis `token` if the rest begins with it.
        const auto accept = [&](TFunktion token, State next, bool trim) {
            if (!rest.starts_with(Spelling(token))) return false;
            take(Spelling(token).size(), token, next, trim);
            return true;
        };
        bool fits = true;
        switch (state) {
        case State::Operand:
            if (accept(klammerL, State::Operand, true)) {
                ++open;
            } else if (!accept(_not, State::AfterOperator, false)) {
                fits = false;
                for (const VocabularyWord& sensor : kSensors) {
                    if (rest.starts_with(sensor.Text)) {
                        take(sensor.Text.size(), sensor.Token, State::AfterOperand, true);
                        fits = true;
                        break;
                    }
                }
            }
            break;
        case State::AfterOperand:
            if (accept(klammerR, State::AfterOperand, true)) {
                --open;
            } else if (!accept(_and, State::AfterOperator, false) &&
                       !accept(_or, State::AfterOperator, false)) {
                fits = false;
            }
            break;
        case State::AfterOperator:
            if (accept(klammerL, State::Operand, true)) {
                ++open;
            } else if (rest.starts_with(' ')) {
                rest = Trim(rest);
                reuse = true;
                state = State::Operand;
            } else {
                fits = false;
            }
            break;
        }
        if (!fits) {
            failed = true;
            report(CheckMessage::ConditionError);
        }
        if (open < 0) {
            failed = true;
            report(CheckMessage::ParenthesisError);
        }
    }
    if (rest.empty() && state == State::AfterOperator && !failed) report(CheckMessage::ConditionError);
    if (open != 0) report(CheckMessage::ParenthesisError);
    return result;
}

} // namespace nibbo
