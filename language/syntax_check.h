// The syntax check: reads the program's lines, removes comments, parses the program and builds its
// compiled form, and lists every fault as a message line (language/messages.h): the zero-based line
// number, ": " and a German text. No messages means the program can run.
#pragma once

#include "language/messages.h"
#include "language/program_model.h"
#include "language/scanner.h"

#include <cstdint>
#include <string>
#include <vector>

namespace nibbo {

// Compound statements and procedure declarations nest at most this deep, counted together. Far
// beyond anything a pupil writes, and far below what the call stack can take of this recursive
// parser, or of anything else that follows nested bodies recursively. One level more ends the
// check with a message of its own.
inline constexpr int32_t kMaxNesting = 1000;

// Rebuilds procTable from scratch and leaves the scanner where the check stopped. The message
// lines are UTF-8. A text without lines gives the single line "kein Programm!".
std::vector<std::string> CheckSyntax(const SourceLines& lines, TProcTable& procTable,
                                     ScannerPosition& scanner);
// The same without a copy of the lines: their comments and tabs become blanks in place.
std::vector<std::string> CheckSyntaxInPlace(PackedLines& lines, TProcTable& procTable,
                                            ScannerPosition& scanner);

} // namespace nibbo
