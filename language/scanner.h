// Reading program text token by token. The syntax check reads a comment-free copy of the editor's
// lines; the replay of a recording reads its own copy as it is. Every position counts a line break
// as two characters, so that positions found here select the same text in the editor.
#pragma once

#include "language/program_model.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nibbo {

// Lines of program text, one byte per character (Windows-1252), without line breaks.
using SourceLines = std::vector<std::string>;

struct ScannerMark {
    int32_t LineIndex = 0;
    int32_t Column = 1;
    int32_t LineStart = 0;
};

// Where the scanner stands. LineStart + TokenColumn is the one-based position of the last token
// read in the text with two-character line breaks.
struct ScannerPosition {
    int32_t LineIndex = 0;   // zero-based line; also the number every message of the check carries
    int32_t Column = 1;      // one-based column of the next unread character
    int32_t LineStart = 0;   // characters before the current line, line breaks counted as two
    int32_t TokenColumn = 0; // column where the last token read begins
    bool EndOfText = false;  // the last read found no more text
    ScannerMark Mark;        // taken at the start of every read; UnreadToken goes back to it
};

// Line 0, column 1, line start 0.
void ResetScanner(ScannerPosition& position);

// The next token in lower case ("A".."Z" lowered), or "" at the end of the text. Tokens are
// separated by blanks (code 32 only), line ends and ";", which is a token of its own.
std::string ReadWord(const SourceLines& lines, ScannerPosition& position);

// Sets the position back to where the last read began (one level only).
void UnreadToken(ScannerPosition& position);

// "_" or a letter a..z first, then "_", a..z or 0..9; not empty.
bool IsIdentifier(std::string_view text);

} // namespace nibbo
