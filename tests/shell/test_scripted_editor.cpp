// The scripted front end's editor against the window's: the same text, selection and caret after
// the same calls, so that tests and fuzz targets without widgets see positions as a pupil does.
#include "shell/prg_memo.h"
#include "support/scripted_front_end.h"

#include <QTest>

using namespace nibbo;
using namespace nibbo::testing;

class TestScriptedEditor : public QObject {
    Q_OBJECT
private slots:
    void likeTheWindowsEditor_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start"); // line breaks counted as two characters
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("appended"); // a line appended after selecting, if any
        QTest::newRow("inside a line") << "ab\ncd" << 1 << 1 << "";
        QTest::newRow("across a line break") << "ab\ncd" << 1 << 4 << "";
        QTest::newRow("between CR and LF") << "ab\ncd" << 3 << 0 << "";
        QTest::newRow("past the end") << "ab\ncd" << 4 << 100 << "";
        QTest::newRow("before the start") << "ab" << -3 << 2 << "";
        QTest::newRow("empty lines") << "\n\n\nx" << 4 << 3 << "";
        QTest::newRow("after a final line break") << "ab\n" << 4 << 0 << "";
        QTest::newRow("carriage returns") << "a\r\nb\rc" << 2 << 3 << "";
        QTest::newRow("paragraph separator") << QStringLiteral("a\u2029b") << 1 << 2 << "";
        QTest::newRow("appended with the caret at the end") << "ab" << 2 << 0 << "cd";
        QTest::newRow("appended after a line break") << "ab\n" << 0 << 1 << "cd";
        QTest::newRow("appended to nothing") << "" << 0 << 0 << "cd";
    }

    void likeTheWindowsEditor() {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, appended);
        TPrgMemo memo;
        ScriptedFrontEnd ui;
        memo.SetText(text);
        ui.SetEditorText(text.toStdU16String());
        memo.SetSelection(start, length);
        ui.SelectInEditor(start, length);
        if (!appended.isEmpty()) {
            memo.AppendLine(appended);
            ui.AppendEditorLine(appended.toStdU16String());
        }
        QCOMPARE(QString::fromStdU16String(ui.EditorText()), memo.Text());
        QCOMPARE(ui.EditorSelStart(), memo.SelStart());
        QCOMPARE(ui.EditorSelLength(), memo.SelLength());
        QCOMPARE(int(ui.EditorLines().size()), memo.LineCount());
    }
};

QTEST_MAIN(TestScriptedEditor)
#include "test_scripted_editor.moc"
