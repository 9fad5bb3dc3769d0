// The syntax check: reads the program's lines, removes comments, parses the program and builds its
// compiled form, and lists every fault as a message line: the zero-based line number directly
// followed by a German text, for example "3: \";\" erwartet!". No messages means the program can run.
#pragma once

#include "language/program_model.h"
#include "language/scanner.h"

#include <string>
#include <vector>

namespace nibbo {

// Rebuilds procTable from scratch and leaves the scanner where the check stopped. The message
// lines are UTF-8. A text without lines gives the single line "kein Programm!".
std::vector<std::string> CheckSyntax(const SourceLines& lines, TProcTable& procTable,
                                     ScannerPosition& scanner);
// The same without a copy of the lines: their comments and tabs become blanks in place.
std::vector<std::string> CheckSyntaxInPlace(PackedLines& lines, TProcTable& procTable,
                                            ScannerPosition& scanner);

} // namespace nibbo
