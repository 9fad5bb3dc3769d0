#include "language/scanner.h"

namespace nibbo {

namespace {

char Lower(char ch) { return ch >= 'A' && ch <= 'Z' ? char(ch - 'A' + 'a') : ch; }

bool IsLowerLetter(char ch) { return ch >= 'a' && ch <= 'z'; }

} // namespace

void ResetScanner(ScannerPosition& position) { position = ScannerPosition{}; }

std::string ReadWord(const SourceLines& lines, ScannerPosition& position) {
    position.Mark = {position.LineIndex, position.Column, position.LineStart};
    position.EndOfText = false;
    if (lines.empty()) {
        position.EndOfText = true;
        position.TokenColumn = position.Column;
        return {};
    }
    // Skip blanks and empty line rests.
    for (;;) {
        const std::string& line = lines[size_t(position.LineIndex)];
        size_t at = size_t(position.Column - 1);
        while (at < line.size() && line[at] == ' ') ++at;
        position.Column = int32_t(at + 1);
        if (at < line.size()) break;
        if (size_t(position.LineIndex) + 1 >= lines.size()) {
            position.EndOfText = true;
            break;
        }
        position.LineStart += int32_t(line.size()) + 2;
        ++position.LineIndex;
        position.Column = 1;
    }
    position.TokenColumn = position.Column;
    if (position.EndOfText) return {};

    const std::string& line = lines[size_t(position.LineIndex)];
    const size_t begin = size_t(position.Column - 1);
    if (line[begin] == ';') {
        ++position.Column;
        return ";";
    }
    size_t end = begin;
    while (end < line.size() && line[end] != ' ' && line[end] != ';') ++end;
    std::string token(line, begin, end - begin);
    for (char& ch : token) ch = Lower(ch);
    position.Column += int32_t(end - begin);
    return token;
}

void UnreadToken(ScannerPosition& position) {
    position.LineIndex = position.Mark.LineIndex;
    position.Column = position.Mark.Column;
    position.LineStart = position.Mark.LineStart;
}

bool IsIdentifier(std::string_view text) {
    if (text.empty()) return false;
    if (text[0] != '_' && !IsLowerLetter(text[0])) return false;
    for (char ch : text.substr(1))
        if (ch != '_' && !IsLowerLetter(ch) && !(ch >= '0' && ch <= '9')) return false;
    return true;
}

} // namespace nibbo
