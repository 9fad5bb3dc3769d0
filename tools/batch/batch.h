// nibbo-batch, the teachers' companion on the command line: it checks and runs pupils' files with
// the same core as the program, without a window. Each command lives in a source file of its own
// and has one entry in the command table of main.cpp.
#pragma once

#include "language/program_model.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nibbo::batch {

// Exit codes shared by all commands (those above 1 as in sysexits.h).
inline constexpr int kExitClean = 0;         // the command found nothing to report
inline constexpr int kExitFindings = 1;      // the command reported faults in the file it examined
inline constexpr int kExitUsage = 64;        // the command line is wrong
inline constexpr int kExitNoInput = 66;      // an input file cannot be read
inline constexpr int kExitOutputFailed = 74; // the tool's own output could not be written

struct Command;

// One call of a command: the words after the command's name, and where its output goes.
struct Invocation {
    const Command& Which;
    std::vector<std::string> Arguments;
    std::ostream& Out;
    std::ostream& Err;
};

struct Command {
    std::string_view Name;
    std::string_view Synopsis; // the arguments, as in "PROGRAMM"; a line for each form of the call
    std::string_view Summary;  // what the command does, one line
    std::string_view Help;     // its page for "--help": what it does, its options, its exit codes
    int (*Run)(const Invocation& call);
};

// The command table, in the order the usage text lists it.
const std::vector<Command>& Commands();

// Prints the command's correct forms and returns kExitUsage.
int BadUsage(const Invocation& call);

// An input file that cannot be used: the file's name and the problem on Err, and kExitNoInput.
int CannotRead(const Invocation& call, const std::string& path, const std::string& problem);

// A program or recording file as the program editor loads it, or nothing after CannotRead.
std::optional<std::string> ReadTextInput(const Invocation& call, const std::string& path);

// What reading and checking a program found.
struct ProgramCheck {
    int ExitCode = kExitClean; // kExitClean when the program can run, kExitFindings with messages,
                               // kExitNoInput when the file cannot be read
    std::string Problem;       // why the file cannot be read
    std::vector<std::string> Messages;
};

// Reads a program file as the program editor loads one and runs the syntax check on it into
// procTable, printing every message line on Out (a file that cannot be read: on Err).
ProgramCheck ReadAndCheckProgram(const Invocation& call, const std::string& path, TProcTable& procTable);

// --- The commands ---
int SyntaxCommand(const Invocation& call);
int RunCommand(const Invocation& call);
int ReplayCommand(const Invocation& call);
int RenderCommand(const Invocation& call);
int ThumbnailCommand(const Invocation& call);
int BookletCommand(const Invocation& call);

} // namespace nibbo::batch
