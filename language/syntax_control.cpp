// The syntax check on the button "Syntax-Überprüfung": it checks the editor's text, lists every
// fault in the message list and selects the line of the first one. The run control calls it before
// every run and starts only when the list stays empty.
#include "language/syntax_control.h"

#include "language/program_text.h"
#include "language/syntax_check.h"
#include "shell/session.h"
#include "shell/windows1252.h"

#include <charconv>

namespace nibbo {

SyntaxControl::SyntaxControl(NibboSession& session, FrontEnd& ui) : session_(session), ui_(ui) {
}

void SyntaxControl::ShowMessages(std::vector<std::string> lines) {
    state_.Lines = std::move(lines);
    ui_.SetMessageList(state_.Lines);
}

void SyntaxControl::SyntaxSpeedButtonClick() {
    ShowMessages({});
    PackedLines lines = PackProgramText(CoreBytes(ui_.EditorText()));
    if (lines.empty()) {
        ui_.ShowMessage(kWriteProgramFirst);
        session_.FormPaint();
        ShowMessages({kNoProgramMessage});
        return;
    }
    ShowMessages(CheckSyntaxInPlace(lines, state_.ProcTable, state_.Scanner));
    if (!state_.Lines.empty()) SelectErrorLine();
}

void SyntaxControl::SelectErrorLine() {
    if (state_.Lines.empty()) return;
    // The message begins with the number of the line it is about.
    const std::string& first = state_.Lines.front();
    const std::size_t colon = first.find(':');
    int line = 0;
    const char* end = first.data() + (colon == std::string::npos ? 0 : colon);
    const auto [stop, error] = std::from_chars(first.data(), end, line);
    if (colon == std::string::npos || colon == 0 || error != std::errc() || stop != end || line < 0) return;
    const std::u16string text = ui_.EditorText();
    // Every line before it counts its line break as two characters.
    std::size_t start = 0;
    for (int i = 0; i < line; ++i) {
        const std::size_t lineBreak = text.find(u'\n', start);
        if (lineBreak == std::u16string::npos) return;
        start = lineBreak + 1;
    }
    if (start >= text.size()) return;
    const std::size_t lineEnd = std::min(text.find(u'\n', start), text.size());
    ui_.SelectInEditor(int(start) + line, int(lineEnd - start));
}

} // namespace nibbo
