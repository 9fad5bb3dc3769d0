// Text between files (Windows-1252, CR LF), the editor and the core, position for position.
#include "language/program_text.h"
#include "shell/prg_memo.h"
#include "shell/text_codec.h"
#include "shell/windows1252.h"

#include <QTest>

using namespace nibbo;

class TestTextCodec : public QObject {
    Q_OBJECT
private slots:
    void everyByteIsOneCharacterBothWays() {
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(char(i));
        const QString text = DecodeWindows1252(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(text[0xFC], QChar(0xFC));   // ü
        QCOMPARE(text[0x80], QChar(0x20AC)); // €
        QCOMPARE(EncodeWindows1252(text).value(), all);
        QCOMPARE(QByteArray::fromStdString(ToCoreLine(text)), all);
    }

    void textWindows1252CannotHoldIsFoundNotChanged() {
        const QString text = QString::fromUtf8("vor; → 😀");
        QVERIFY(!EncodeWindows1252(text).has_value());
        QCOMPARE(FirstUnencodable(text), 5);
        // The core gets one byte for every unit, so positions after it stay right.
        const std::string core = ToCoreLine(text);
        QCOMPARE(core.size(), size_t(text.size()));
        QCOMPARE(core.substr(0, 5), std::string("vor; "));
        QCOMPARE(core[5], '\x1a');
    }

    void lineBreaks_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty text has no lines") << "" << QStringList{};
        QTest::newRow("one line") << "vor;" << QStringList{"vor;"};
        QTest::newRow("final break is no extra line") << "a\r\nb\r\n" << QStringList{"a", "b"};
        QTest::newRow("lone LF and CR") << "a\nb\rc" << QStringList{"a", "b", "c"};
        QTest::newRow("empty lines stay") << "\r\n\r\nx" << QStringList{"", "", "x"};
        QTest::newRow("only a break") << "\n" << QStringList{""};
        QTest::newRow("CR CR LF") << "a\r\r\nb" << QStringList{"a", "", "b"};
    }

    void lineBreaks() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(SplitLines(NormalizeLineBreaks(text)), lines);
    }

    void editorPositionsCountLineBreaksAsTwo() {
        TPrgMemo memo;
        memo.setPlainText(QStringLiteral("program p;\nbegin\n  vor;\nend."));
        QCOMPARE(memo.Lines(), (QStringList{"program p;", "begin", "  vor;", "end."}));
        // "vor" starts at 10 + 2 + 5 + 2 + 2 = 21 counting two per line break.
        memo.SetSelection(21, 3);
        QCOMPARE(memo.textCursor().selectedText(), QStringLiteral("vor"));
        QCOMPARE(memo.SelStart(), 21);
        QCOMPARE(memo.SelLength(), 3);
        // A selection over a line break counts it as two.
        memo.SetSelection(12, 7);
        QCOMPARE(memo.textCursor().selectedText(), QStringLiteral("begin") + QChar(0x2029));
        QCOMPARE(memo.SelLength(), 7);
        // Positions past the end fall on the end.
        memo.SetSelection(1000, 0);
        QCOMPARE(memo.textCursor().position(), memo.toPlainText().size());
    }

    // The session reads the editor's whole text, not its blocks one by one: the lines must be the same.
    void coreLinesAreTheEditorsLines_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("only a break") << "\n";
        QTest::newRow("empty lines at the end") << "a\n\n\n";
        QTest::newRow("tab, line separator, unsavable characters")
            << QString::fromUtf8("\tvor;\u2028x\n→ 😀\r\n\xe2\x82\xac\xc3\xbc");
    }

    void coreLinesAreTheEditorsLines() {
        QFETCH(QString, text);
        TPrgMemo memo;
        memo.setPlainText(text);
        const QStringList lines = memo.Lines();
        QCOMPARE(memo.LineCount(), lines.size());
        QCOMPARE(PackProgramText(CoreBytes(memo.Text().toStdU16String())), ToCoreLines(lines));
    }

    void appendLineAddsWholeLines() {
        TPrgMemo memo;
        memo.AppendLine(QStringLiteral("procedure aufzeichnung;"));
        memo.AppendLine(QStringLiteral("begin"));
        QCOMPARE(memo.Text(), QStringLiteral("procedure aufzeichnung;\nbegin\n"));
        memo.setPlainText(QStringLiteral("x"));
        memo.AppendLine(QStringLiteral("y"));
        QCOMPARE(memo.Lines(), (QStringList{"x", "y"}));
    }
};

QTEST_MAIN(TestTextCodec)
#include "test_text_codec.moc"
