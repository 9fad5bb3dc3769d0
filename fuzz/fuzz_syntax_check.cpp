// The syntax check on any text a pupil can type or load: it never aborts, every message names a
// line of the text in the fixed form, a text without messages compiles into a form the engine can
// run, and checking the same text again gives the same result.
#include "invariants.h"

#include "language/program_text.h"
#include "language/syntax_check.h"

using namespace nibbo;
using nibbo::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const SourceLines lines = SplitProgramText(std::string_view(reinterpret_cast<const char*>(data), size));
    TProcTable table;
    ScannerPosition scanner;
    const std::vector<std::string> messages = CheckSyntax(lines, table, scanner);

    fuzz::CheckMessages(messages, lines);
    if (!lines.empty())
        Require(scanner.LineIndex >= 0 && size_t(scanner.LineIndex) < lines.size(), "scanner left the text");
    if (messages.empty()) fuzz::CheckCompiledProgram(table, lines);

    TProcTable again;
    ScannerPosition secondScanner;
    Require(CheckSyntax(lines, again, secondScanner) == messages, "a second check lists other messages");
    Require(again == table, "a second check compiles another program");
    return 0;
}
