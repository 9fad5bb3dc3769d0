// Golden programs: every file golden/NAME.pas is checked as the editor would hold it, and the
// message lines must be those of NAME.messages; a program without faults must compile into the
// records of NAME.records, and every record must select exactly the text it was made from.
#include "language/program_text.h"
#include "language/syntax_check.h"
#include "program_dump.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

const QString kGolden = QStringLiteral(NIBBO_TEST_DATA "/golden");

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

QStringList ExpectedLines(const QString& path) {
    const QString text = QString::fromUtf8(ReadFile(path));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty()) lines.removeLast();
    return lines;
}

QStringList ToQStrings(const std::vector<std::string>& lines) {
    QStringList result;
    for (const std::string& line : lines)
        result << QString::fromStdString(line);
    return result;
}

std::string Lowered(std::string text) {
    for (char& ch : text)
        if (ch >= 'A' && ch <= 'Z') ch = char(ch - 'A' + 'a');
    return text;
}

// Where every record points in the text, as the engine selects it: the words the record was made
// from, counted in the text with two-character line breaks.
void CheckSelections(const SourceLines& lines, const TProcTable& table) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\r\n" : "") + lines[i];
    for (size_t p = 0; p < table.size(); ++p) {
        for (const TAnweisung& r : table[p].Statements) {
            const std::string where = "procedure " + std::to_string(p) + ", selection " +
                                      std::to_string(r.SelStart) + "+" + std::to_string(r.SelLength);
            if (r.SelStart == 0) {
                QVERIFY2(r.SelLength == 0 && (r.Kind == sym_end || r.Kind == sym_else), where.c_str());
                continue;
            }
            QVERIFY2(r.SelStart >= 1 && size_t(r.SelStart - 1 + r.SelLength) <= text.size(), where.c_str());
            const std::string selected = Lowered(text.substr(size_t(r.SelStart - 1), size_t(r.SelLength)));
            const auto spans = [&](const char* first, const char* last) {
                return selected.starts_with(first) && selected.ends_with(last);
            };
            bool fits = false;
            switch (r.Kind) {
            case sym_vor:
                fits = selected == "vor";
                break;
            case sym_drehe_links:
                fits = selected == "drehe_links";
                break;
            case sym_nimm_auf:
                fits = selected == "nimm_auf";
                break;
            case sym_gib_ab:
                fits = selected == "gib_ab";
                break;
            case sym_call:
                fits = selected == table[size_t(r.Target)].Name;
                break;
            case sym_if:
                fits = spans("if", "then");
                break;
            case sym_while:
                fits = spans("while", "do");
                break;
            case sym_repeat:
                fits = selected == "repeat";
                break;
            case sym_until:
                fits = selected.starts_with("until");
                break;
            case sym_end:
                fits = selected == "end";
                break;
            case sym_end_dot:
                fits = p == 0 ? selected == "end." : selected == "end";
                break;
            default:
                break;
            }
            QVERIFY2(fits, (where + " selects \"" + selected + "\"").c_str());
        }
    }
}

// Every text a program can bring into the message list. (The one for programs nested too deep
// needs programs too large for golden files; the parser's own tests produce it.)
const char* const kAllMessages[] = {
    ": \"program\" erwartet!",
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
    "kein Programm!",
};

} // namespace

class TestSyntaxGolden : public QObject {
    Q_OBJECT
private slots:
    void program_data() {
        QTest::addColumn<QString>("name");
        const QStringList programs =
            QDir(kGolden).entryList({QStringLiteral("*.pas")}, QDir::Files, QDir::Name);
        QVERIFY(programs.size() >= 50);
        for (const QString& file : programs) {
            const QString name = file.chopped(4);
            QTest::newRow(qPrintable(name)) << name;
        }
    }

    void program() {
        QFETCH(QString, name);
        const QByteArray bytes = ReadFile(kGolden + "/" + name + ".pas");
        const SourceLines lines = SplitProgramText(std::string_view(bytes.constData(), size_t(bytes.size())));

        TProcTable table;
        ScannerPosition scanner;
        const QStringList messages = ToQStrings(CheckSyntax(lines, table, scanner));
        QCOMPARE(messages, ExpectedLines(kGolden + "/" + name + ".messages"));

        const QString recordsFile = kGolden + "/" + name + ".records";
        if (messages.isEmpty()) {
            QVERIFY2(QFile::exists(recordsFile), "a program without faults needs its records");
            QCOMPARE(QString::fromStdString(DumpProgram(table)), QString::fromUtf8(ReadFile(recordsFile)));
            CheckSelections(lines, table);
        } else {
            QVERIFY2(!QFile::exists(recordsFile), "records are kept only for programs without faults");
        }
    }

    void everyMessageTextOccurs() {
        QSet<QString> seen;
        const QRegularExpression numbered(QStringLiteral("^\\d+(: .*)$"));
        for (const QString& file : QDir(kGolden).entryList({QStringLiteral("*.messages")}, QDir::Files)) {
            for (const QString& line : ExpectedLines(kGolden + "/" + file)) {
                const QRegularExpressionMatch match = numbered.match(line);
                seen << (match.hasMatch() ? match.captured(1) : line);
            }
        }
        for (const char* text : kAllMessages)
            QVERIFY2(seen.contains(QString::fromUtf8(text)), text);
    }
};

QTEST_GUILESS_MAIN(TestSyntaxGolden)
#include "test_syntax_golden.moc"
