// A recursive-descent parser that checks the program and builds its compiled form in one pass.
// Every body of an if, while or repeat gets a block number in the order of its keyword in the text
// and becomes a section of its own behind the procedure's block; a compound statement's record
// holds its block number while parsing and the index of its section's first record afterwards.
//
// Each body is collected in a vector of its own and the sections are joined once, in block-number
// order, when the procedure's block is done. That gives exactly the layout of records inserted
// behind the records of the body being parsed, without moving records around on every insertion.
#include "language/syntax_check.h"

#include "language/condition.h"

namespace nibbo {

namespace {

enum class BodyKind { Section0, ThenPart, WhileBody, RepeatBody };

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
    // Whether one more level of nesting is too much; if so the check ends here, with a message
    // that names the line of the statement or declaration that would nest too deep.
    bool TooDeep(int32_t line) {
        if (nesting_ < kMaxNesting) return false;
        if (!abandoned_) messages_.push_back(MessageLine(line, CheckMessage::TooDeep));
        abandoned_ = true;
        return true;
    }
    // The body of a compound statement, one level deeper than the statement.
    bool ParseBody(int32_t P, BodyKind kind, int32_t line) {
        if (TooDeep(line)) return true;
        ++nesting_;
        const bool fault = ParseBlock(P, kind);
        --nesting_;
        return fault;
    }
    int32_t TokenPosition() const { return scanner_.LineStart + scanner_.TokenColumn; }
    // Reads a condition and compiles it; its faults carry the line on which the text ended.
    TBooleexp CompileConditionHere() {
        const std::string text = ReadConditionText();
        return CompileCondition(text, scanner_.LineIndex, messages_);
    }

    void ParseProcedure(const std::string& token, int32_t parent);
    bool ParseBlock(int32_t P, BodyKind kind);
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

    int32_t nesting_ = 0;
    bool abandoned_ = false;
};

void Parser::ParseProcedure(const std::string& token, int32_t parent) {
    const auto idx = int32_t(table_.size());
    table_.emplace_back();
    if (idx == 0) {
        if (token != "program") Message(CheckMessage::ProgramExpected);
    } else if (token != "procedure") {
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
    if (Read() != ";") Message(CheckMessage::SemicolonExpected);

    std::string next = Read();
    while (next == "procedure") {
        if (TooDeep(scanner_.LineIndex)) return;
        ++nesting_;
        ParseProcedure(next, idx);
        --nesting_;
        if (Read() != ";") Message(CheckMessage::SemicolonExpected);
        next = Read();
    }

    if (next != "begin") {
        Message(CheckMessage::BeginExpected);
        return;
    }
    StmtCount = 0;
    BlockCount = 0;
    sectionCount_ = 0;
    UnreadToken(scanner_);
    const bool fault = ParseBlock(idx, BodyKind::Section0);
    JoinSections(idx);
    if (!fault && (idx > 0 || HasProgramEnd())) ResolveBlocks(idx);
}

bool Parser::ParseBlock(int32_t P, BodyKind kind) {
    const size_t section = OpenSection();
    std::string token = Read();
    bool list = false;       // a statement list, not a single statement
    bool repeatBody = false; // the list between "repeat" and "until"
    if (token == "begin") {
        list = true;
        token = Read();
    } else if (kind == BodyKind::RepeatBody) {
        list = true; // the token is the statement's own "repeat", read again
        repeatBody = true;
        token = Read();
    }
    bool elseAllowed = kind == BodyKind::ThenPart;
    const bool topLevel = kind == BodyKind::Section0 && P == 0;
    int64_t depth = 0; // inner begin groups that are open
    bool fault = false;
    bool done = false;
    bool elseDone = false;
    const auto Fault = [&](CheckMessage message) {
        fault = true;
        Message(message);
    };

    while (!token.empty() && !fault && !done) {
        bool lookedAhead = false;
        if (!list) done = true;

        const TSymbol symbol = ClassifySymbol(token, P, procedures_);
        switch (symbol) {
        case sym_semicolon:
            if (done) {
                UnreadToken(scanner_); // an empty body: the ";" belongs to the list around it
            } else {
                token = Read();
                lookedAhead = true;
            }
            break;
        case sym_begin:
            ++depth;
            token = Read();
            lookedAhead = true;
            break;
        case sym_end:
            if (depth > 0) {
                --depth;
            } else {
                done = true;
                TAnweisung& record = PlaceRecord(section, sym_end);
                record.SelStart = TokenPosition();
                record.SelLength = 3;
                if (!list) Fault(CheckMessage::UnexpectedEnd);
            }
            break;
        case sym_if:
        case sym_while: {
            const bool isIf = symbol == sym_if;
            TAnweisung& record = PlaceRecord(section, symbol);
            record.SelStart = TokenPosition();
            TBooleexp condition = CompileConditionHere();
            const std::string keyword = Read();
            if (condition.front() == fufehler || keyword != (isIf ? "then" : "do")) {
                Fault(CheckMessage::SyntaxError);
            } else {
                record.Condition = std::move(condition);
                record.SelLength = TokenPosition() + (isIf ? 4 : 2) - record.SelStart;
                record.Target = ++BlockCount;
                fault = ParseBody(P, isIf ? BodyKind::ThenPart : BodyKind::WhileBody, scanner_.LineIndex);
            }
            break;
        }
        case sym_repeat: {
            TAnweisung& record = PlaceRecord(section, sym_repeat);
            record.SelStart = TokenPosition();
            record.SelLength = 6;
            record.Target = ++BlockCount;
            const int32_t line = scanner_.LineIndex;
            UnreadToken(scanner_); // the body begins by reading its "repeat" again
            fault = ParseBody(P, BodyKind::RepeatBody, line);
            break;
        }
        case sym_until:
            if (!repeatBody) {
                Fault(CheckMessage::UntilWithoutRepeat);
            } else {
                TAnweisung& record = PlaceRecord(section, sym_until);
                record.SelStart = TokenPosition();
                TBooleexp condition = CompileConditionHere();
                if (condition.front() == fufehler) {
                    Fault(CheckMessage::SyntaxError);
                } else {
                    record.Condition = std::move(condition);
                    // Up to the word or ";" that ended the condition, which is read next.
                    record.SelLength = scanner_.LineStart + scanner_.Column - record.SelStart;
                }
                PlaceRecord(section, sym_end);
                done = true;
            }
            break;
        case sym_else:
            if (elseAllowed && !list) {
                PlaceRecord(section, sym_end); // "then" directly followed by "else"
                UnreadToken(scanner_);
            } else {
                Message(CheckMessage::UnexpectedElse);
            }
            break;
        case sym_end_dot: {
            done = true;
            TAnweisung& record = PlaceRecord(section, sym_end_dot);
            record.SelStart = TokenPosition();
            record.SelLength = 4;
            const std::string after = Read();
            if (!topLevel) Fault(CheckMessage::UnexpectedProgramEnd);
            if (!after.empty()) Fault(CheckMessage::StatementsAfterProgramEnd);
            break;
        }
        case sym_nimm_auf:
        case sym_gib_ab:
        case sym_vor:
        case sym_drehe_links: {
            TAnweisung& record = PlaceRecord(section, symbol);
            record.SelStart = TokenPosition();
            record.SelLength = int32_t(token.size());
            break;
        }
        case sym_call: {
            TAnweisung& record = PlaceRecord(section, sym_call);
            record.SelStart = TokenPosition();
            record.SelLength = int32_t(token.size());
            record.Target = FindProcedure(token, P, procedures_);
            break;
        }
        default: // "program", "procedure", "then", "do", or a word that is nothing callable here
            Message(CheckMessage::SyntaxError);
            break;
        }

        if (!done && !lookedAhead) {
            // A statement of a list must be followed by ";"; the token after is read either way.
            if (Read() != ";") Fault(CheckMessage::SemicolonExpected);
            token = Read();
        }
        if (done && elseAllowed) {
            // The then-part is complete: an else-part may follow.
            if (Read() == "else") {
                PlaceRecord(section, sym_else);
                elseAllowed = false;
                done = false;
                token = Read();
                list = token == "begin";
                if (list) token = Read();
            } else {
                UnreadToken(scanner_);
                PlaceRecord(section, sym_else);
                PlaceRecord(section, sym_end);
                elseDone = true;
            }
        }
    }
    // The closing marker of a single-statement while body or else-part.
    if (!list && !topLevel && !elseDone) PlaceRecord(section, sym_end);
    return fault;
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
