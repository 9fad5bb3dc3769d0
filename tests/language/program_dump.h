// A readable text form of a compiled program, one procedure header and then one line per record,
// so that golden files can show the compiled records of a program beside its text.
#pragma once

#include "language/program_model.h"

#include <string>

namespace nibbo::testing {

// "procedure <index> <name or -> parent <parent>" per entry, then per record
// "<index> <kind> <target> <selstart> <sellength>" and, for records with a condition, its tokens.
std::string DumpProgram(const TProcTable& table);

// The name of a condition token as it stands in the source ("(", "and", "vorne_frei"), or its
// enumerator's name for the tokens that have no source form.
std::string TokenName(TFunktion token);

} // namespace nibbo::testing
