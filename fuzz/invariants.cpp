#include "invariants.h"

#include "language/messages.h"
#include "language/vocabulary.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

namespace nibbo::fuzz {

namespace {

std::string Lowered(std::string_view text) {
    std::string out(text);
    for (char& ch : out)
        if (ch >= 'A' && ch <= 'Z') ch = char(ch - 'A' + 'a');
    return out;
}

bool IsCompound(TSymbol kind) {
    return kind == sym_if || kind == sym_while || kind == sym_repeat;
}
// A record that stands for a statement of the text, as opposed to the markers that close bodies.
bool IsStatement(TSymbol kind) {
    return IsInstruction(kind) || IsCompound(kind) || kind == sym_call;
}

// The value of a condition by the precedence of the language, or nothing when the tokens are not
// a well-formed condition. Read from left to right with one entry per open parenthesis instead of
// a call per nesting level, so that no depth of parentheses can exhaust the call stack.
std::optional<bool> Evaluate(const TBooleexp& tokens, const std::function<bool(TFunktion)>& sensor) {
    // A group being read: the "or" of its finished terms, the "and" of the factors read so far in
    // the current term, and whether the factor being read is negated (each "not" flips it).
    struct Group {
        bool AnyTerm = false;
        bool Term = true;
        bool Negated = false;
    };
    std::vector<Group> groups(1);
    bool operandNext = true;
    const auto operand = [&](bool value) {
        Group& group = groups.back();
        group.Term = group.Term && (value != group.Negated);
        group.Negated = false;
        operandNext = false;
    };
    for (const TFunktion token : tokens) {
        Group& group = groups.back();
        if (operandNext) {
            if (token == _not)
                group.Negated = !group.Negated;
            else if (IsSensor(token))
                operand(sensor(token));
            else if (token == klammerL)
                groups.emplace_back();
            else
                return std::nullopt;
        } else if (token == _and) {
            operandNext = true;
        } else if (token == _or) {
            group.AnyTerm = group.AnyTerm || group.Term;
            group.Term = true;
            operandNext = true;
        } else if (token == klammerR && groups.size() > 1) {
            const bool value = group.AnyTerm || group.Term;
            groups.pop_back();
            operand(value);
        } else {
            return std::nullopt;
        }
    }
    if (operandNext || groups.size() != 1) return std::nullopt;
    return groups.back().AnyTerm || groups.back().Term;
}

class ProgramChecker {
public:
    ProgramChecker(const TProcTable& table, const SourceLines& lines)
        : table_(table), text_(JoinedText(lines)) {}

    void Check() {
        Require(!table_.empty(), "a checked program has an entry for itself");
        for (size_t p = 0; p < table_.size(); ++p)
            CheckProcedure(int32_t(p));
    }

private:
    // The procedure and the record (-1 for none) that the checks are about; a broken rule is
    // reported with them. The message is put together only then: a program can hold many records.
    void At(int32_t P, int64_t record) {
        procedure_ = P;
        record_ = record;
    }
    void Expect(bool holds, std::string_view what) const {
        if (holds) return;
        std::string where = "procedure " + std::to_string(procedure_);
        if (record_ >= 0) where += ", record " + std::to_string(record_);
        Broken(where + ": " + std::string(what));
    }

    // The text a record selects, lowered; the selection must lie within the text.
    std::string Selected(const TAnweisung& record) const {
        Expect(record.SelStart >= 1 && record.SelLength >= 0 &&
                   int64_t(record.SelStart) - 1 + record.SelLength <= int64_t(text_.size()),
               "selection outside the text");
        return Lowered(std::string_view(text_).substr(size_t(record.SelStart - 1), size_t(record.SelLength)));
    }

    bool Visible(int32_t P, int32_t callee) const {
        if (callee == P) return true;
        const int32_t scope = table_[size_t(P)].Parent;
        int32_t ancestor = table_[size_t(callee)].Parent;
        for (int guard = 0; guard <= int(table_.size()); ++guard) {
            if (ancestor == scope) return true;
            if (ancestor == 0) return false;
            ancestor = table_[size_t(ancestor)].Parent;
        }
        return false;
    }

    void CheckRecord(int32_t P, size_t index) {
        const TAnweisung& record = table_[size_t(P)].Statements[index];
        At(P, int64_t(index));
        const bool usesCondition =
            record.Kind == sym_if || record.Kind == sym_while || record.Kind == sym_until;
        if (usesCondition)
            Expect(IsWellFormedCondition(record.Condition), "condition is not well formed");
        else
            Expect(record.Condition.empty(), "condition on a record that has none");
        if (!IsCompound(record.Kind) && record.Kind != sym_call)
            Expect(record.Target == 0, "target on a record that has none");

        switch (record.Kind) {
        case sym_vor:
        case sym_drehe_links:
        case sym_nimm_auf:
        case sym_gib_ab:
            Expect(Selected(record) == Spelling(record.Kind), "selection is not the instruction");
            break;
        case sym_call: {
            Expect(record.Target >= 1 && size_t(record.Target) < table_.size(), "call of no procedure");
            Expect(Visible(P, record.Target), "call of a procedure not visible here");
            Expect(Selected(record) == table_[size_t(record.Target)].Name,
                   "selection is not the called name");
            break;
        }
        case sym_if: {
            const std::string text = Selected(record);
            Expect(text.starts_with(Spelling(sym_if)) && text.ends_with(Spelling(sym_then)),
                   "if does not select if ... then");
            break;
        }
        case sym_while: {
            const std::string text = Selected(record);
            Expect(text.starts_with(Spelling(sym_while)) && text.ends_with(Spelling(sym_do)),
                   "while does not select while ... do");
            break;
        }
        case sym_repeat:
            Expect(Selected(record) == Spelling(sym_repeat), "selection is not repeat");
            break;
        case sym_until:
            Expect(Selected(record).starts_with(Spelling(sym_until)), "selection does not begin with until");
            break;
        case sym_end:
            if (record.SelStart != 0 || record.SelLength != 0)
                Expect(Selected(record) == Spelling(sym_end), "end selects something else");
            break;
        case sym_else:
            Expect(record.SelStart == 0 && record.SelLength == 0, "else marker selects text");
            break;
        case sym_end_dot:
            Expect(Selected(record) == Spelling(P == 0 ? sym_end_dot : sym_end),
                   "block end selects something else");
            break;
        default:
            Expect(false, "kind " + std::to_string(int(record.Kind)) + " is never stored");
        }
    }

    // The index of the record that closes the section of a compound statement of the given kind.
    size_t SectionEnd(const std::vector<TAnweisung>& records, size_t start, TSymbol kind) const {
        const auto kindAt = [&](size_t i) { return i < records.size() ? records[i].Kind : sym_none; };
        size_t i = start;
        while (IsStatement(kindAt(i)))
            ++i;
        if (kind == sym_repeat && kindAt(i) == sym_until) ++i;
        if (kind == sym_if) {
            // A then-part written as begin ... end closes with its own end before the else marker.
            if (kindAt(i) == sym_end && kindAt(i + 1) == sym_else) ++i;
            Expect(kindAt(i) == sym_else, "if section without its else marker");
            ++i;
            while (IsStatement(kindAt(i)))
                ++i;
        }
        Expect(kindAt(i) == sym_end, "section does not end with end");
        return i;
    }

    void CheckProcedure(int32_t P) {
        const TProc& proc = table_[size_t(P)];
        At(P, -1);
        Expect(IsIdentifier(proc.Name), "no valid name");
        Expect(P == 0 ? proc.Parent == 0 : proc.Parent >= 0 && proc.Parent < P,
               "parent is not declared before it");
        const std::vector<TAnweisung>& records = proc.Statements;

        const auto firstEnd = std::find_if(records.begin(), records.end(),
                                           [](const TAnweisung& r) { return r.Kind == sym_end_dot; });
        Expect(firstEnd != records.end(), "block does not end");
        const auto blockEnd = size_t(firstEnd - records.begin());
        for (size_t i = 0; i < records.size(); ++i) {
            CheckRecord(P, i);
            if (i < blockEnd) Expect(IsStatement(records[i].Kind), "a marker in the procedure's own block");
            if (i > blockEnd) Expect(records[i].Kind != sym_end_dot, "a second block end");
        }

        // The bodies follow the block in the order in which their keywords stand in the text, each
        // beginning where the one before ended, and together they fill the rest of the array.
        std::vector<size_t> compounds;
        for (size_t i = 0; i < records.size(); ++i)
            if (IsCompound(records[i].Kind)) compounds.push_back(i);
        std::stable_sort(compounds.begin(), compounds.end(),
                         [&](size_t a, size_t b) { return records[a].SelStart < records[b].SelStart; });
        size_t next = blockEnd + 1;
        for (const size_t i : compounds) {
            const TAnweisung& record = records[i];
            At(P, int64_t(i));
            Expect(record.Target >= 0 && size_t(record.Target) == next,
                   "body does not begin where the sections in text order put it");
            Expect(size_t(record.Target) > i, "body stands before its statement");
            next = SectionEnd(records, size_t(record.Target), record.Kind) + 1;
        }
        At(P, -1);
        Expect(next == records.size(), "records that belong to no section");
    }

    const TProcTable& table_;
    std::string text_;
    int32_t procedure_ = 0;
    int64_t record_ = -1;
};

} // namespace

void Broken(std::string_view what) {
    std::fprintf(stderr, "invariant broken: %.*s\n", int(what.size()), what.data());
    std::fflush(stderr);
    std::abort();
}

std::string JoinedText(const SourceLines& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

void CheckMessages(const std::vector<std::string>& messages, const SourceLines& lines) {
    if (lines.empty()) {
        Require(messages.size() == 1 && messages[0] == kNoProgramMessage,
                "a text without lines gives kein Programm!");
        return;
    }
    for (const std::string& message : messages) {
        size_t digits = 0;
        while (digits < message.size() && message[digits] >= '0' && message[digits] <= '9')
            ++digits;
        // A text can have a message on every line: each is put together only when a rule broke.
        if (digits == 0 || digits > 10 || (digits > 1 && message[0] == '0'))
            Broken("message without a line number: " + message);
        if (std::stoll(message.substr(0, digits)) >= int64_t(lines.size()))
            Broken("message names a line the text does not have: " + message);
        const std::string_view text = std::string_view(message).substr(digits);
        if (!text.starts_with(": ") ||
            std::find(kCheckTexts.begin(), kCheckTexts.end(), text.substr(2)) == kCheckTexts.end())
            Broken("unknown message text: " + message);
    }
}

bool IsWellFormedCondition(const TBooleexp& condition) {
    return Evaluate(condition, [](TFunktion) { return false; }).has_value();
}

bool ReferenceValue(const TBooleexp& condition, const std::function<bool(TFunktion)>& sensor) {
    const std::optional<bool> value = Evaluate(condition, sensor);
    Require(value.has_value(), "the value of a condition that is not well formed");
    return *value;
}

void CheckCompiledProgram(const TProcTable& table, const SourceLines& lines) {
    ProgramChecker(table, lines).Check();
}

void CheckCells(const Grid& cells, const char* when) {
    // Called after every step of a long run: the message is put together only when a rule broke.
    for (int c = 1; c <= kColumns; ++c) {
        for (int r = 1; r <= kRows; ++r) {
            const int32_t code = cells[size_t(CellIndex(c, r))];
            if (code < kFreePath || code > kWall) Broken(std::string(when) + ": cell code out of range");
            if (OnBorder(c, r) && code != kWall) Broken(std::string(when) + ": border ring broken");
        }
    }
}

void CheckWorld(const World& world, int stock, const char* when) {
    const auto require = [when](bool holds, const char* what) {
        if (!holds) Broken(std::string(when) + ": " + what);
    };
    CheckCells(world.Cells, when);
    require(world.StartPlaced, "figure gone");
    require(InInterior(world.StartColumn, world.StartRow), "figure outside the interior");
    require(world.Cells[size_t(CellIndex(world.StartColumn, world.StartRow))] != kWall, "figure on a wall");
    require(world.Orientation <= South, "facing out of range");
    require(stock >= kMinStock && stock <= kMaxStock, "stock out of range");
}

FigureView ViewOf(const Stage& stage) {
    const World& world = stage.world;
    return {world.StartColumn, world.StartRow, world.Orientation,
            CellAt(world, world.StartColumn, world.StartRow), stage.stock.ReadStock()};
}

void CheckFigure(const FigureView& figure) {
    Require(InInterior(figure.Column, figure.Row), "the figure left the interior");
    Require(figure.Cell >= kFreePath && figure.Cell <= kMaxFood, "the figure stands on no free cell");
    Require(figure.Orientation <= South, "facing out of range");
    Require(figure.Stock >= kMinStock && figure.Stock <= kMaxStock, "stock out of range");
}

void StrictCanvas::FillPath(int column, int row) {
    Require(InGrid(column, row), "path drawn outside the grid");
    ++Calls;
}
void StrictCanvas::DrawWallPicture(int column, int row) {
    Require(InGrid(column, row), "wall drawn outside the grid");
    ++Calls;
}
void StrictCanvas::DrawFoodPicture(int column, int row, int portions) {
    Require(InGrid(column, row), "food drawn outside the grid");
    Require(portions >= 1 && portions <= kMaxFood, "food picture that does not exist");
    ++Calls;
}
void StrictCanvas::DrawFigurePicture(int column, int row, int image) {
    Require(InGrid(column, row), "figure drawn outside the grid");
    Require(image >= 0 && image < 4 * kFigureFrames, "figure picture that does not exist");
    ++Calls;
}

FuzzedWorld WorldFromBytes(std::span<const uint8_t> bytes) {
    const auto byte = [&](size_t i) { return i < bytes.size() ? bytes[i] : uint8_t(0); };
    FuzzedWorld result;
    World& world = result.world;
    ClearWorld(world);
    world.Orientation = uint8_t(byte(0) % 4);
    result.stock = byte(1) % (kMaxStock + 1);
    world.StartColumn = 2 + byte(2) % (kColumns - 2);
    world.StartRow = 2 + byte(3) % (kRows - 2);
    size_t next = 4;
    for (int c = 2; c < kColumns; ++c)
        for (int r = 2; r < kRows; ++r)
            world.Cells[size_t(CellIndex(c, r))] = byte(next++) % (kWall + 1);
    int32_t& start = world.Cells[size_t(CellIndex(world.StartColumn, world.StartRow))];
    if (start == kWall) start = kFreePath;
    world.StartPlaced = true;
    return result;
}

TextAndWorld SplitInput(const uint8_t* data, size_t size) {
    if (size == 0) return {};
    const auto* text = reinterpret_cast<const char*>(data);
    const auto* nul = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    if (!nul) return {std::string_view(text, size), {}};
    const auto textSize = size_t(nul - data);
    return {std::string_view(text, textSize), std::span<const uint8_t>(nul + 1, size - textSize - 1)};
}

} // namespace nibbo::fuzz
