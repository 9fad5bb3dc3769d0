// The execution engine: runs a compiled program one statement per step on a program counter
// (procedure index, statement index) and a return stack that serves procedure calls and the
// bodies of if, while and repeat alike.
#pragma once

#include "language/program_model.h"

#include <cstdint>
#include <vector>

namespace nibbo {

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

} // namespace nibbo
