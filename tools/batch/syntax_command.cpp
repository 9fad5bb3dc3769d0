// nibbo-batch syntax PROGRAMM: the syntax check of the button "Syntax-Überprüfung" on a program
// file, read as the program editor loads it. Prints every message line in order, in UTF-8.
#include "batch.h"

#include "language/program_text.h"
#include "language/syntax_check.h"

#include <ostream>

namespace nibbo::batch {

int SyntaxCommand(const Invocation& call) {
    if (call.Arguments.size() != 1) return BadUsage(call);
    TProcTable procTable;
    return ReadAndCheckProgram(call, call.Arguments[0], procTable);
}

int ReadAndCheckProgram(const Invocation& call, const std::string& path, TProcTable& procTable) {
    const std::optional<std::string> bytes = ReadTextInput(call, path);
    if (!bytes) return kExitNoInput;
    ScannerPosition scanner;
    PackedLines lines = PackProgramText(*bytes);
    const std::vector<std::string> messages = CheckSyntaxInPlace(lines, procTable, scanner);
    for (const std::string& message : messages)
        call.Out << message << '\n';
    return messages.empty() ? kExitClean : kExitFindings;
}

} // namespace nibbo::batch
