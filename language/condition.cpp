#include "language/condition.h"

#include "language/scanner.h"

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

} // namespace

TBooleexp CompileCondition(std::string_view text, int32_t lineIndex, std::vector<std::string>& messages) {
    const auto report = [&](const char* message) { messages.push_back(std::to_string(lineIndex) + message); };

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
        bool fits = true;
        switch (state) {
        case State::Operand:
            if (rest.starts_with('(')) {
                take(1, klammerL, State::Operand, true);
                ++open;
            } else if (rest.starts_with("not")) {
                take(3, _not, State::AfterOperator, false);
            } else {
                fits = false;
                for (size_t s = 0; s < std::size(kSensorNames) && !fits; ++s) {
                    if (rest.starts_with(kSensorNames[s])) {
                        take(kSensorNames[s].size(), TFunktion(s + 1), State::AfterOperand, true);
                        fits = true;
                    }
                }
            }
            break;
        case State::AfterOperand:
            if (rest.starts_with(')')) {
                take(1, klammerR, State::AfterOperand, true);
                --open;
            } else if (rest.starts_with("and")) {
                take(3, _and, State::AfterOperator, false);
            } else if (rest.starts_with("or")) {
                take(2, _or, State::AfterOperator, false);
            } else {
                fits = false;
            }
            break;
        case State::AfterOperator:
            if (rest.starts_with('(')) {
                take(1, klammerL, State::Operand, true);
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
            report(": Fehler im booleschen Ausdruck!");
        }
        if (open < 0) {
            failed = true;
            report(": Klammerfehler!");
        }
    }
    if (rest.empty() && state == State::AfterOperator && !failed) report(": Fehler im booleschen Ausdruck!");
    if (open != 0) report(": Klammerfehler!");
    return result;
}

} // namespace nibbo
