// What the syntax check says, every text once. A message line is the zero-based number of the line
// it is about, ": " and the text, for example "3: \";\" erwartet!": the window lists the lines and
// selects the line by that number, the batch tool prints them as they are. The texts are UTF-8.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace nibbo {

enum class CheckMessage : uint8_t {
    ProgramExpected,
    ProcedureExpected,
    InvalidProgramName,
    Redefined,
    InvalidProcedureName,
    SemicolonExpected,
    BeginExpected,
    SyntaxError,
    UnexpectedElse,
    UntilWithoutRepeat,
    UnexpectedEnd,
    UnexpectedProgramEnd,
    StatementsAfterProgramEnd,
    NoProgramEnd, // the main block ended with "end;" instead of "end."
    ConditionError,
    ParenthesisError,
    TooDeep, // nested deeper than kMaxNesting; the check ends there
};

// The texts in the order of CheckMessage.
inline constexpr std::array<std::string_view, 17> kCheckTexts = {
    "\"program\" erwartet!",
    "\"procedure\" erwartet!",
    "ungültiger Programmname!",
    "Bezeichner redefiniert!",
    "ungültiger Procedurenname!",
    "\";\" erwartet!",
    "\"begin\" erwartet!",
    "Syntax-Fehler!",
    "unerwartetes \"else\"!",
    "until ohne repeat!",
    "unerwartetes \"end\"!",
    "unerwartetes Programmende!",
    "keine Anweisungen nach Prg-ende!",
    "\";\" kein Programende!",
    "Fehler im booleschen Ausdruck!",
    "Klammerfehler!",
    "Programm zu tief verschachtelt!",
};
static_assert(kCheckTexts.size() == size_t(CheckMessage::TooDeep) + 1);

// The message line about zero-based line `line`.
inline std::string MessageLine(int32_t line, CheckMessage message) {
    std::string text = std::to_string(line);
    text += ": ";
    text += kCheckTexts[size_t(message)];
    return text;
}

// The single message of a text without lines, without a line number.
inline constexpr const char* kNoProgramMessage = "kein Programm!";
// Shown in a message box when the syntax check is asked for and the editor is empty.
inline constexpr const char* kWriteProgramFirst = "Erst Programm schreiben!";

} // namespace nibbo
