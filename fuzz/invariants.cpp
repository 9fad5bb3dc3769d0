#include "invariants.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

namespace nibbo::fuzz {

namespace {

// The texts that follow the line number in a message of the syntax check.
constexpr std::string_view kMessageTexts[] = {
    ": \"program\" erwartet!",
    ": \"procedure\" erwartet!",
    ": ungültiger Programmname!",
    ": Bezeichner redefiniert!",
    ": ungültiger Procedurenname!",
    ": \";\" erwartet!",
    ": \"begin\" erwartet!",
    ": Syntax-Fehler!",
    ": unerwartetes \"else\"!",
    ": until ohne repeat!",
    ": unerwartetes \"end\"!",
    ": unerwartetes Programmende!",
    ": keine Anweisungen nach Prg-ende!",
    ": \";\" kein Programende!",
    ": Fehler im booleschen Ausdruck!",
    ": Klammerfehler!",
    ": Programm zu tief verschachtelt!",
};

std::string Lowered(std::string_view text) {
    std::string out(text);
    for (char& ch : out)
        if (ch >= 'A' && ch <= 'Z') ch = char(ch - 'A' + 'a');
    return out;
}

bool IsAction(TSymbol kind) {
    return kind == sym_vor || kind == sym_drehe_links || kind == sym_nimm_auf || kind == sym_gib_ab;
}
bool IsCompound(TSymbol kind) {
    return kind == sym_if || kind == sym_while || kind == sym_repeat;
}
// A record that stands for a statement of the text, as opposed to the markers that close bodies.
bool IsStatement(TSymbol kind) {
    return IsAction(kind) || IsCompound(kind) || kind == sym_call;
}

const char* ActionWord(TSymbol kind) {
    switch (kind) {
    case sym_vor:
        return "vor";
    case sym_drehe_links:
        return "drehe_links";
    case sym_nimm_auf:
        return "nimm_auf";
    default:
        return "gib_ab";
    }
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
    std::string Where(int32_t P, size_t index) const {
        return "procedure " + std::to_string(P) + ", record " + std::to_string(index) + ": ";
    }

    // The text a record selects, lowered; the selection must lie within the text.
    std::string Selected(const TAnweisung& record, const std::string& where) const {
        Require(record.SelStart >= 1 && record.SelLength >= 0 &&
                    int64_t(record.SelStart) - 1 + record.SelLength <= int64_t(text_.size()),
                where + "selection outside the text");
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
        const std::string where = Where(P, index);
        const bool usesCondition =
            record.Kind == sym_if || record.Kind == sym_while || record.Kind == sym_until;
        if (usesCondition)
            Require(IsWellFormedCondition(record.Condition), where + "condition is not well formed");
        else
            Require(record.Condition.empty(), where + "condition on a record that has none");
        if (!IsCompound(record.Kind) && record.Kind != sym_call)
            Require(record.Target == 0, where + "target on a record that has none");

        switch (record.Kind) {
        case sym_vor:
        case sym_drehe_links:
        case sym_nimm_auf:
        case sym_gib_ab:
            Require(Selected(record, where) == ActionWord(record.Kind),
                    where + "selection is not the instruction");
            break;
        case sym_call: {
            Require(record.Target >= 1 && size_t(record.Target) < table_.size(),
                    where + "call of no procedure");
            Require(Visible(P, record.Target), where + "call of a procedure not visible here");
            Require(Selected(record, where) == table_[size_t(record.Target)].Name,
                    where + "selection is not the called name");
            break;
        }
        case sym_if: {
            const std::string text = Selected(record, where);
            Require(text.starts_with("if") && text.ends_with("then"),
                    where + "if does not select if ... then");
            break;
        }
        case sym_while: {
            const std::string text = Selected(record, where);
            Require(text.starts_with("while") && text.ends_with("do"),
                    where + "while does not select while ... do");
            break;
        }
        case sym_repeat:
            Require(Selected(record, where) == "repeat", where + "selection is not repeat");
            break;
        case sym_until:
            Require(Selected(record, where).starts_with("until"),
                    where + "selection does not begin with until");
            break;
        case sym_end:
            if (record.SelStart != 0 || record.SelLength != 0)
                Require(Selected(record, where) == "end", where + "end selects something else");
            break;
        case sym_else:
            Require(record.SelStart == 0 && record.SelLength == 0, where + "else marker selects text");
            break;
        case sym_end_dot:
            Require(Selected(record, where) == (P == 0 ? "end." : "end"),
                    where + "block end selects something else");
            break;
        default:
            Broken(where + "kind " + std::to_string(int(record.Kind)) + " is never stored");
        }
    }

    // The index of the record that closes the section of a compound statement of the given kind.
    size_t SectionEnd(const std::vector<TAnweisung>& records, size_t start, TSymbol kind,
                      const std::string& where) {
        const auto kindAt = [&](size_t i) { return i < records.size() ? records[i].Kind : sym_none; };
        size_t i = start;
        while (IsStatement(kindAt(i)))
            ++i;
        if (kind == sym_repeat && kindAt(i) == sym_until) ++i;
        if (kind == sym_if) {
            // A then-part written as begin ... end closes with its own end before the else marker.
            if (kindAt(i) == sym_end && kindAt(i + 1) == sym_else) ++i;
            Require(kindAt(i) == sym_else, where + "if section without its else marker");
            ++i;
            while (IsStatement(kindAt(i)))
                ++i;
        }
        Require(kindAt(i) == sym_end, where + "section does not end with end");
        return i;
    }

    void CheckProcedure(int32_t P) {
        const TProc& proc = table_[size_t(P)];
        const std::string where = "procedure " + std::to_string(P) + ": ";
        Require(IsIdentifier(proc.Name), where + "no valid name");
        Require(P == 0 ? proc.Parent == 0 : proc.Parent >= 0 && proc.Parent < P,
                where + "parent is not declared before it");
        const std::vector<TAnweisung>& records = proc.Statements;

        const auto firstEnd = std::find_if(records.begin(), records.end(),
                                           [](const TAnweisung& r) { return r.Kind == sym_end_dot; });
        Require(firstEnd != records.end(), where + "block does not end");
        const auto blockEnd = size_t(firstEnd - records.begin());
        for (size_t i = 0; i < records.size(); ++i) {
            CheckRecord(P, i);
            if (i < blockEnd)
                Require(IsStatement(records[i].Kind), Where(P, i) + "a marker in the procedure's own block");
            if (i > blockEnd) Require(records[i].Kind != sym_end_dot, Where(P, i) + "a second block end");
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
            Require(record.Target >= 0 && size_t(record.Target) == next,
                    Where(P, i) + "body does not begin where the sections in text order put it");
            Require(size_t(record.Target) > i, Where(P, i) + "body stands before its statement");
            next = SectionEnd(records, size_t(record.Target), record.Kind, Where(P, i)) + 1;
        }
        Require(next == records.size(), where + "records that belong to no section");
    }

    const TProcTable& table_;
    std::string text_;
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
        Require(messages.size() == 1 && messages[0] == "kein Programm!",
                "a text without lines gives kein Programm!");
        return;
    }
    for (const std::string& message : messages) {
        size_t digits = 0;
        while (digits < message.size() && message[digits] >= '0' && message[digits] <= '9')
            ++digits;
        Require(digits > 0 && digits <= 10 && (digits == 1 || message[0] != '0'),
                "message without a line number: " + message);
        Require(std::stoll(message.substr(0, digits)) < int64_t(lines.size()),
                "message names a line the text does not have: " + message);
        const std::string_view text = std::string_view(message).substr(digits);
        Require(std::find(std::begin(kMessageTexts), std::end(kMessageTexts), text) !=
                    std::end(kMessageTexts),
                "unknown message text: " + message);
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

void CheckWorld(const World& world, int stock, const char* when) {
    // Called after every step of a long run: the message is put together only when a rule broke.
    const auto require = [when](bool holds, const char* what) {
        if (!holds) Broken(std::string(when) + ": " + what);
    };
    for (int c = 1; c <= kColumns; ++c) {
        for (int r = 1; r <= kRows; ++r) {
            const int32_t code = world.Cells[size_t(CellIndex(c, r))];
            require(code >= kFreePath && code <= kWall, "cell code out of range");
            if (OnBorder(c, r)) require(code == kWall, "border ring broken");
        }
    }
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
