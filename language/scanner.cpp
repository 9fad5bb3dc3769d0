#include "language/scanner.h"

#include "language/vocabulary.h"

#include <algorithm>

namespace nibbo {

namespace {

char Lower(char ch) {
    return ch >= 'A' && ch <= 'Z' ? char(ch - 'A' + 'a') : ch;
}

bool IsLowerLetter(char ch) {
    return ch >= 'a' && ch <= 'z';
}

// Characters up to code 32 count as blank when a line of a condition is trimmed; bytes of
// Windows-1252 above 127 do not.
bool IsControlOrBlank(char ch) {
    return static_cast<unsigned char>(ch) <= 32;
}

void Blank(std::span<char> line, size_t from, size_t to) {
    std::fill(line.begin() + std::ptrdiff_t(from), line.begin() + std::ptrdiff_t(to), ' ');
}

// Position of the leftmost comment opener in the line at or after `from`, and its kind.
enum class Opener { None, Brace, Paren, Slashes };

Opener FindOpener(std::string_view line, size_t from, size_t& at) {
    for (size_t i = from; i < line.size(); ++i) {
        const char ch = line[i];
        const char next = i + 1 < line.size() ? line[i + 1] : '\0';
        if (ch == '{') {
            at = i;
            return Opener::Brace;
        }
        if (ch == '(' && next == '*') {
            at = i;
            return Opener::Paren;
        }
        if (ch == '/' && next == '/') {
            at = i;
            return Opener::Slashes;
        }
    }
    return Opener::None;
}

// The scanner reads lines held either way, SourceLines or PackedLines; comments are removed
// through these.
std::span<char> WritableLine(SourceLines& lines, size_t index) {
    return lines[index];
}
std::span<char> WritableLine(PackedLines& lines, size_t index) {
    return lines.WritableLine(index);
}

// Skips blanks and empty line rests; at the end of the text the position stays behind the last
// character of the last line and EndOfText is set.
template <class Lines> void SkipBlanks(const Lines& lines, ScannerPosition& position) {
    for (;;) {
        const std::string_view line = lines[size_t(position.LineIndex)];
        size_t at = size_t(std::max(position.Column, 1) - 1);
        while (at < line.size() && line[at] == ' ')
            ++at;
        position.Column = int32_t(std::min(at, line.size()) + 1);
        if (at < line.size()) return;
        if (size_t(position.LineIndex) + 1 >= lines.size()) {
            position.EndOfText = true;
            return;
        }
        position.LineStart += int32_t(line.size()) + 2;
        ++position.LineIndex;
        position.Column = 1;
    }
}

// The words that end the text of a condition, found also inside words.
constexpr std::string_view kSemicolon = Spelling(sym_semicolon);
constexpr std::string_view kDo = Spelling(sym_do);
constexpr std::string_view kThen = Spelling(sym_then);
constexpr std::string_view kEnd = Spelling(sym_end);
static_assert(kSemicolon.size() == 1, "\";\" is a token of its own, one character long");

// Index of the leftmost "do", "then", "end" or ";" in line[from, to), letters compared after
// lowering, or `to` if there is none. The words begin with different characters, which pick the
// one word to compare.
size_t FindTerminator(std::string_view line, size_t from, size_t to) {
    const auto matches = [&](size_t at, std::string_view word) {
        if (to - at < word.size()) return false;
        for (size_t k = 0; k < word.size(); ++k)
            if (Lower(line[at + k]) != word[k]) return false;
        return true;
    };
    for (size_t at = from; at < to; ++at) {
        switch (Lower(line[at])) {
        case kSemicolon[0]:
            return at;
        case kDo[0]:
            if (matches(at, kDo)) return at;
            break;
        case kThen[0]:
            if (matches(at, kThen)) return at;
            break;
        case kEnd[0]:
            if (matches(at, kEnd)) return at;
            break;
        default:
            break;
        }
    }
    return to;
}

void AppendLowered(std::string& out, std::string_view line, size_t from, size_t to) {
    for (size_t i = from; i < to; ++i)
        out.push_back(Lower(line[i]));
}

template <class Lines> void StripCommentsIn(Lines& lines) {
    for (size_t index = 0; index < lines.size(); ++index) {
        const std::span<char> line = WritableLine(lines, index);
        std::replace(line.begin(), line.end(), '\t', ' ');
    }

    size_t index = 0;
    size_t from = 0; // everything left of it on the current line is free of comments already
    while (index < lines.size()) {
        const std::span<char> line = WritableLine(lines, index);
        size_t b = 0;
        const Opener opener = FindOpener(std::string_view(line.data(), line.size()), from, b);
        if (opener == Opener::None) {
            ++index;
            from = 0;
            continue;
        }
        if (opener == Opener::Slashes) {
            Blank(line, b, line.size());
            ++index;
            from = 0;
            continue;
        }
        // A brace comment closes with "}" right of the "{"; a parenthesis comment with "*)"
        // beginning right of the "(", so that "(*)" is a whole comment.
        const std::string_view closer = opener == Opener::Brace ? "}" : "*)";
        size_t searchFrom = b + 1;
        size_t blankFrom = b;
        for (size_t closing = index;; ++closing) {
            if (closing >= lines.size()) return; // never closed: the rest of the text is comment
            const std::span<char> current = WritableLine(lines, closing);
            const size_t end = std::string_view(current.data(), current.size()).find(closer, searchFrom);
            if (end != std::string_view::npos) {
                // The line is examined again behind the comment, for further comments on it.
                const size_t stop = end + closer.size();
                Blank(current, blankFrom, stop);
                index = closing;
                from = stop;
                break;
            }
            Blank(current, blankFrom, current.size());
            searchFrom = 0;
            blankFrom = 0;
        }
    }
}

template <class Lines> std::string ReadWordIn(const Lines& lines, ScannerPosition& position) {
    position.Mark = {position.LineIndex, position.Column, position.LineStart};
    position.EndOfText = false;
    if (lines.empty()) {
        position.EndOfText = true;
        position.TokenColumn = position.Column;
        return {};
    }
    SkipBlanks(lines, position);
    position.TokenColumn = position.Column;
    if (position.EndOfText) return {};

    const std::string_view line = lines[size_t(position.LineIndex)];
    const size_t begin = size_t(position.Column - 1);
    if (line[begin] == kSemicolon[0]) {
        ++position.Column;
        return std::string(kSemicolon);
    }
    size_t end = begin;
    while (end < line.size() && line[end] != ' ' && line[end] != kSemicolon[0])
        ++end;
    std::string token;
    AppendLowered(token, line, begin, end);
    position.Column += int32_t(end - begin);
    return token;
}

template <class Lines> std::string ReadConditionIn(const Lines& lines, ScannerPosition& position) {
    position.Mark = {position.LineIndex, position.Column, position.LineStart};
    position.EndOfText = false;
    if (lines.empty()) {
        position.EndOfText = true;
        return {};
    }
    SkipBlanks(lines, position);
    if (position.EndOfText) return {};

    std::string text;
    std::string_view line = lines[size_t(position.LineIndex)];
    size_t from = size_t(position.Column - 1);
    size_t to = line.size();
    for (;;) {
        const size_t at = FindTerminator(line, from, to);
        AppendLowered(text, line, from, at);
        if (at < to) {
            position.Column = int32_t(at + 1);
            return text;
        }
        if (size_t(position.LineIndex) + 1 >= lines.size()) break;
        position.LineStart += int32_t(line.size()) + 2;
        ++position.LineIndex;
        line = lines[size_t(position.LineIndex)];
        // The next line joins the text after one blank, without its leading and trailing blanks.
        from = 0;
        to = line.size();
        while (from < to && IsControlOrBlank(line[from]))
            ++from;
        while (to > from && IsControlOrBlank(line[to - 1]))
            --to;
        text.push_back(' ');
    }
    position.EndOfText = true;
    position.Column = int32_t(line.size()) + 1;
    return text;
}

} // namespace

PackedLines::PackedLines(const SourceLines& lines) {
    size_t characters = 0;
    for (const std::string& line : lines)
        characters += line.size();
    Reserve(characters, lines.size());
    for (const std::string& line : lines) {
        text_ += line;
        EndLine();
    }
}

void PackedLines::Reserve(size_t characters, size_t lines) {
    text_.reserve(characters);
    ends_.reserve(lines);
}

bool operator==(const PackedLines& packed, const SourceLines& lines) {
    if (packed.size() != lines.size()) return false;
    for (size_t i = 0; i < lines.size(); ++i)
        if (packed[i] != lines[i]) return false;
    return true;
}

void ResetScanner(ScannerPosition& position) {
    position = ScannerPosition{};
}

void StripComments(SourceLines& lines) {
    StripCommentsIn(lines);
}

void StripComments(PackedLines& lines) {
    StripCommentsIn(lines);
}

std::string ReadWord(const SourceLines& lines, ScannerPosition& position) {
    return ReadWordIn(lines, position);
}

std::string ReadWord(const PackedLines& lines, ScannerPosition& position) {
    return ReadWordIn(lines, position);
}

void UnreadToken(ScannerPosition& position) {
    position.LineIndex = position.Mark.LineIndex;
    position.Column = position.Mark.Column;
    position.LineStart = position.Mark.LineStart;
}

std::string ReadCondition(const SourceLines& lines, ScannerPosition& position) {
    return ReadConditionIn(lines, position);
}

std::string ReadCondition(const PackedLines& lines, ScannerPosition& position) {
    return ReadConditionIn(lines, position);
}

bool IsIdentifier(std::string_view text) {
    if (text.empty()) return false;
    if (text[0] != '_' && !IsLowerLetter(text[0])) return false;
    for (char ch : text.substr(1))
        if (ch != '_' && !IsLowerLetter(ch) && !(ch >= '0' && ch <= '9')) return false;
    return true;
}

void ProcedureDirectory::Add(int32_t index) {
    byName_[table_[size_t(index)].Name].push_back(index);
}

const std::vector<int32_t>& ProcedureDirectory::EntriesNamed(const std::string& name) const {
    static const std::vector<int32_t> none;
    const auto found = byName_.find(name);
    return found == byName_.end() ? none : found->second;
}

int32_t FindProcedure(const std::string& name, int32_t P, const ProcedureDirectory& procedures) {
    const TProcTable& table = procedures.Table();
    if (name.empty() || P < 0 || size_t(P) >= table.size()) return 0;
    if (name == table[size_t(P)].Name) return P;
    // Callable is a procedure on whose chain of ancestors the caller's parent stands. A parent
    // always has a smaller index than its children, so neither a candidate at or before that
    // parent nor an ancestor below it can lead there.
    const int32_t scope = table[size_t(P)].Parent;
    const std::vector<int32_t>& candidates = procedures.EntriesNamed(name);
    for (auto k = candidates.rbegin(); k != candidates.rend() && *k > scope; ++k) {
        if (*k == 0) continue;
        int32_t ancestor = table[size_t(*k)].Parent;
        while (ancestor > scope)
            ancestor = table[size_t(ancestor)].Parent;
        if (ancestor == scope) return *k;
    }
    return 0;
}

TSymbol ClassifySymbol(const std::string& token, int32_t P, const ProcedureDirectory& procedures) {
    if (token.empty()) return sym_other;
    if (const TSymbol symbol = StatementSymbol(token); symbol != sym_other) return symbol;
    return FindProcedure(token, P, procedures) > 0 ? sym_call : sym_other;
}

} // namespace nibbo
