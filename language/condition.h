// The condition compiler: checks the text of a condition after "if", "while" or "until" with a
// three-state recogniser and turns it into its tokens in the order of the text. Precedence is left
// to the evaluator, which applies parentheses, then "not", then "and", then "or".
#pragma once

#include "language/program_model.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nibbo {

// Compiles a condition text in lower case, as ReadCondition delivers it. Faults are appended to
// `messages` as message lines about `lineIndex`: CheckMessage::ConditionError and
// CheckMessage::ParenthesisError. The result keeps the tokens compiled up to a fault; its first
// element is `fufehler` when the text is empty or its first token did not compile.
TBooleexp CompileCondition(std::string_view text, int32_t lineIndex, std::vector<std::string>& messages);

} // namespace nibbo
