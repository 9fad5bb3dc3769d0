// The parser as a whole: generated programs in every form a pupil may write them must compile into
// records from which the program's structure reads back unchanged, laid out section after section;
// nesting has a limit that is reported, never a crash; and a check can be repeated.
#include "language/syntax_check.h"
#include "language/vocabulary.h"
#include "program_dump.h"

#include <QTest>
#include <functional>
#include <random>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

// --- A generator of valid programs: the source text with random layout, comments and letter
// case, and beside it a canonical form of its structure that ignores all layout. ---
class ProgramGenerator {
public:
    explicit ProgramGenerator(unsigned seed) : rng_(seed) {}

    // Fills `source` and `canonical` ("P<index>:" and the statements of each procedure).
    void Generate(std::string& source, std::string& canonical) {
        source.clear();
        canonical.clear();
        procs_.clear();
        procs_.push_back({0, 0});
        Word("program");
        Word(Cased("prog"));
        Semicolon();
        std::vector<std::string> blocks(1);
        const int topLevel = Chance(3) ? 0 : Uniform(1, 4);
        for (int i = 0; i < topLevel; ++i)
            Procedure(0, blocks);
        Word("begin");
        blocks[0] = List(0, 0);
        Word("end.");
        for (size_t p = 0; p < blocks.size(); ++p)
            canonical += "P" + std::to_string(p) + ":" + blocks[p] + "\n";
        source = std::move(text_);
        text_.clear();
    }

private:
    struct Proc {
        int Parent;
        int Level;
    };

    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool Chance(int oneIn) { return Uniform(1, oneIn) == 1; }

    std::string Cased(std::string word) {
        if (Chance(4))
            for (char& ch : word)
                if (ch >= 'a' && ch <= 'z') ch = char(ch - 'a' + 'A');
        return word;
    }

    // Something that separates two words: blanks, tabs, line breaks or comments.
    void Separator() {
        switch (Uniform(1, 12)) {
        case 1:
            text_ += "\n";
            break;
        case 2:
            text_ += "\n\t";
            break;
        case 3:
            text_ += " { Kommentar } ";
            break;
        case 4:
            text_ += " (* mehrere\n Zeilen *) ";
            break;
        case 5:
            text_ += " // bis zum Zeilenende\n";
            break;
        case 6:
            text_ += "\t";
            break;
        default:
            text_ += " ";
            break;
        }
    }
    void Word(const std::string& word) {
        if (!text_.empty()) Separator();
        text_ += Cased(word);
    }
    void Semicolon() {
        if (Chance(2)) Separator();
        text_ += ";";
    }

    void Procedure(int parent, std::vector<std::string>& blocks) {
        const int index = int(procs_.size());
        procs_.push_back({parent, procs_[size_t(parent)].Level + 1});
        blocks.emplace_back();
        Word("procedure");
        Word("p" + std::to_string(index));
        Semicolon();
        if (procs_[size_t(index)].Level < 3 && Chance(3)) {
            const int children = Uniform(1, 2);
            for (int i = 0; i < children; ++i)
                Procedure(index, blocks);
        }
        Word("begin");
        blocks[size_t(index)] = List(index, 0);
        Word("end");
        Semicolon();
    }

    // Procedures callable from the block of `caller`: itself, and every procedure declared so far
    // that is nested somewhere inside the caller's parent.
    std::vector<int> Callable(int caller) const {
        std::vector<int> result;
        const int scope = procs_[size_t(caller)].Parent;
        for (int k = 1; k < int(procs_.size()); ++k) {
            int ancestor = procs_[size_t(k)].Parent;
            while (ancestor > scope)
                ancestor = procs_[size_t(ancestor)].Parent;
            if (k == caller || ancestor == scope) result.push_back(k);
        }
        return result;
    }

    std::string Condition() {
        std::string canonical;
        const auto token = [&](const char* word) {
            Word(word);
            canonical += (canonical.empty() ? "" : " ") + std::string(word);
        };
        const std::function<void(int)> operand = [&](int depth) {
            if (Chance(4)) token("not");
            if (depth < 3 && Chance(4)) {
                token("(");
                const int terms = Uniform(1, 3);
                for (int t = 0; t < terms; ++t) {
                    if (t) token(Chance(2) ? "and" : "or");
                    operand(depth + 1);
                }
                token(")");
            } else {
                token(Spelling(TFunktion(vorne_frei + Uniform(0, 10))).data());
            }
        };
        operand(0);
        return canonical;
    }

    // A statement list closed by "end" (the caller writes the "end"); each statement has its ";".
    std::string List(int proc, int depth) {
        std::string canonical;
        const int count = Uniform(0, depth < 2 ? 5 : 3);
        for (int i = 0; i < count; ++i) {
            if (Chance(8)) Semicolon(); // an empty statement
            if (depth < 5 && Chance(10)) {
                Word("begin"); // a group that only groups
                canonical += List(proc, depth + 1);
                Word("end");
            } else {
                canonical += Statement(proc, depth, true, true);
            }
            Semicolon();
        }
        return canonical;
    }

    // A body: a single statement, a begin..end list, or nothing where that is allowed.
    std::string Body(int proc, int depth, bool mayBeEmpty, bool mayBeCompound) {
        const int choice = Uniform(1, 6);
        if (mayBeEmpty && choice == 1) return "";
        if (choice <= 3) {
            Word("begin");
            std::string canonical = List(proc, depth + 1);
            Word("end");
            return canonical;
        }
        return Statement(proc, depth + 1, mayBeEmpty, mayBeCompound);
    }

    // One statement. `semicolonFollows`: the statement is followed by the ";" of a list, so an
    // empty single-statement body may end it. `mayBeCompound`: false in a then-part before "else",
    // where an inner if would take the else and an inner repeat's condition would run on.
    std::string Statement(int proc, int depth, bool semicolonFollows, bool mayBeCompound) {
        const std::vector<int> callable = Callable(proc);
        int kind = Uniform(1, mayBeCompound && depth < 6 ? 9 : 5);
        if (kind == 5 && callable.empty()) kind = 1;
        switch (kind) {
        case 1:
            Word("vor");
            return "vor;";
        case 2:
            Word("drehe_links");
            return "drehe_links;";
        case 3:
            Word("nimm_auf");
            return "nimm_auf;";
        case 4:
            Word("gib_ab");
            return "gib_ab;";
        case 5: {
            const int target = callable[size_t(Uniform(0, int(callable.size()) - 1))];
            Word("p" + std::to_string(target));
            return "call(" + std::to_string(target) + ");";
        }
        case 6: {
            Word("while");
            const std::string condition = Condition();
            Word("do");
            return "while(" + condition + "){" + Body(proc, depth, semicolonFollows, true) + "}";
        }
        case 7: {
            Word("repeat");
            const std::string body = List(proc, depth + 1);
            Word("until");
            return "repeat{" + body + "}until(" + Condition() + ");";
        }
        default: {
            Word("if");
            const std::string condition = Condition();
            Word("then");
            if (Chance(2)) {
                const std::string thenPart = Body(proc, depth, true, false);
                Word("else");
                const std::string elsePart = Body(proc, depth, semicolonFollows, true);
                return "if(" + condition + "){" + thenPart + "}else{" + elsePart + "}";
            }
            return "if(" + condition + "){" + Body(proc, depth, semicolonFollows, true) + "}else{}";
        }
        }
    }

    std::mt19937 rng_;
    std::string text_;
    std::vector<Proc> procs_;
};

// --- Reading the structure back from the records, the way the engine walks them. ---
struct Walk {
    const std::vector<TAnweisung>& Records;
    std::vector<int> Visits; // how often each record was read
    std::vector<std::pair<int32_t, size_t>>
        Bodies; // per compound statement in text order: first and last index
    std::string Failure;

    explicit Walk(const std::vector<TAnweisung>& records) : Records(records), Visits(records.size(), 0) {}

    const TAnweisung* At(size_t at) {
        if (at >= Records.size()) {
            if (Failure.empty()) Failure = "ran off the array at " + std::to_string(at);
            return nullptr;
        }
        ++Visits[at];
        return &Records[at];
    }
    void Expect(size_t at, TSymbol kind) {
        const TAnweisung* r = At(at);
        if (r && r->Kind != kind && Failure.empty())
            Failure = "record " + std::to_string(at) + " has kind " + std::to_string(int(r->Kind)) +
                      ", expected " + std::to_string(int(kind));
    }

    static std::string Condition(const TAnweisung& r) {
        std::string out;
        for (TFunktion token : r.Condition)
            out += (out.empty() ? "" : " ") + TokenName(token);
        return out;
    }

    // Statements from `at` up to the record that closes the list; `at` ends on that record.
    std::string List(size_t& at) {
        std::string out;
        while (Failure.empty()) {
            if (at >= Records.size()) {
                Failure = "a list runs off the array";
                break;
            }
            const TAnweisung& r = Records[at];
            switch (r.Kind) {
            case sym_vor:
            case sym_drehe_links:
            case sym_nimm_auf:
            case sym_gib_ab:
                ++Visits[at];
                out += std::string(r.Kind == sym_vor           ? "vor"
                                   : r.Kind == sym_drehe_links ? "drehe_links"
                                   : r.Kind == sym_nimm_auf    ? "nimm_auf"
                                                               : "gib_ab") +
                       ";";
                ++at;
                break;
            case sym_call:
                ++Visits[at];
                out += "call(" + std::to_string(r.Target) + ");";
                ++at;
                break;
            case sym_while: {
                ++Visits[at];
                const size_t slot = Bodies.size();
                Bodies.emplace_back(r.Target, 0);
                size_t b = size_t(r.Target);
                const std::string body = List(b);
                Expect(b, sym_end);
                Bodies[slot].second = b;
                out += "while(" + Condition(r) + "){" + body + "}";
                ++at;
                break;
            }
            case sym_repeat: {
                ++Visits[at];
                const size_t slot = Bodies.size();
                Bodies.emplace_back(r.Target, 0);
                size_t b = size_t(r.Target);
                const std::string body = List(b);
                Expect(b, sym_until);
                const std::string condition = b < Records.size() ? Condition(Records[b]) : "";
                Expect(b + 1, sym_end);
                Bodies[slot].second = b + 1;
                out += "repeat{" + body + "}until(" + condition + ");";
                ++at;
                break;
            }
            case sym_if: {
                ++Visits[at];
                const size_t slot = Bodies.size();
                Bodies.emplace_back(r.Target, 0);
                size_t b = size_t(r.Target);
                const std::string thenPart = List(b);
                if (b < Records.size() && Records[b].Kind == sym_end) ++Visits[b++];
                Expect(b++, sym_else);
                const std::string elsePart = List(b);
                Expect(b, sym_end);
                Bodies[slot].second = b;
                out += "if(" + Condition(r) + "){" + thenPart + "}else{" + elsePart + "}";
                ++at;
                break;
            }
            default:
                return out;
            }
        }
        return out;
    }
};

std::string ReadBack(const TProcTable& table, std::string& failure) {
    std::string canonical;
    for (size_t p = 0; p < table.size() && failure.empty(); ++p) {
        const std::vector<TAnweisung>& records = table[p].Statements;
        Walk walk(records);
        size_t at = 0;
        const std::string block = walk.List(at);
        walk.Expect(at, sym_end_dot);
        if (!walk.Failure.empty()) {
            failure = "procedure " + std::to_string(p) + ": " + walk.Failure;
            break;
        }
        // Section 0 ends at the first "end."; each body's section follows the one before it in the
        // order of the keywords in the text, and every record belongs to exactly one section.
        size_t previousEnd = at;
        for (const auto& [first, last] : walk.Bodies) {
            if (size_t(first) != previousEnd + 1) failure = "a section does not follow the one before it";
            previousEnd = last;
        }
        if (previousEnd + 1 != records.size()) failure = "records after the last section";
        for (size_t i = 0; i < records.size(); ++i)
            if (walk.Visits[i] != 1)
                failure =
                    "record " + std::to_string(i) + " read " + std::to_string(walk.Visits[i]) + " times";
        if (!failure.empty()) failure = "procedure " + std::to_string(p) + ": " + failure;
        canonical += "P" + std::to_string(p) + ":" + block + "\n";
    }
    return canonical;
}

SourceLines Lines(const std::string& text) {
    SourceLines lines;
    size_t from = 0;
    for (size_t at; (at = text.find('\n', from)) != std::string::npos; from = at + 1)
        lines.push_back(text.substr(from, at - from));
    lines.push_back(text.substr(from));
    return lines;
}

std::vector<std::string> Check(const std::string& text, TProcTable& table) {
    ScannerPosition scanner;
    return CheckSyntax(Lines(text), table, scanner);
}

std::string Repeated(const std::string& piece, int count) {
    std::string out;
    out.reserve(piece.size() * size_t(count));
    for (int i = 0; i < count; ++i)
        out += piece;
    return out;
}

// A main block with `depth` while statements, each the body of the one before.
std::string NestedWhiles(int depth) {
    return "program p;\nbegin\n" + Repeated("while vorne_frei do\n", depth) + "vor;\nend.\n";
}

// Procedures declared each inside the one before, `depth` deep, and a block for the innermost one.
std::string NestedProcedures(int depth, const std::string& innermostBlock = "begin vor; end;\n") {
    std::string text = "program p;\n";
    for (int i = 1; i <= depth; ++i)
        text += "procedure p" + std::to_string(i) + ";\n";
    text += innermostBlock;
    for (int i = depth - 1; i >= 1; --i)
        text += "begin p" + std::to_string(i + 1) + "; end;\n";
    return text + "begin p1; end.\n";
}

} // namespace

class TestSyntaxCheck : public QObject {
    Q_OBJECT
private slots:
    void generatedProgramsReadBackFromTheirRecords() {
        for (unsigned seed = 1; seed <= 400; ++seed) {
            ProgramGenerator generator(seed);
            std::string source, canonical;
            generator.Generate(source, canonical);
            TProcTable table;
            const std::vector<std::string> messages = Check(source, table);
            const std::string context = "seed " + std::to_string(seed) + ":\n" + source;
            if (!messages.empty()) QFAIL((context + "\nfirst message: " + messages.front()).c_str());
            std::string failure;
            const std::string readBack = ReadBack(table, failure);
            if (!failure.empty()) QFAIL((context + "\n" + failure + "\n" + DumpProgram(table)).c_str());
            if (readBack != canonical)
                QFAIL((context + "\nexpected\n" + canonical + "got\n" + readBack).c_str());
        }
    }

    void nestingUpToTheLimitIsAccepted() {
        TProcTable table;
        QCOMPARE(Check(NestedWhiles(1000), table), std::vector<std::string>{});
        QCOMPARE(table[0].Statements.size(), size_t(2 + 1000 * 2));
        QCOMPARE(Check(NestedProcedures(1000), table), std::vector<std::string>{});
        QCOMPARE(table.size(), size_t(1001));
        QCOMPARE(table[1000].Parent, 999);
        QCOMPARE(Check(NestedProcedures(600, "begin\n" + Repeated("repeat\n", 400) + "vor;\n" +
                                                 Repeated("until vorne_frei;\n", 400) + "end;\n"),
                       table),
                 std::vector<std::string>{});
        // Groups that only group cost no nesting.
        QCOMPARE(Check("program p;\nbegin\n" + Repeated("begin ", 100000) + "vor;\nend.\n", table),
                 std::vector<std::string>{});
    }

    void nestingBeyondTheLimitIsOneMessage_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("messages");
        // The body that is one level too deep begins on line 1002.
        QTest::newRow("while bodies") << QString::fromStdString(NestedWhiles(1001))
                                      << QStringList{"1002: Programm zu tief verschachtelt!"};
        QTest::newRow("procedures") << QString::fromStdString(NestedProcedures(1001))
                                    << QStringList{"1001: Programm zu tief verschachtelt!"};
        QTest::newRow("faults before it stay listed")
            << QString::fromStdString("program p;\nbegin\n  unbekannt;\n" +
                                      Repeated("if vorne_frei then ", 5000) + "vor;\nend.\n")
            << QStringList{"2: Syntax-Fehler!", "3: Programm zu tief verschachtelt!"};
        // 600 levels of procedures, then repeat bodies: the 401st repeat, on line 1002, is too deep.
        QTest::newRow("procedures and bodies add up")
            << QString::fromStdString(NestedProcedures(600, "begin\n" + Repeated("repeat\n", 401) + "vor;\n" +
                                                                Repeated("until vorne_frei;\n", 401) +
                                                                "end;\n"))
            << QStringList{"1002: Programm zu tief verschachtelt!"};
    }

    void nestingBeyondTheLimitIsOneMessage() {
        QFETCH(QString, text);
        QFETCH(QStringList, messages);
        TProcTable table;
        QStringList got;
        for (const std::string& m : Check(text.toStdString(), table))
            got << QString::fromStdString(m);
        QCOMPARE(got, messages);
    }

    void farTooDeepTextsEndTheCheckSafely() {
        // Far deeper than any call stack could follow, in every construct that nests.
        TProcTable table;
        std::string procedures = "program p; ";
        for (int i = 0; i < 200000; ++i)
            procedures += "procedure q" + std::to_string(i) + "; ";
        for (const std::string& text :
             {"program p; begin " + Repeated("while vorne_frei do ", 200000) + "vor;",
              "program p; begin " + Repeated("if vorne_frei then ", 200000) + "vor;",
              "program p; begin " + Repeated("repeat ", 200000) + "vor;", procedures}) {
            const std::vector<std::string> messages = Check(text, table);
            QCOMPARE(messages.size(), size_t(1));
            QVERIFY(messages[0].ends_with(": Programm zu tief verschachtelt!"));
        }
    }

    void theCheckCanBeRepeatedAndStartsFromEmpty() {
        const std::string valid =
            "program p;\nprocedure a;\nbegin vor; end;\nbegin a; while vorne_frei do a; end.\n";
        TProcTable table;
        QCOMPARE(Check(valid, table), std::vector<std::string>{});
        const std::string first = DumpProgram(table);
        QCOMPARE(Check(valid, table), std::vector<std::string>{});
        QCOMPARE(DumpProgram(table), first);

        // A faulty text leaves only what it built itself, nothing of the program before.
        QCOMPARE(Check("program q;\nbegin\n  vor\nend.\n", table),
                 std::vector<std::string>{"3: \";\" erwartet!"});
        QCOMPARE(table.size(), size_t(1));
        QCOMPARE(table[0].Name, std::string("q"));

        // No lines: no program, and no compiled program left to run.
        ScannerPosition scanner;
        QCOMPARE(CheckSyntax({}, table, scanner), std::vector<std::string>{"kein Programm!"});
        QVERIFY(table.empty());
    }

    void theCheckLeavesTheScannerWhereItStopped() {
        TProcTable table;
        ScannerPosition scanner;
        scanner.LineIndex = 7; // whatever a check before left
        const SourceLines lines = {"program p;", "begin", "  vor;", "end.   "};
        QCOMPARE(CheckSyntax(lines, table, scanner), std::vector<std::string>{});
        QCOMPARE(scanner.LineIndex, 3);
        QVERIFY(scanner.EndOfText);
        // The caller's lines are not changed by removing comments.
        const SourceLines commented = {"program p; { k }", "begin end."};
        const SourceLines copy = commented;
        QCOMPARE(CheckSyntax(commented, table, scanner), std::vector<std::string>{});
        QCOMPARE(commented, copy);
    }
};

QTEST_GUILESS_MAIN(TestSyntaxCheck)
#include "test_syntax_check.moc"
