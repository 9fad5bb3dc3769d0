// A recursive-descent parser that checks the program and builds its compiled form in one pass, one
// function per rule of this grammar (quoted words are the scanner's tokens, in lower case):
//
//   program          = "program" name ";" { procedure ";" } block .
//   procedure        = "procedure" name ";" { procedure ";" } block .
//   block            = "begin" statement-list .
//   statement-list   = { ";" | "begin" | "end" ";" | statement ";" } list-end .
//   list-end         = "end" | "until" condition | "end." .
//   body             = "begin" statement-list | statement .
//   statement        = instruction | call | if-statement | while-statement | repeat-statement .
//   if-statement     = "if" condition "then" body [ "else" body ] .
//   while-statement  = "while" condition "do" body .
//   repeat-statement = "repeat" statement-list .
//   instruction      = "vor" | "drehe_links" | "nimm_auf" | "gib_ab" .
//   call             = the name of a procedure callable here .
//
// A "begin" inside a list only groups: its statements belong to the list, and its "end" needs a
// ";" like a statement. "until" ends only the list of a repeat, "end." only the main program's
// block without a fault. A word out of place is reported and passed over; a fault ends the
// procedure's block: every list it stands in stops after the statement that holds it.
//
// Every body of an if, while or repeat gets a block number in the order of its keyword in the text
// and becomes a section of its own behind the procedure's block; a compound statement's record
// holds its block number while parsing and the index of its section's first record afterwards.
// Each body is collected in a vector of its own and the sections are joined once, in block-number
// order, when the procedure's block is done. That gives exactly the layout of records inserted
// behind the records of the body being parsed, without moving records around on every insertion.
#include "language/syntax_check.h"

#include "language/condition.h"
#include "language/vocabulary.h"

namespace nibbo {

namespace {

// What a statement list belongs to, as far as that decides which word ends it without a fault.
enum class ListKind : uint8_t {
    Plain,     // a procedure's block or a body in begin ... end: "end"
    Repeat,    // the body of a repeat: "until" and its condition, or "end"
    MainBlock, // the main program's block: "end.", the last word of the text
};

class Parser {
public:
    Parser(PackedLines& lines, TProcTable& table, ScannerPosition& scanner)
        : lines_(lines), table_(table), scanner_(scanner), procedures_(table) {}

    std::vector<std::string> Run() {
        StripComments(lines_);
        ResetScanner(scanner_);
        table_.clear();
        procedures_.Clear();
        ParseProcedure(Read(), 0);
        return std::move(messages_);
    }

private:
    // --- Reading and reporting; after the nesting limit was hit the text counts as ended and
    // nothing more is reported. ---
    std::string Read() { return abandoned_ ? std::string() : ReadWord(lines_, scanner_); }
    std::string ReadConditionText() { return abandoned_ ? std::string() : ReadCondition(lines_, scanner_); }
    void Message(CheckMessage message) {
        if (!abandoned_) messages_.push_back(MessageLine(scanner_.LineIndex, message));
    }
    // A message that ends the procedure's block.
    void Fault(CheckMessage message) {
        faulted_ = true;
        Message(message);
    }
    // Whether one more level of nesting is too much; if so the check ends here, with a message
    // that names the line of the statement or declaration that would nest too deep.
    bool TooDeep(int32_t line) {
        if (nesting_ < kMaxNesting) return false;
        if (!abandoned_) messages_.push_back(MessageLine(line, CheckMessage::TooDeep));
        abandoned_ = true;
        return true;
    }
    // Runs `parse` one level of nesting deeper, unless that is too deep: then the check ends with a
    // fault and the result is false.
    template <class Parse> bool Nested(int32_t line, Parse parse) {
        if (TooDeep(line)) {
            faulted_ = true;
            return false;
        }
        ++nesting_;
        parse();
        --nesting_;
        return true;
    }
    int32_t TokenPosition() const { return scanner_.LineStart + scanner_.TokenColumn; }
    // Reads a condition and compiles it; its faults carry the line on which the text ended.
    TBooleexp CompileConditionHere() {
        const std::string text = ReadConditionText();
        return CompileCondition(text, scanner_.LineIndex, messages_);
    }

    // --- The rules, each function called with the rule's first token read. ---
    void ParseProcedure(const std::string& token, int32_t parent);
    void ParseBlock(int32_t P);
    bool ParseStatementList(int32_t P, size_t section, std::string token, ListKind kind);
    void ParseBody(int32_t P, size_t section, const std::string& token);
    void ParseSingleStatement(int32_t P, size_t section, const std::string& token);
    void ParseStatement(int32_t P, size_t section, TSymbol symbol, const std::string& token);
    void ParseIf(int32_t P, size_t section);
    void ParseThenElse(int32_t P);
    void ParseWhile(int32_t P, size_t section);
    void ParseRepeat(int32_t P, size_t section);
    void ParseUntil(size_t section);
    bool ParseConditionUpTo(TAnweisung& record, TSymbol word);
    void ParseInstruction(size_t section, TSymbol symbol, const std::string& token);
    void ParseCall(int32_t P, size_t section, const std::string& token);
    void ParseEnd(size_t section);
    void ParseProgramEnd(size_t section, bool mainBlock);

    // --- The compiled form. ---
    TAnweisung& PlaceRecord(size_t section, TSymbol kind);
    bool IsRedefined(const std::string& name, int32_t parent, int32_t idx) const;
    bool HasProgramEnd();
    void JoinSections(int32_t P);
    void ResolveBlocks(int32_t P);

    size_t OpenSection() {
        if (sectionCount_ < sections_.size())
            sections_[sectionCount_].clear();
        else
            sections_.emplace_back();
        return sectionCount_++;
    }

    PackedLines& lines_;
    TProcTable& table_;
    ScannerPosition& scanner_;
    ProcedureDirectory procedures_;
    std::vector<std::string> messages_;

    // The procedure being parsed: its records so far, section by section ([0] its own block, [j]
    // the body of block number j), and where each section begins once they are joined.
    std::vector<std::vector<TAnweisung>> sections_;
    size_t sectionCount_ = 0;
    std::vector<int32_t> sectionStart_;
    int32_t StmtCount = 0;
    int32_t BlockCount = 0;

    bool faulted_ = false; // the procedure's block has a fault
    int32_t nesting_ = 0;
    bool abandoned_ = false;
};

// program   = "program" name ";" { procedure ";" } block .
// procedure = "procedure" name ";" { procedure ";" } block .
// The procedures declared in a header are nested in it; the program's header has entry 0.
void Parser::ParseProcedure(const std::string& token, int32_t parent) {
    const auto idx = int32_t(table_.size());
    table_.emplace_back();
    if (idx == 0) {
        if (token != Spelling(sym_program)) Message(CheckMessage::ProgramExpected);
    } else if (token != Spelling(sym_procedure)) {
        Message(CheckMessage::ProcedureExpected);
    }

    const std::string name = Read();
    const bool redefined = IsRedefined(name, parent, idx);
    if (IsIdentifier(name) && !redefined) {
        table_[size_t(idx)].Parent = parent;
        table_[size_t(idx)].Name = name;
    } else if (idx == 0) {
        Message(CheckMessage::InvalidProgramName);
    } else {
        Message(redefined ? CheckMessage::Redefined : CheckMessage::InvalidProcedureName);
    }
    procedures_.Add(idx);
    if (Read() != Spelling(sym_semicolon)) Message(CheckMessage::SemicolonExpected);

    std::string next = Read();
    while (next == Spelling(sym_procedure)) {
        if (!Nested(scanner_.LineIndex, [&] { ParseProcedure(next, idx); })) return;
        if (Read() != Spelling(sym_semicolon)) Message(CheckMessage::SemicolonExpected);
        next = Read();
    }

    if (next != Spelling(sym_begin)) {
        Message(CheckMessage::BeginExpected);
        return;
    }
    ParseBlock(idx);
}

// block = "begin" statement-list .
// Only a block without a fault, and of the main program only one that "end." ends, has its
// compound statements pointed at their sections: another cannot run.
void Parser::ParseBlock(int32_t P) {
    StmtCount = 0;
    BlockCount = 0;
    sectionCount_ = 0;
    faulted_ = false;
    const size_t section = OpenSection();
    ParseStatementList(P, section, Read(), P == 0 ? ListKind::MainBlock : ListKind::Plain);
    JoinSections(P);
    if (!faulted_ && (P > 0 || HasProgramEnd())) ResolveBlocks(P);
}

// statement-list = { ";" | "begin" | "end" ";" | statement ";" } list-end .
// list-end       = "end" | "until" condition | "end." .
// Called with the token after the list's "begin" or "repeat". Whether a word ended the list, rather
// than a fault or the end of the text.
bool Parser::ParseStatementList(int32_t P, size_t section, std::string token, ListKind kind) {
    int64_t groups = 0; // inner begin groups that are open
    while (!token.empty() && !faulted_) {
        const TSymbol symbol = ClassifySymbol(token, P, procedures_);
        switch (symbol) {
        case sym_semicolon: // an empty statement
            token = Read();
            continue;
        case sym_begin:
            ++groups;
            token = Read();
            continue;
        case sym_end:
            if (groups == 0) {
                ParseEnd(section);
                return true;
            }
            --groups;
            break;
        case sym_until:
            if (kind == ListKind::Repeat) {
                ParseUntil(section);
                return true;
            }
            Fault(CheckMessage::UntilWithoutRepeat);
            break;
        case sym_end_dot:
            ParseProgramEnd(section, kind == ListKind::MainBlock);
            return true;
        case sym_else:
            Message(CheckMessage::UnexpectedElse);
            break;
        default:
            ParseStatement(P, section, symbol, token);
            break;
        }
        // A statement of a list must be followed by ";"; the token after is read either way.
        if (Read() != Spelling(sym_semicolon)) Fault(CheckMessage::SemicolonExpected);
        token = Read();
    }
    return false;
}

// body = "begin" statement-list | statement .
// The body of a while or the else-part of an if, in a section that an end record closes: the
// list's own "end", or one placed behind a single statement.
void Parser::ParseBody(int32_t P, size_t section, const std::string& token) {
    if (token == Spelling(sym_begin)) {
        ParseStatementList(P, section, Read(), ListKind::Plain);
        return;
    }
    if (!token.empty() && !faulted_) ParseSingleStatement(P, section, token);
    PlaceRecord(section, sym_end);
}

// The statement of a body without begin ... end. A ";" right away leaves the body empty; a word
// that ends a list is a fault here.
void Parser::ParseSingleStatement(int32_t P, size_t section, const std::string& token) {
    const TSymbol symbol = ClassifySymbol(token, P, procedures_);
    switch (symbol) {
    case sym_semicolon:
        UnreadToken(scanner_); // an empty body: the ";" belongs to the list around it
        break;
    case sym_end:
        ParseEnd(section);
        Fault(CheckMessage::UnexpectedEnd);
        break;
    case sym_until:
        Fault(CheckMessage::UntilWithoutRepeat);
        break;
    case sym_end_dot:
        ParseProgramEnd(section, false);
        break;
    case sym_else:
        Message(CheckMessage::UnexpectedElse);
        break;
    default:
        ParseStatement(P, section, symbol, token);
        break;
    }
}

// statement = instruction | call | if-statement | while-statement | repeat-statement .
// Any other word is reported and passed over.
void Parser::ParseStatement(int32_t P, size_t section, TSymbol symbol, const std::string& token) {
    switch (symbol) {
    case sym_if:
        ParseIf(P, section);
        break;
    case sym_while:
        ParseWhile(P, section);
        break;
    case sym_repeat:
        ParseRepeat(P, section);
        break;
    case sym_nimm_auf:
    case sym_gib_ab:
    case sym_vor:
    case sym_drehe_links:
        ParseInstruction(section, symbol, token);
        break;
    case sym_call:
        ParseCall(P, section, token);
        break;
    default: // "program", "procedure", "then", "do", or a word that is nothing callable here
        Message(CheckMessage::SyntaxError);
        break;
    }
}

// if-statement = "if" condition "then" body [ "else" body ] .
void Parser::ParseIf(int32_t P, size_t section) {
    TAnweisung& record = PlaceRecord(section, sym_if);
    if (ParseConditionUpTo(record, sym_then)) Nested(scanner_.LineIndex, [&] { ParseThenElse(P); });
}

// The section of an if: the then-part, an else marker, the else-part and an end record; a part in
// begin ... end brings its own end record instead. When nothing follows "then" the section is a
// single end record; a then-part in begin ... end that is not closed ends the section.
void Parser::ParseThenElse(int32_t P) {
    const size_t section = OpenSection();
    const std::string token = Read();
    if (token == Spelling(sym_begin)) {
        if (!ParseStatementList(P, section, Read(), ListKind::Plain)) return;
    } else if (token.empty()) {
        PlaceRecord(section, sym_end);
        return;
    } else if (token == Spelling(sym_else)) {
        PlaceRecord(section, sym_end); // "then" directly followed by "else"
        UnreadToken(scanner_);
    } else {
        ParseSingleStatement(P, section, token);
    }

    if (Read() != Spelling(sym_else)) {
        UnreadToken(scanner_);
        PlaceRecord(section, sym_else);
        PlaceRecord(section, sym_end);
        return;
    }
    PlaceRecord(section, sym_else);
    ParseBody(P, section, Read());
}

// while-statement = "while" condition "do" body .
void Parser::ParseWhile(int32_t P, size_t section) {
    TAnweisung& record = PlaceRecord(section, sym_while);
    if (!ParseConditionUpTo(record, sym_do)) return;
    Nested(scanner_.LineIndex, [&] {
        const size_t body = OpenSection();
        ParseBody(P, body, Read());
    });
}

// repeat-statement = "repeat" statement-list .
// Its list ends with "until" and a condition.
void Parser::ParseRepeat(int32_t P, size_t section) {
    TAnweisung& record = PlaceRecord(section, sym_repeat);
    record.SelStart = TokenPosition();
    record.SelLength = int32_t(Spelling(sym_repeat).size());
    record.Target = ++BlockCount;
    const bool nested = Nested(scanner_.LineIndex, [&] {
        const size_t body = OpenSection();
        ParseStatementList(P, body, Read(), ListKind::Repeat);
    });
    if (!nested) UnreadToken(scanner_); // the check stops in front of the repeat that nests too deep
}

// list-end = "until" condition : the end of a repeat's list, closed by an end record. The until
// record selects from "until" to the word or ";" that ends the condition, which is read next.
void Parser::ParseUntil(size_t section) {
    TAnweisung& record = PlaceRecord(section, sym_until);
    record.SelStart = TokenPosition();
    TBooleexp condition = CompileConditionHere();
    if (condition.front() == fufehler) {
        Fault(CheckMessage::SyntaxError);
    } else {
        record.Condition = std::move(condition);
        record.SelLength = scanner_.LineStart + scanner_.Column - record.SelStart;
    }
    PlaceRecord(section, sym_end);
}

// The condition of an if or a while and the word after it, `word` ("then" or "do"); a fault in
// either is a syntax error. The record gets the condition and the next block number, and selects
// from its keyword to that word.
bool Parser::ParseConditionUpTo(TAnweisung& record, TSymbol word) {
    record.SelStart = TokenPosition();
    TBooleexp condition = CompileConditionHere();
    const std::string keyword = Read();
    if (condition.front() == fufehler || keyword != Spelling(word)) {
        Fault(CheckMessage::SyntaxError);
        return false;
    }
    record.Condition = std::move(condition);
    record.SelLength = TokenPosition() + int32_t(keyword.size()) - record.SelStart;
    record.Target = ++BlockCount;
    return true;
}

// instruction = "vor" | "drehe_links" | "nimm_auf" | "gib_ab" .
void Parser::ParseInstruction(size_t section, TSymbol symbol, const std::string& token) {
    TAnweisung& record = PlaceRecord(section, symbol);
    record.SelStart = TokenPosition();
    record.SelLength = int32_t(token.size());
}

// call = the name of a procedure callable here .
void Parser::ParseCall(int32_t P, size_t section, const std::string& token) {
    TAnweisung& record = PlaceRecord(section, sym_call);
    record.SelStart = TokenPosition();
    record.SelLength = int32_t(token.size());
    record.Target = FindProcedure(token, P, procedures_);
}

// list-end = "end" : its record selects the word.
void Parser::ParseEnd(size_t section) {
    TAnweisung& record = PlaceRecord(section, sym_end);
    record.SelStart = TokenPosition();
    record.SelLength = int32_t(Spelling(sym_end).size());
}

// list-end = "end." : the end of the main program's block and of the text. Anywhere else it is a
// fault, and it ends the list all the same.
void Parser::ParseProgramEnd(size_t section, bool mainBlock) {
    TAnweisung& record = PlaceRecord(section, sym_end_dot);
    record.SelStart = TokenPosition();
    record.SelLength = int32_t(Spelling(sym_end_dot).size());
    const std::string after = Read();
    if (!mainBlock) Fault(CheckMessage::UnexpectedProgramEnd);
    if (!after.empty()) Fault(CheckMessage::StatementsAfterProgramEnd);
}

TAnweisung& Parser::PlaceRecord(size_t section, TSymbol kind) {
    ++StmtCount;
    std::vector<TAnweisung>& records = sections_[section];
    records.emplace_back();
    records.back().Kind = kind;
    return records.back();
}

bool Parser::IsRedefined(const std::string& name, int32_t parent, int32_t idx) const {
    if (idx == 0) return false;
    if (name == table_[0].Name || name == table_[size_t(parent)].Name) return true;
    // An earlier sibling: declared after the parent, before this one, with the same parent.
    const std::vector<int32_t>& named = procedures_.EntriesNamed(name);
    for (auto k = named.rbegin(); k != named.rend() && *k > parent; ++k)
        if (*k < idx && table_[size_t(*k)].Parent == parent) return true;
    return false;
}

bool Parser::HasProgramEnd() {
    for (const TAnweisung& record : table_[0].Statements)
        if (record.Kind == sym_end_dot) return true;
    Message(CheckMessage::NoProgramEnd);
    return false;
}

void Parser::JoinSections(int32_t P) {
    std::vector<TAnweisung>& statements = table_[size_t(P)].Statements;
    sectionStart_.assign(sectionCount_, 0);
    // The procedure's own block comes first: its section becomes the array without a copy, which
    // for a long list of plain statements would double the memory they take.
    statements = std::move(sections_[0]);
    statements.reserve(size_t(StmtCount));
    for (size_t s = 1; s < sectionCount_; ++s) {
        sectionStart_[s] = int32_t(statements.size());
        for (TAnweisung& record : sections_[s])
            statements.push_back(std::move(record));
    }
}

void Parser::ResolveBlocks(int32_t P) {
    std::vector<TAnweisung>& statements = table_[size_t(P)].Statements;
    // The procedure's own block ends with the record of its closing "end", or of the program's
    // "end."; when the text ended inside the block there is none and nothing is resolved.
    const size_t blockEnd = sectionCount_ > 1 ? size_t(sectionStart_[1]) : statements.size();
    if (blockEnd == 0) return;
    TAnweisung& last = statements[blockEnd - 1];
    if (P > 0 && last.Kind == sym_end) last.Kind = sym_end_dot;
    if (last.Kind != sym_end_dot) return;
    // Every compound statement points at the first record of its own body's section.
    for (TAnweisung& record : statements) {
        const bool compound = record.Kind == sym_if || record.Kind == sym_while || record.Kind == sym_repeat;
        if (compound && record.Target >= 1 && size_t(record.Target) < sectionCount_)
            record.Target = sectionStart_[size_t(record.Target)];
    }
}

} // namespace

std::vector<std::string> CheckSyntax(const SourceLines& lines, TProcTable& procTable,
                                     ScannerPosition& scanner) {
    PackedLines copy(lines);
    return CheckSyntaxInPlace(copy, procTable, scanner);
}

std::vector<std::string> CheckSyntaxInPlace(PackedLines& lines, TProcTable& procTable,
                                            ScannerPosition& scanner) {
    procTable.clear();
    if (lines.empty()) return {kNoProgramMessage};
    return Parser(lines, procTable, scanner).Run();
}

} // namespace nibbo
