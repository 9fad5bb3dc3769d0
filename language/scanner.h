// Reading program text token by token. The syntax check reads a comment-free copy of the editor's
// lines; the replay of a recording reads its own copy as it is. Every position counts a line break
// as two characters, so that positions found here select the same text in the editor.
#pragma once

#include "language/program_model.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace nibbo {

// Lines of program text, one byte per character (Windows-1252), without line breaks.
using SourceLines = std::vector<std::string>;

// The same lines in one piece: their characters one after another and where each line ends. A
// string per line costs more than 32 bytes, which for a file of millions of empty lines is many
// times the file itself; here a line costs 4 bytes. The syntax check and the replay read program
// text in this form; the lines hold less than 4 GiB together.
class PackedLines {
public:
    PackedLines() = default;
    explicit PackedLines(const SourceLines& lines);

    // Building line by line: characters go to the open line, which EndLine closes. EndText closes
    // an open line that has characters, so that a text ending in a line break has no empty last line.
    void Reserve(size_t characters, size_t lines);
    void Append(char ch) { text_.push_back(ch); }
    void EndLine() { ends_.push_back(uint32_t(text_.size())); }
    void EndText() {
        if (text_.size() > (ends_.empty() ? 0 : ends_.back())) EndLine();
    }

    size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](size_t line) const { return {text_.data() + Start(line), Length(line)}; }
    std::span<char> WritableLine(size_t line) { return {text_.data() + Start(line), Length(line)}; }

    friend bool operator==(const PackedLines&, const PackedLines&) = default;
    friend bool operator==(const PackedLines& packed, const SourceLines& lines);

private:
    size_t Start(size_t line) const { return line == 0 ? 0 : ends_[line - 1]; }
    size_t Length(size_t line) const { return ends_[line] - Start(line); }

    std::string text_;
    std::vector<uint32_t> ends_; // one past the last character of each line
};

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

// Replaces tabs by blanks and every comment ("{ }", "(* *)", both across lines, and "//" to the
// end of the line) by as many blanks as it had characters, so that every remaining word keeps its
// line and column. The comment opener that stands furthest left on a line decides; an opener that
// is never closed blanks the rest of the text.
void StripComments(SourceLines& lines);
void StripComments(PackedLines& lines);

// The next token in lower case ("A".."Z" lowered), or "" at the end of the text. Tokens are
// separated by blanks (code 32 only), line ends and ";", which is a token of its own.
std::string ReadWord(const SourceLines& lines, ScannerPosition& position);
std::string ReadWord(const PackedLines& lines, ScannerPosition& position);

// Sets the position back to where the last read began (one level only).
void UnreadToken(ScannerPosition& position);

// The text of a condition in lower case, from the position up to the first "do", "then", "end"
// or ";" (found also inside words), with line breaks turned into single blanks. Leaves the
// position on the terminator, which the next ReadWord reads; at the end of the text it stands
// behind the last character.
std::string ReadCondition(const SourceLines& lines, ScannerPosition& position);
std::string ReadCondition(const PackedLines& lines, ScannerPosition& position);

// "_" or a letter a..z first, then "_", a..z or 0..9; not empty.
bool IsIdentifier(std::string_view text);

// The procedures declared so far, found by name without walking the whole table. It reads names
// and parents from the table, which must outlive it; every entry is added once, after its header
// has been read, in table order.
class ProcedureDirectory {
public:
    explicit ProcedureDirectory(const TProcTable& table) : table_(table) {}

    void Add(int32_t index);
    void Clear() { byName_.clear(); }
    // Entries of that name in table order (unnamed entries under "").
    const std::vector<int32_t>& EntriesNamed(const std::string& name) const;
    const TProcTable& Table() const { return table_; }

private:
    const TProcTable& table_;
    std::unordered_map<std::string, std::vector<int32_t>> byName_;
};

// The procedure that `name` calls from inside procedure `P`, or 0 if none. A procedure may call
// itself. From the main block and from procedures declared directly in the program every procedure
// declared so far is callable; from a procedure nested in Q only the procedures nested somewhere
// inside Q are. Of several callable procedures of one name the last declared wins. The program's
// own name calls nothing.
int32_t FindProcedure(const std::string& name, int32_t P, const ProcedureDirectory& procedures);

// The symbol code of a token read inside the block of procedure `P`: a keyword or an instruction
// (a procedure of that name cannot be called), sym_call for a callable procedure's name, sym_other
// for anything else (also the empty token).
TSymbol ClassifySymbol(const std::string& token, int32_t P, const ProcedureDirectory& procedures);

} // namespace nibbo
