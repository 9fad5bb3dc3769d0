// The replay of a recording: it reads the editor's words directly, checks the header once when it
// starts and each instruction only when its tick comes.
#pragma once

#include "language/scanner.h"

namespace nibbo {

// A copy of the editor's lines taken when the replay starts, and where the replay reads in it.
struct ReplayState {
    SourceLines Lines;
    ScannerPosition Position;
};

} // namespace nibbo
