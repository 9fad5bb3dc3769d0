// The scanner: comments become blanks in place, tokens come with their positions (line breaks
// counted as two), conditions are read up to their terminator, words are classified and procedure
// names resolved by their visibility, and program files split into lines as the editor loads them.
#include "language/program_text.h"
#include "language/scanner.h"

#include <QTest>

using namespace nibbo;

Q_DECLARE_METATYPE(SourceLines)

namespace {

SourceLines L(std::initializer_list<const char*> lines) {
    return SourceLines(lines.begin(), lines.end());
}

QString Show(const SourceLines& lines) {
    QStringList shown;
    for (const std::string& line : lines)
        shown << "[" + QString::fromLatin1(line.c_str()) + "]";
    return shown.join(QLatin1Char(' '));
}

// "token@line:column+linestart" for every token up to the end of the text.
QByteArrayList Tokens(const SourceLines& lines) {
    ScannerPosition position;
    QByteArrayList out;
    for (int guard = 0; guard < 100; ++guard) {
        const std::string token = ReadWord(lines, position);
        if (token.empty()) break;
        out << QByteArray::fromStdString(token + "@" + std::to_string(position.LineIndex) + ":" +
                                         std::to_string(position.TokenColumn) + "+" +
                                         std::to_string(position.LineStart));
    }
    return out;
}

} // namespace

class TestScanner : public QObject {
    Q_OBJECT
private slots:
    void stripComments_data() {
        QTest::addColumn<SourceLines>("lines");
        QTest::addColumn<SourceLines>("stripped");
        QTest::newRow("all three forms on one line")
            << L({"{ a } vor; (* b *) drehe_links; // c"}) << L({"      vor;         drehe_links;     "});
        QTest::newRow("tabs become blanks") << L({"\tvor;\t\t"}) << L({" vor;  "});
        QTest::newRow("brace across lines, text after the closer stays")
            << L({"vor; { a", "b", "c } gib_ab; { d } vor;"})
            << L({"vor;    ", " ", "    gib_ab;       vor;"});
        QTest::newRow("parenthesis across lines") << L({"(* a", "*) vor"}) << L({"    ", "   vor"});
        QTest::newRow("(*) is a whole comment") << L({"(*) vor; *)"}) << L({"    vor; *)"});
        QTest::newRow("(**) is a whole comment") << L({"a(**)b"}) << L({"a    b"});
        QTest::newRow("a closer without opener stays")
            << L({"vor; } *) drehe_links;"}) << L({"vor; } *) drehe_links;"});
        QTest::newRow("an unclosed brace blanks the rest of the text")
            << L({"vor; {", "drehe_links;", "end."}) << L({"vor;  ", "            ", "    "});
        QTest::newRow("an unclosed parenthesis blanks the rest of the text")
            << L({"vor (* x", "end."}) << L({"vor     ", "    "});
        QTest::newRow("// inside braces goes with the braces") << L({"{ // } vor;"}) << L({"       vor;"});
        QTest::newRow("{ inside (* *) goes with them") << L({"(* { *) vor; }"}) << L({"        vor; }"});
        QTest::newRow("the leftmost opener decides: // before {")
            << L({"vor; // { ", "gib_ab; }"}) << L({"vor;      ", "gib_ab; }"});
        QTest::newRow("the leftmost opener decides: { before //")
            << L({"{ // } vor; // }"}) << L({"       vor;     "});
        QTest::newRow("a closer must stand right of its opener") << L({"{}", "}{"}) << L({"  ", "} "});
        QTest::newRow("a single slash is no comment") << L({"a / b"}) << L({"a / b"});
        QTest::newRow("no lines") << SourceLines{} << SourceLines{};
        // Comments longer than any pattern of blanks still keep every later column.
        const std::string longComment = "{" + std::string(400, 'x') + "}";
        QTest::newRow("a long comment keeps its length")
            << SourceLines{longComment + "vor;", "(*" + std::string(1000, 'y'),
                           std::string(300, 'z') + "*)end."}
            << SourceLines{std::string(402, ' ') + "vor;", std::string(1002, ' '),
                           std::string(302, ' ') + "end."};
    }

    void stripComments() {
        QFETCH(SourceLines, lines);
        QFETCH(SourceLines, stripped);
        StripComments(lines);
        QCOMPARE(Show(lines), Show(stripped));
    }

    void readWord_data() {
        QTest::addColumn<SourceLines>("lines");
        QTest::addColumn<QByteArrayList>("tokens");
        QTest::newRow("semicolons separate without blanks")
            << L({"vor;vor;"}) << QByteArrayList{"vor@0:1+0", ";@0:4+0", "vor@0:5+0", ";@0:8+0"};
        QTest::newRow("letters A-Z are lowered, nothing else")
            << L({"BEGIN Drehe_Links \xC4X"})
            << QByteArrayList{"begin@0:1+0", "drehe_links@0:7+0", "\xC4x@0:19+0"};
        QTest::newRow("the full stop belongs to the word")
            << L({"end. end .", "(x)y"})
            << QByteArrayList{"end.@0:1+0", "end@0:6+0", ".@0:10+0", "(x)y@1:1+12"};
        QTest::newRow("blank and empty lines give no token, line breaks count two")
            << L({"  program", "", "     ", "  p ;"})
            << QByteArrayList{"program@0:3+0", "p@3:3+20", ";@3:5+20"};
        QTest::newRow("only the blank separates; a tab is part of a word (no comment removal)")
            << L({"vor\tvor"}) << QByteArrayList{"vor\tvor@0:1+0"};
        QTest::newRow("nothing at all") << L({"", "   "}) << QByteArrayList{};
    }

    void readWord() {
        QFETCH(SourceLines, lines);
        QFETCH(QByteArrayList, tokens);
        QCOMPARE(Tokens(lines), tokens);
    }

    void afterTheLastTokenEveryReadIsEmpty() {
        const SourceLines lines = L({"vor;", "", "  "});
        ScannerPosition position;
        QCOMPARE(ReadWord(lines, position), std::string("vor"));
        QCOMPARE(ReadWord(lines, position), std::string(";"));
        QVERIFY(!position.EndOfText);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(ReadWord(lines, position), std::string());
            QVERIFY(position.EndOfText);
            QCOMPARE(position.LineIndex, 2);
            QCOMPARE(position.Column, 3);
            QCOMPARE(position.LineStart, 6 + 2);
        }
    }

    void unreadGoesBackOneRead() {
        const SourceLines lines = L({"if", "   vorne_frei then"});
        ScannerPosition position;
        QCOMPARE(ReadWord(lines, position), std::string("if"));
        QCOMPARE(ReadWord(lines, position), std::string("vorne_frei"));
        QCOMPARE(position.LineIndex, 1);
        UnreadToken(position);
        QCOMPARE(position.LineIndex, 0); // back to where that read began, behind "if"
        QCOMPARE(position.Column, 3);
        QCOMPARE(ReadWord(lines, position), std::string("vorne_frei"));
        QCOMPARE(position.LineStart + position.TokenColumn, 4 + 4);
        QCOMPARE(ReadCondition(lines, position), std::string()); // "then" follows at once
        UnreadToken(position);
        QCOMPARE(ReadWord(lines, position), std::string("then"));
    }

    void readCondition_data() {
        QTest::addColumn<SourceLines>("lines");
        QTest::addColumn<QByteArray>("condition");
        QTest::addColumn<QByteArray>("next"); // the token read after the condition
        QTest::addColumn<int>("line");        // where the condition stopped
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("endOfText");
        QTest::newRow("up to then") << L({"if vorne_frei then vor;"}) << QByteArray("vorne_frei ")
                                    << QByteArray("then") << 0 << 15 << false;
        QTest::newRow("do inside a word")
            << L({"if vorne_frei and undo then"}) << QByteArray("vorne_frei and un") << QByteArray("do") << 0
            << 21 << false;
        QTest::newRow("across lines, trimmed and joined by one blank")
            << L({"if vorne_frei and", "   links_frei then"}) << QByteArray("vorne_frei and links_frei ")
            << QByteArray("then") << 1 << 15 << false;
        QTest::newRow("lowered, up to ;")
            << L({"until NORDWAERTS;"}) << QByteArray("nordwaerts") << QByteArray(";") << 0 << 17 << false;
        QTest::newRow("END in capitals") << L({"until feld_leer", "  END;"}) << QByteArray("feld_leer ")
                                         << QByteArray("end") << 1 << 3 << false;
        QTest::newRow("an empty line still adds its blank")
            << L({"while hat_vorrat", "", "  do"}) << QByteArray("hat_vorrat  ") << QByteArray("do") << 2 << 3
            << false;
        QTest::newRow("a terminator right away")
            << L({"if then"}) << QByteArray("") << QByteArray("then") << 0 << 4 << false;
        QTest::newRow("to the end of the text")
            << L({"if vorne_frei", " and"}) << QByteArray("vorne_frei and") << QByteArray("") << 1 << 5
            << true;
        QTest::newRow("nothing but blanks")
            << L({"if ", "  "}) << QByteArray("") << QByteArray("") << 1 << 3 << true;
        QTest::newRow("control characters are trimmed from joined lines, bytes above 127 are not")
            << L({"if a", "\x01\xA0 b\x1f", "then"}) << QByteArray("a \xA0 b ") << QByteArray("then") << 2
            << 1 << false;
    }

    void readCondition() {
        QFETCH(SourceLines, lines);
        QFETCH(QByteArray, condition);
        QFETCH(QByteArray, next);
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(bool, endOfText);
        ScannerPosition position;
        QCOMPARE(ReadWord(lines, position), std::string(lines[0].substr(0, lines[0].find(' '))));
        QCOMPARE(QByteArray::fromStdString(ReadCondition(lines, position)), condition);
        QCOMPARE(position.LineIndex, line);
        QCOMPARE(position.Column, column);
        QCOMPARE(position.EndOfText, endOfText);
        QCOMPARE(QByteArray::fromStdString(ReadWord(lines, position)), next);
    }

    void isIdentifier_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("identifier");
        QTest::newRow("letters") << QByteArray("drehe_um") << true;
        QTest::newRow("underscore first, digits later") << QByteArray("_a1_2") << true;
        QTest::newRow("keywords are names too") << QByteArray("begin") << true;
        QTest::newRow("empty") << QByteArray("") << false;
        QTest::newRow("digit first") << QByteArray("1a") << false;
        QTest::newRow("capitals (the scanner lowers them first)") << QByteArray("Abc") << false;
        QTest::newRow("umlaut") << QByteArray("dreh\xFC") << false;
        QTest::newRow("hyphen") << QByteArray("dreh-um") << false;
        QTest::newRow("full stop") << QByteArray("end.") << false;
    }

    void isIdentifier() {
        QFETCH(QByteArray, text);
        QFETCH(bool, identifier);
        QCOMPARE(IsIdentifier(text.toStdString()), identifier);
    }

    void classifySymbol() {
        TProcTable table(3);
        table[0].Name = "prog";
        table[1].Name = "vor";
        table[2].Name = "umdrehen";
        ProcedureDirectory procedures(table);
        for (int32_t i = 0; i < 3; ++i)
            procedures.Add(i);
        const struct {
            const char* token;
            TSymbol symbol;
        } cases[] = {
            {";", sym_semicolon},   {"end.", sym_end_dot}, {"drehe_links", sym_drehe_links},
            {"vor", sym_vor},       // a keyword before a procedure of that name
            {"umdrehen", sym_call}, // a declared procedure
            {"prog", sym_other},    // the program's own name calls nothing
            {"BEGIN", sym_other},   // tokens arrive lowered; the table is case-sensitive
            {"end;", sym_other},    {"", sym_other},       {"vorne_frei", sym_other},
        };
        for (const auto& c : cases)
            QVERIFY2(ClassifySymbol(c.token, 0, procedures) == c.symbol, c.token);
    }

    void findProcedure() {
        // program(0)
        //   a(1)            b(2) in a, c(3) in a, d(4) in c
        //   e(5)            x(6) in e, -(7) unnamed in e (its Parent stays 0), y(8) in the unnamed one
        //   x(9)
        struct Entry {
            const char* name;
            int32_t parent;
        };
        const Entry entries[] = {{"prog", 0}, {"a", 0}, {"b", 1}, {"c", 1}, {"d", 3},
                                 {"e", 0},    {"x", 5}, {"", 0},  {"y", 7}, {"x", 0}};
        TProcTable table;
        ProcedureDirectory procedures(table);
        for (const Entry& e : entries) {
            table.push_back({e.parent, e.name, {}});
        }
        for (int32_t i = 0; i < int32_t(table.size()); ++i)
            procedures.Add(i);

        const struct {
            const char* name;
            int32_t from;
            int32_t found;
        } cases[] = {
            {"a", 0, 1},    {"d", 0, 4},
            {"y", 0, 8},                 // from the main block: anything declared so far
            {"prog", 0, 0},              // but not the program itself
            {"x", 0, 9},                 // the last of several callable ones
            {"d", 1, 4},    {"a", 1, 1}, // from a procedure of the program: likewise, itself too
            {"c", 2, 3},    {"d", 2, 4},
            {"b", 2, 2},                 // from b in a: its sibling, the sibling's child, itself
            {"a", 2, 0},    {"e", 2, 0}, // not the enclosing procedure, nothing outside it
            {"b", 4, 0},    {"c", 4, 0},
            {"d", 4, 4},                 // from d in c: only inside c
            {"x", 6, 6},    {"y", 6, 0}, // y hangs under an entry that lost its parent
            {"b", 7, 2},    {"x", 7, 9}, // ... so from that entry everything is callable
            {"y", 8, 8},    {"x", 8, 0}, // ... but from y only what is inside it
            {"", 0, 0},     {"zz", 0, 0},
        };
        for (const auto& c : cases)
            QVERIFY2(FindProcedure(c.name, c.from, procedures) == c.found,
                     qPrintable(QStringLiteral("%1 from %2").arg(QString::fromLatin1(c.name)).arg(c.from)));
    }

    void programText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<SourceLines>("lines");
        QTest::newRow("empty file has no lines") << QByteArray() << SourceLines{};
        QTest::newRow("a lone line break is one empty line") << QByteArray("\r\n") << L({""});
        QTest::newRow("CR LF, CR and LF") << QByteArray("a\r\nb\rc\nd") << L({"a", "b", "c", "d"});
        QTest::newRow("a final break adds no line") << QByteArray("a\r\n") << L({"a"});
        QTest::newRow("an empty line before the end stays") << QByteArray("a\n\n") << L({"a", ""});
        QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << L({"a", "", "b"});
        QTest::newRow("bytes stay bytes")
            << QByteArray("\xFC\x80\x00z", 4) << SourceLines{std::string("\xFC\x80\x00z", 4)};
    }

    void programText() {
        QFETCH(QByteArray, bytes);
        QFETCH(SourceLines, lines);
        QCOMPARE(Show(SplitProgramText(std::string_view(bytes.constData(), size_t(bytes.size())))),
                 Show(lines));
        QCOMPARE(SplitProgramText(std::string_view(bytes.constData(), size_t(bytes.size()))).size(),
                 lines.size());
    }
};

QTEST_GUILESS_MAIN(TestScanner)
#include "test_scanner.moc"
