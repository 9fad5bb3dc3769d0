// nibbo-batch syntax PROGRAMM: the syntax check of the button "Syntax-Überprüfung" on a program
// file, read as the program editor loads it. Prints every message line in order, in UTF-8.
#include "batch.h"

#include "language/program_text.h"
#include "language/syntax_check.h"
#include "shell/file_io.h"

#include <ostream>

namespace nibbo::batch {

int SyntaxCommand(const Invocation& call) {
    if (call.Arguments.size() != 1) return BadUsage(call);
    TProcTable procTable;
    return ReadAndCheckProgram(call, call.Arguments[0], procTable).ExitCode;
}

ProgramCheck ReadAndCheckProgram(const Invocation& call, const std::string& path, TProcTable& procTable) {
    ProgramCheck check;
    const FileRead read = ReadTextFileBytes(path);
    if (!read.Ok()) {
        check.ExitCode = CannotRead(call, path, read.Problem);
        check.Problem = read.Problem;
        return check;
    }
    ScannerPosition scanner;
    PackedLines lines = PackProgramText(read.Bytes);
    check.Messages = CheckSyntaxInPlace(lines, procTable, scanner);
    for (const std::string& message : check.Messages)
        call.Out << message << '\n';
    check.ExitCode = check.Messages.empty() ? kExitClean : kExitFindings;
    return check;
}

} // namespace nibbo::batch
