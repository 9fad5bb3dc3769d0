// The program menu: loading and saving the editor's text as a program file.
#include "shell/prg_memo.h"
#include "support/form_fixture.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

const QString kDiscard = QStringLiteral("Das Programm wurde noch nicht gespeichert!  Löschen?");

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestProgramFiles : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString startFolder_;

    QString Path(const QString& name) const { return dir_.filePath(name); }

private slots:
    void initTestCase() {
        startFolder_ = QDir::currentPath();
        // Qt's file dialog keeps its settings in the user's files; the tests' go elsewhere, and
        // every run opens it the first time.
        QStandardPaths::setTestModeEnabled(true);
        QSettings(QSettings::UserScope, QStringLiteral("QtProject")).clear();
    }
    void init() { QVERIFY(QDir::setCurrent(dir_.path())); }
    void cleanupTestCase() { QDir::setCurrent(startFolder_); }

    void loadingTakesEveryLineBreakAndSavingWritesCrLf_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("LF only") << QByteArray("program p;\nbegin\nend.\n")
                                 << QStringList{"program p;", "begin", "end."}
                                 << QByteArray("program p;\r\nbegin\r\nend.\r\n");
        QTest::newRow("no final break")
            << QByteArray("program p;\r\nbegin\r\nend.") << QStringList{"program p;", "begin", "end."}
            << QByteArray("program p;\r\nbegin\r\nend.");
        QTest::newRow("lone CR and mixed")
            << QByteArray("a\rb\r\nc\n\nd") << QStringList{"a", "b", "c", "", "d"}
            << QByteArray("a\r\nb\r\nc\r\n\r\nd");
        QTest::newRow("umlauts are single bytes") << QByteArray("{ f\xfcr \xdc"
                                                                "bungen }\r\n")
                                                  << QStringList{QString::fromUtf8("{ für Übungen }")}
                                                  << QByteArray("{ f\xfcr \xdc"
                                                                "bungen }\r\n");
        QTest::newRow("empty file") << QByteArray() << QStringList{} << QByteArray();
    }

    void loadingTakesEveryLineBreakAndSavingWritesCrLf() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, saved);
        FormFixture f;
        WriteBytes(Path("in.pas"), file);
        f.Dialogs->ChooseNext(Path("in.pas"));
        f.Form->Session().Programs.PrgladenMenuItemClick();
        QCOMPARE(f.Form->PrgMemo->Lines(), lines);
        QVERIFY(!ProgramsOf(*f.Form).Modified);
        QVERIFY(f.Form->PrgspeichernMenuItem->isEnabled());
        QCOMPARE(QString::fromStdString(ProgramsOf(*f.Form).FileName), Path("in.pas"));
        QCOMPARE(f.Form->StatusPanels[2]->text(), QStringLiteral("Prg.: ") + Path("in.pas"));
        f.Dialogs->ChooseNext(Path("out.pas"));
        f.Form->Session().Programs.PrgspeichernunterMenuItemClick();
        QCOMPARE(ReadBytes(Path("out.pas")), saved);
        QVERIFY(f.Dialogs->Errors.isEmpty());
    }

    void theOpenDialogIsPreparedAndAsksNothingAtStartUp() {
        FormFixture f;
        f.Dialogs->CancelNext();
        f.Form->Session().Programs.PrgladenMenuItemClick();
        QVERIFY(f.Dialogs->Questions.isEmpty()); // the initial comment is no change
        QCOMPARE(f.Dialogs->FileDialogs.size(), 1);
        const FileDialogSpec& spec = f.Dialogs->FileDialogs[0];
        QCOMPARE(spec.Mode, FileDialogSpec::Open);
        QCOMPARE(QString::fromStdString(spec.Title), QStringLiteral("Programm laden"));
        QCOMPARE(spec.Filters.size(), 2);
        QCOMPARE(QString::fromStdString(spec.Filters[0].Label), QStringLiteral("Pascal"));
        QCOMPARE(QString::fromStdString(spec.Filters[0].Pattern), QStringLiteral("*.pas"));
        QCOMPARE(QString::fromStdString(spec.Filters[1].Label), QStringLiteral("Aufzeichnung"));
        QCOMPARE(QString::fromStdString(spec.Filters[1].Pattern), QStringLiteral("*.afz"));
        QCOMPARE(spec.SelectedFilter, 0);
        QCOMPARE(QString::fromStdString(spec.InitialFolder), QStringLiteral("."));
    }

    void qtsFileDialogShowsSizesAndTypesWhole() {
        FormFixture f;
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("dialog")));
        WriteBytes(Path("dialog/kurz.pas"), "program p;\r\nbegin\r\nend.\r\n");
        WriteBytes(Path("dialog/lang.pas"), QByteArray(1936, ' '));
        FileDialogSpec spec = ProgramsOf(*f.Form).PrgOpenDialog;
        spec.InitialFolder = Path("dialog").toStdString();
        // Whether the dialog, once it has read the folder, shows each file's size and type whole.
        const auto sizesAndTypesWhole = [](QTreeView* details) {
            const QModelIndex folder = details->rootIndex();
            if (details->model()->rowCount(folder) != 2) return false;
            for (int row = 0; row < 2; ++row)
                for (const int column : {1, 2}) {
                    const QModelIndex cell = details->model()->index(row, column, folder);
                    const QRect shown = details->visualRect(cell);
                    if (cell.data().toString().isEmpty() ||
                        shown.width() < details->sizeHintForIndex(cell).width() ||
                        !details->viewport()->rect().contains(shown))
                        return false;
                }
            return true;
        };
        bool whole = false;
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            look.stop();
            auto* details = dialog->findChild<QTreeView*>();
            whole = details && QTest::qWaitFor([&] { return sizesAndTypesWhole(details); }, 2000);
            dialog->reject();
        });
        look.start(10);
        QVERIFY(!TQtDialogs(f.Form.get()).ChooseFile(spec));
        QVERIFY(whole);
    }

    void savingOnlyWritesAChangedProgram() {
        FormFixture f;
        WriteBytes(Path("p.pas"), "program p;\r\nbegin\r\nend.");
        f.Dialogs->ChooseNext(Path("p.pas"));
        f.Form->Session().Programs.PrgladenMenuItemClick();
        QVERIFY(QFile::remove(Path("p.pas")));
        f.Form->Session().Programs.PrgspeichernMenuItemClick(); // unchanged: nothing is written
        QVERIFY(!QFile::exists(Path("p.pas")));
        f.Form->PrgMemo->moveCursor(QTextCursor::End);
        f.Form->PrgMemo->insertPlainText(QStringLiteral(" "));
        QVERIFY(ProgramsOf(*f.Form).Modified);
        f.Form->Session().Programs.PrgspeichernMenuItemClick();
        QCOMPARE(ReadBytes(Path("p.pas")), QByteArray("program p;\r\nbegin\r\nend. "));
        QVERIFY(!ProgramsOf(*f.Form).Modified);
    }

    void newProgramAsksNothing() {
        FormFixture f;
        f.Form->PrgspeichernMenuItem->setEnabled(true);
        f.Form->Session().Programs.SetFileName(Path("x.pas").toStdString());
        f.Form->PrgMemo->setPlainText(QStringLiteral("vor;"));
        QVERIFY(ProgramsOf(*f.Form).Modified);
        f.Form->Session().Programs.NeuPrgMenuItemClick();
        QVERIFY(f.Dialogs->Log.isEmpty());
        QVERIFY(f.Form->PrgMemo->Lines().isEmpty());
        QVERIFY(!ProgramsOf(*f.Form).Modified);
        QCOMPARE(QString::fromStdString(ProgramsOf(*f.Form).FileName), QStringLiteral("programm.pas"));
        QCOMPARE(f.Form->StatusPanels[2]->text(), QStringLiteral("Prg.: programm.pas"));
        QVERIFY(!f.Form->PrgspeichernMenuItem->isEnabled());
    }

    void loadingAChangedProgramAsks_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("Ja") << true;
        QTest::newRow("Nein") << false;
    }

    void loadingAChangedProgramAsks() {
        QFETCH(bool, answer);
        FormFixture f;
        WriteBytes(Path("q.pas"), "program q;");
        f.Form->PrgMemo->setPlainText(QStringLiteral("mein Programm"));
        RunOf(*f.Form).RunActive = true;
        f.Form->MoveTimer->start();
        f.Dialogs->AnswerNext(answer);
        f.Dialogs->ChooseNext(Path("q.pas"));
        f.Form->Session().Programs.PrgladenMenuItemClick();
        QCOMPARE(f.Dialogs->Questions, QStringList{kDiscard});
        // A running program has been stopped either way.
        QVERIFY(!RunOf(*f.Form).RunActive && !f.Form->MoveTimer->isActive());
        QCOMPARE(f.Form->PrgMemo->Lines(), answer ? QStringList{"program q;"} : QStringList{"mein Programm"});
        QCOMPARE(QString::fromStdString(ProgramsOf(*f.Form).FileName),
                 answer ? Path("q.pas") : QStringLiteral("programm.pas"));
        QCOMPARE(ProgramsOf(*f.Form).Modified, !answer);
    }

    void theWorkingFolderFollowsTheChosenFile() {
        FormFixture f;
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("klasse7")));
        f.Dialogs->ChooseNext(Path("klasse7/aufgabe"));
        f.Form->Session().Programs.PrgspeichernunterMenuItemClick();
        // A name without extension gets the selected filter's.
        QCOMPARE(QString::fromStdString(ProgramsOf(*f.Form).FileName), Path("klasse7/aufgabe.pas"));
        QVERIFY(QFile::exists(Path("klasse7/aufgabe.pas")));
        QCOMPARE(QDir::current().canonicalPath(), QDir(Path("klasse7")).canonicalPath());
        // The next dialogs open in "." that is now that folder.
        f.Dialogs->CancelNext();
        f.Form->Session().Programs.PrgladenMenuItemClick();
        QCOMPARE(QString::fromStdString(f.Dialogs->FileDialogs.last().InitialFolder), QStringLiteral("."));
    }

    void saveAsPresetsTheNameAndAlwaysThePascalFilter() {
        FormFixture f;
        ProgramsOf(*f.Form).PrgSaveDialog.SelectedFilter = 1; // as a recording save leaves it
        f.Dialogs->ChooseNext(Path("rec"), 1);                // the user picks "Aufzeichnung"
        f.Form->Session().Programs.PrgspeichernunterMenuItemClick();
        QCOMPARE(f.Dialogs->FileDialogs[0].SelectedFilter, 0);
        QCOMPARE(QString::fromStdString(f.Dialogs->FileDialogs[0].PresetName),
                 QStringLiteral("programm.pas"));
        QCOMPARE(QString::fromStdString(f.Dialogs->FileDialogs[0].Title),
                 QStringLiteral("Programm speichern"));
        QCOMPARE(QString::fromStdString(ProgramsOf(*f.Form).FileName), Path("rec.afz"));
        f.Dialogs->CancelNext();
        f.Form->Session().Programs.PrgspeichernunterMenuItemClick();
        QCOMPARE(f.Dialogs->FileDialogs[1].SelectedFilter, 0);
        QCOMPARE(QString::fromStdString(f.Dialogs->FileDialogs[1].PresetName), Path("rec.afz"));
    }

    void aFileThatCannotBeReadEndsTheCommandAtThatStep() {
        FormFixture f;
        f.Form->PrgMemo->setPlainText(QStringLiteral("bleibt"));
        ProgramsOf(*f.Form).Modified = false;
        f.Dialogs->ChooseNext(Path("fehlt.pas"));
        f.Form->Session().Programs.PrgladenMenuItemClick();
        QCOMPARE(f.Dialogs->Errors.size(), 1);
        QVERIFY(f.Dialogs->Errors[0].contains(QStringLiteral("fehlt.pas")));
        // The name already stands; text, flag and menu state are unchanged.
        QCOMPARE(QString::fromStdString(ProgramsOf(*f.Form).FileName), Path("fehlt.pas"));
        QCOMPARE(f.Form->PrgMemo->Lines(), QStringList{"bleibt"});
        QVERIFY(!ProgramsOf(*f.Form).Modified);
        QVERIFY(!f.Form->PrgspeichernMenuItem->isEnabled());
    }

    void aFileTooLargeForTheEditorIsRefused() {
        FormFixture f;
        f.Form->PrgMemo->setPlainText(QStringLiteral("bleibt"));
        WriteBytes(Path("gross.pas"), QByteArray(5 * 1024 * 1024, 'x'));
        f.Dialogs->AnswerNext(true);
        f.Dialogs->ChooseNext(Path("gross.pas"));
        f.Form->Session().Programs.PrgladenMenuItemClick();
        QCOMPARE(f.Dialogs->Errors.size(), 1);
        QVERIFY(f.Dialogs->Errors[0].contains(QStringLiteral("zu groß")));
        QCOMPARE(f.Form->PrgMemo->Lines(), QStringList{"bleibt"});
    }

    void aFailedWriteEndsTheCommandAtThatStep() {
        FormFixture f;
        f.Form->PrgMemo->setPlainText(QStringLiteral("neu"));
        // A folder that does not exist cannot take the file.
        f.Dialogs->ChooseNext(Path("nirgends/neu.pas"));
        f.Form->Session().Programs.PrgspeichernunterMenuItemClick();
        QCOMPARE(f.Dialogs->Errors.size(), 1);
        QVERIFY(f.Dialogs->Errors[0].contains(QStringLiteral("neu.pas")));
        QCOMPARE(QString::fromStdString(ProgramsOf(*f.Form).FileName),
                 Path("nirgends/neu.pas")); // the name already stands
        QVERIFY(ProgramsOf(*f.Form).Modified);
        QVERIFY(!f.Form->PrgspeichernMenuItem->isEnabled());
        // A later "Programm speichern" writes to the new name, and fails the same way.
        f.Form->Session().Programs.PrgspeichernMenuItemClick();
        QCOMPARE(f.Dialogs->Errors.size(), 2);
        QVERIFY(ProgramsOf(*f.Form).Modified);
        // A name that is a folder is refused and the folder stays what it was.
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("ordner.pas")));
        f.Form->Session().Programs.SetFileName(Path("ordner.pas").toStdString());
        f.Form->Session().Programs.PrgspeichernMenuItemClick();
        QCOMPARE(f.Dialogs->Errors.size(), 3);
        QVERIFY(QFileInfo(Path("ordner.pas")).isDir());
    }

    void textAFileCannotHoldIsRefusedVisibly() {
        FormFixture f;
        WriteBytes(Path("p.pas"), "vorher");
        f.Form->Session().Programs.SetFileName(Path("p.pas").toStdString());
        f.Form->PrgMemo->setPlainText(QString::fromUtf8("program p; { Pfeil → }\nbegin end."));
        f.Form->Session().Programs.PrgspeichernMenuItemClick();
        QCOMPARE(f.Dialogs->Messages.size(), 1);
        QVERIFY(f.Dialogs->Messages[0].contains(QString::fromUtf8("„→“")));
        QCOMPARE(ReadBytes(Path("p.pas")), QByteArray("vorher"));
        QVERIFY(ProgramsOf(*f.Form).Modified);
        QCOMPARE(f.Form->PrgMemo->textCursor().selectedText(), QString::fromUtf8("→"));
        // Save under a name refuses before the dialog; the text stays as written.
        f.Form->Session().Programs.PrgspeichernunterMenuItemClick();
        QVERIFY(f.Dialogs->FileDialogs.isEmpty());
        QCOMPARE(f.Dialogs->Messages.size(), 2);
        QVERIFY(f.Form->PrgMemo->toPlainText().contains(QString::fromUtf8("→")));
    }

    void everyChangeOfTheTextMarksTheProgramButSelectionDoesNot() {
        FormFixture f;
        QVERIFY(!ProgramsOf(*f.Form).Modified);
        f.Form->PrgMemo->SetSelection(0, 3);
        QVERIFY(!ProgramsOf(*f.Form).Modified);
        f.Form->PrgMemo->insertPlainText(QStringLiteral("x"));
        QVERIFY(ProgramsOf(*f.Form).Modified);
    }
};

QTEST_MAIN(TestProgramFiles)
#include "test_program_files.moc"
