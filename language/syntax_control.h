// The button "Syntax-Überprüfung": the syntax check of the editor's text, its messages in the
// message list and the faulty line selected. The compiled program and the scanner's position live
// here, once; the run control executes the program compiled last.
#pragma once

#include "language/program_model.h"
#include "language/scanner.h"
#include "shell/front_end.h"

#include <string>
#include <vector>

namespace nibbo {

class NibboSession;
namespace testing {
struct StateAccess;
}

struct ProgramState {
    TProcTable ProcTable;           // the compiled program
    ScannerPosition Scanner;        // where the check stopped reading
    std::vector<std::string> Lines; // the message list: the check's messages
};

class SyntaxControl {
public:
    SyntaxControl(NibboSession& session, FrontEnd& ui);

    const ProgramState& State() const { return state_; }

    // --- Handlers ---
    void SyntaxSpeedButtonClick();
    void SelectErrorLine();

private:
    friend struct testing::StateAccess;

    void ShowMessages(std::vector<std::string> lines);

    NibboSession& session_;
    FrontEnd& ui_;
    ProgramState state_;
};

} // namespace nibbo
