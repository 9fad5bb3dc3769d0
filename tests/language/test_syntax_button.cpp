// The button "Syntax-Überprüfung" on the main window: the message list, the selected line of the
// first fault, and the empty editor.
#include "shell/prg_memo.h"
#include "support/form_fixture.h"
#include "world/world_view.h"

#include <QListWidget>
#include <QTest>
#include <QToolButton>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

QStringList ListLines(const TNibboForm& form) {
    QStringList lines;
    for (int i = 0; i < form.InfoListBox->count(); ++i)
        lines << form.InfoListBox->item(i)->text();
    return lines;
}

QString SelectedText(const TPrgMemo& memo) {
    return memo.textCursor().selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

} // namespace

class TestSyntaxButton : public QObject {
    Q_OBJECT
private slots:
    void faultsAreListedAndTheFirstFaultyLineIsSelected_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("selStart"); // counted with two-character line breaks
        QTest::newRow("the ; of line 2 is missing")
            << "program test;\nbegin\n  vor\n  drehe_links;\nend." << QStringList{"3: \";\" erwartet!"}
            << "  drehe_links;" << 13 + 2 + 5 + 2 + 5 + 2;
        QTest::newRow("three messages, the first decides")
            << "program p;\nbegin\n  if vorne_frie then vor;\nend.\n"
            << QStringList{"2: Fehler im booleschen Ausdruck!", "2: Syntax-Fehler!", "2: \";\" erwartet!"}
            << "  if vorne_frie then vor;" << 12 + 7;
        QTest::newRow("umlauts and characters beyond Windows-1252 count one each")
            << QString::fromUtf8("{ Übung → Nibbo 😀 }\nprogram p;\nbegin\n  vor\nend.")
            << QStringList{"4: \";\" erwartet!"} << "end." << 20 + 2 + 12 + 7 + 7;
        QTest::newRow("blank lines only: the last line")
            << "\n  \n\t\n"
            << QStringList{"2: \"program\" erwartet!", "2: ungültiger Programmname!", "2: \";\" erwartet!",
                           "2: \"begin\" erwartet!"}
            << "\t" << 2 + 4;
    }

    void faultsAreListedAndTheFirstFaultyLineIsSelected() {
        QFETCH(QString, text);
        QFETCH(QStringList, messages);
        QFETCH(QString, selected);
        QFETCH(int, selStart);
        FormFixture f;
        TNibboForm& form = *f.Form;
        form.PrgMemo->SetText(text);
        form.InfoListBox->addItem(QStringLiteral("from before"));
        form.SyntaxSpeedButton->click();
        QCOMPARE(ListLines(form), messages);
        QCOMPARE(SelectedText(*form.PrgMemo), selected);
        QCOMPARE(form.PrgMemo->SelStart(), selStart);
        QCOMPARE(form.PrgMemo->SelLength(), int(selected.size()));
        QVERIFY(f.Dialogs->Log.isEmpty());
    }

    void aProgramWithoutFaultsListsNothingAndIsCompiled() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        form.PrgMemo->SetText(
            QStringLiteral("program p;\nprocedure a;\nbegin vor; end;\nbegin\n  a;\nend.\n"));
        form.PrgMemo->SetSelection(3, 2);
        form.SyntaxSpeedButton->click();
        QVERIFY(ListLines(form).isEmpty());
        QCOMPARE(ProgramOf(form).ProcTable.size(), size_t(2));
        QCOMPARE(ProgramOf(form).ProcTable[1].Name, std::string("a"));
        QCOMPARE(ProgramOf(form).ProcTable[0].Statements.front().Kind, sym_call);
        QCOMPARE(form.PrgMemo->SelStart(), 3); // nothing selected by a check without faults
        QCOMPARE(form.PrgMemo->SelLength(), 2);
        QVERIFY(f.Dialogs->Log.isEmpty());

        // The next check starts from an empty list again.
        form.PrgMemo->SetText(QStringLiteral("program p;\nbegin\n  x;\nend."));
        form.SyntaxSpeedButton->click();
        QCOMPARE(ListLines(form), QStringList{"2: Syntax-Fehler!"});
        form.PrgMemo->SetText(QStringLiteral("program p;\nbegin\n  vor;\nend."));
        form.SyntaxSpeedButton->click();
        QVERIFY(ListLines(form).isEmpty());
    }

    void anEmptyEditorAsksForAProgram() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        form.PrgMemo->Clear();
        form.InfoListBox->addItem(QStringLiteral("3: from before"));
        // A wall that is in the world but not yet drawn: the closing repaint shows it.
        CurrentWorld(form).Cells[size_t(CellIndex(5, 5))] = kWall;
        const QColor path = f.CellPixel(5, 5, 12, 12);
        QCOMPARE(path, f.CellPixel(6, 5, 12, 12));

        form.SyntaxSpeedButton->click();
        QCOMPARE(f.Dialogs->Log, QStringList{"message: Erst Programm schreiben!"});
        QCOMPARE(ListLines(form), QStringList{"kein Programm!"});
        QCOMPARE(f.CellPixel(5, 5, 12, 12), f.CellPixel(1, 1, 12, 12));
        QVERIFY(f.CellPixel(5, 5, 12, 12) != path);
    }

    void selectErrorLineReadsTheFirstListLine() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        form.PrgMemo->SetText(QStringLiteral("ab\ncde\n\nfghi"));
        const struct {
            const char* first;
            int start;
            int length;
        } cases[] = {{"0: x", 0, 2}, {"1: x", 4, 3}, {"2: x", 9, 0}, {"3: x", 11, 4}};
        for (const auto& c : cases) {
            ProgramOf(form).Lines = {c.first, "0: y"};
            form.Session().Syntax.SelectErrorLine();
            QCOMPARE(form.PrgMemo->SelStart(), c.start);
            QCOMPARE(form.PrgMemo->SelLength(), c.length);
        }
        // A line that names no line of the text selects nothing new.
        for (const char* first : {"kein Programm!", "9: x", "-1: x"}) {
            form.PrgMemo->SetSelection(1, 1);
            ProgramOf(form).Lines = {first};
            form.Session().Syntax.SelectErrorLine();
            QCOMPARE(form.PrgMemo->SelStart(), 1);
            QCOMPARE(form.PrgMemo->SelLength(), 1);
        }
    }
};

QTEST_MAIN(TestSyntaxButton)
#include "test_syntax_button.moc"
