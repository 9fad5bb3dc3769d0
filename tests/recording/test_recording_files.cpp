// Recording files through the real window: loading, saving and saving under a name, with the
// program dialogs on their recording filter, the third status panel and the failures.
#include "recording_helpers.h"

#include "shell/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

const QString kDiscardRecording = QStringLiteral("Die Aufzeichnung wurde noch nicht gespeichert!  Löschen?");
const QString kEndFirst = QStringLiteral("Erst die Aufzeichnung beenden!");

QString Panel(const TNibboForm& form) {
    return form.StatusPanels[2]->text();
}

} // namespace

class TestRecordingFiles : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString startFolder_;

    QString Path(const QString& name) const { return dir_.filePath(name); }

private slots:
    void initTestCase() { startFolder_ = QDir::currentPath(); }
    void init() { QVERIFY(QDir::setCurrent(dir_.path())); }
    void cleanupTestCase() { QDir::setCurrent(startFolder_); }

    void loadAndSaveRoundTrips_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("made by hand") << QByteArray("procedure aufzeichnung;\r\nbegin\r\n  vor;\r\nend;\r\n")
                                      << QStringList{"procedure aufzeichnung;", "begin", "  vor;", "end;"}
                                      << QByteArray("procedure aufzeichnung;\r\nbegin\r\n  vor;\r\nend;\r\n");
        QTest::newRow("LF only") << QByteArray("procedure a;\nbegin\nend;\n")
                                 << QStringList{"procedure a;", "begin", "end;"}
                                 << QByteArray("procedure a;\r\nbegin\r\nend;\r\n");
        QTest::newRow("no final break")
            << QByteArray("procedure a;\r\nbegin\r\nend;") << QStringList{"procedure a;", "begin", "end;"}
            << QByteArray("procedure a;\r\nbegin\r\nend;");
        QTest::newRow("lone CR") << QByteArray("procedure a;\rbegin\r\rend;")
                                 << QStringList{"procedure a;", "begin", "", "end;"}
                                 << QByteArray("procedure a;\r\nbegin\r\n\r\nend;");
        QTest::newRow("umlauts as single bytes") << QByteArray("procedure s\xfc\x64w\xe4rts;\r\n")
                                                 << QStringList{QString::fromUtf8("procedure südwärts;")}
                                                 << QByteArray("procedure s\xfc\x64w\xe4rts;\r\n");
        QTest::newRow("any text loads")
            << QByteArray("\x80\x81 \t{x}") << QStringList{QString::fromUtf8("€\u0081 \t{x}")}
            << QByteArray("\x80\x81 \t{x}");
    }

    void loadAndSaveRoundTrips() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, saved);
        FormFixture f;
        TNibboForm& form = *f.Form;
        form.AufzmodusanMenuItemClick();
        QVERIFY(WriteBytes(Path("in.afz"), file));
        f.Dialogs->ChooseNext(Path("in.afz"));
        form.AufzladenMenuItemClick();
        QCOMPARE(form.PrgMemo->Lines(), lines);
        QCOMPARE(form.RecordingFileName, Path("in.afz"));
        QCOMPARE(Panel(form), QStringLiteral("Aufz.: ") + Path("in.afz"));
        QVERIFY(!form.RecordingUnsaved);
        QCOMPARE(RecordingItems(form), QStringLiteral("111111"));

        // "Aufzeichnung speichern" writes to the loaded file; "Aufz. speichern unter ..." elsewhere.
        QVERIFY(QFile::remove(Path("in.afz")));
        form.AufzspeichernMenuItemClick();
        QCOMPARE(ReadBytes(Path("in.afz")), saved);
        f.Dialogs->ChooseNext(Path("out.afz"));
        form.AufzspeichernunterMenuItemClick();
        QCOMPARE(ReadBytes(Path("out.afz")), saved);
        QVERIFY(f.Dialogs->Errors.isEmpty());
        QVERIFY(f.Dialogs->Messages.isEmpty());
    }

    void theDialogsAreTheProgramDialogsOnTheRecordingFilter() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        form.AufzmodusanMenuItemClick();
        form.PrgMemo->setPlainText(QStringLiteral("procedure a;"));
        f.Dialogs->CancelNext();
        form.AufzladenMenuItemClick();
        f.Dialogs->CancelNext();
        form.AufzspeichernunterMenuItemClick();
        QCOMPARE(f.Dialogs->Log, (QStringList{"open: Programm laden", "save: Programm speichern"}));
        for (const FileDialogSpec& spec : f.Dialogs->FileDialogs) {
            QCOMPARE(spec.SelectedFilter, 1);
            QCOMPARE(spec.Filters.size(), 2);
            QCOMPARE(spec.Filters[1].Pattern, QStringLiteral("*.afz"));
            QCOMPARE(spec.InitialFolder, QStringLiteral("."));
        }
        QCOMPARE(f.Dialogs->FileDialogs[1].PresetName, QStringLiteral("aufzeichnung.afz"));
        // Cancelled: nothing changed.
        QCOMPARE(form.RecordingFileName, QStringLiteral("aufzeichnung.afz"));
        QCOMPARE(RecordingItems(form), QStringLiteral("111100"));
        QCOMPARE(form.PrgMemo->Lines(), QStringList{"procedure a;"});

        // The program commands afterwards select the Pascal filter again.
        form.AufzmodusanMenuItemClick();
        f.Dialogs->CancelNext();
        form.PrgspeichernunterMenuItemClick();
        QCOMPARE(f.Dialogs->FileDialogs.last().SelectedFilter, 0);
    }

    void saveUnderANameGivesTheRecordingExtensionAndMovesTheWorkingFolder() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        ModeOnWithFigure(form);
        form.AufzstartenMenuItemClick();
        Type(form, "vd");
        form.AufzbeendenMenuItemClick();
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("klasse7")));
        f.Dialogs->ChooseNext(Path("klasse7/weg"));
        form.AufzspeichernunterMenuItemClick();
        QCOMPARE(form.RecordingFileName, Path("klasse7/weg.afz"));
        QCOMPARE(Panel(form), QStringLiteral("Aufz.: ") + Path("klasse7/weg.afz"));
        QCOMPARE(ReadBytes(Path("klasse7/weg.afz")),
                 QByteArray("procedure aufzeichnung;\r\nbegin\r\n  vor;\r\n  drehe_links;\r\nend;\r\n"));
        QVERIFY(!form.RecordingUnsaved);
        QCOMPARE(QDir::current().canonicalPath(), QDir(Path("klasse7")).canonicalPath());
        // The next dialog offers the new name.
        f.Dialogs->CancelNext();
        form.AufzspeichernunterMenuItemClick();
        QCOMPARE(f.Dialogs->FileDialogs.last().PresetName, Path("klasse7/weg.afz"));
    }

    void theDefaultNameIsWrittenInTheWorkingFolderOfTheMoment() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        ModeOnWithFigure(form);
        form.AufzstartenMenuItemClick();
        form.AufzbeendenMenuItemClick();
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("dort")));
        QVERIFY(QDir::setCurrent(Path("dort")));
        form.AufzspeichernMenuItemClick();
        QCOMPARE(ReadBytes(Path("dort/aufzeichnung.afz")),
                 QByteArray("procedure aufzeichnung;\r\nbegin\r\nend;\r\n"));
        QVERIFY(!form.RecordingUnsaved);
        QCOMPARE(form.RecordingFileName, QStringLiteral("aufzeichnung.afz"));
    }

    void savingDuringARecordingIsRefused() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        ModeOnWithFigure(form);
        form.AufzstartenMenuItemClick();
        form.AufzspeichernMenuItemClick();
        form.AufzspeichernunterMenuItemClick();
        QCOMPARE(f.Dialogs->Log, QStringList(2, "message: " + kEndFirst));
        QVERIFY(!QFile::exists(Path("aufzeichnung.afz")));
        QVERIFY(form.RecordingUnsaved);

        // Saving under a name with no line at all is refused with the same words.
        form.AufzbeendenMenuItemClick();
        form.PrgMemo->clear();
        f.Dialogs->Clear();
        form.AufzspeichernunterMenuItemClick();
        QCOMPARE(f.Dialogs->Log, QStringList{"message: " + kEndFirst});
        // "Aufzeichnung speichern" writes even an empty text: the file then is empty.
        form.AufzspeichernMenuItemClick();
        QCOMPARE(ReadBytes(Path("aufzeichnung.afz")), QByteArray());
    }

    void loadingDuringARecordingAsks_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("Ja") << true;
        QTest::newRow("Nein") << false;
    }

    void loadingDuringARecordingAsks() {
        QFETCH(bool, answer);
        FormFixture f;
        TNibboForm& form = *f.Form;
        QVERIFY(WriteBytes(Path("alt.afz"), "procedure alt;\r\nbegin\r\n  vor;\r\n"));
        ModeOnWithFigure(form);
        form.AufzstartenMenuItemClick();
        f.Dialogs->AnswerNext(answer);
        f.Dialogs->ChooseNext(Path("alt.afz"));
        form.AufzladenMenuItemClick();
        QCOMPARE(f.Dialogs->Questions, QStringList{kDiscardRecording});
        QVERIFY(form.RecordingActive); // the recording goes on either way
        Type(form, "d");
        if (answer) {
            QCOMPARE(form.PrgMemo->Lines(),
                     (QStringList{"procedure alt;", "begin", "  vor;", "  drehe_links;"}));
            QCOMPARE(form.RecordingFileName, Path("alt.afz"));
        } else {
            QCOMPARE(form.PrgMemo->Lines(),
                     (QStringList{"procedure aufzeichnung;", "begin", "  drehe_links;"}));
            QCOMPARE(form.RecordingFileName, QStringLiteral("aufzeichnung.afz"));
            QCOMPARE(f.Dialogs->FileDialogs.size(), 0);
        }
        QVERIFY(form.RecordingUnsaved); // the key marked it again
    }

    void loadingOutsideARecordingAsksNothing() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        ModeOnWithFigure(form);
        form.AufzstartenMenuItemClick();
        form.AufzbeendenMenuItemClick();
        QVERIFY(form.RecordingUnsaved);
        QVERIFY(WriteBytes(Path("b.afz"), "x"));
        f.Dialogs->ChooseNext(Path("b.afz"));
        form.AufzladenMenuItemClick();
        QVERIFY(f.Dialogs->Questions.isEmpty());
        QCOMPARE(form.PrgMemo->Lines(), QStringList{"x"});
    }

    void aFileThatCannotBeReadEndsTheCommandAtThatStep() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        form.AufzmodusanMenuItemClick();
        form.PrgMemo->setPlainText(QStringLiteral("bleibt"));
        form.RecordingUnsaved = true;
        f.Dialogs->ChooseNext(Path("fehlt.afz"));
        form.AufzladenMenuItemClick();
        QCOMPARE(f.Dialogs->Errors.size(), 1);
        QVERIFY(f.Dialogs->Errors[0].contains(Path("fehlt.afz")));
        // The name already stands; text, flag and items are as they were.
        QCOMPARE(form.RecordingFileName, Path("fehlt.afz"));
        QCOMPARE(Panel(form), QStringLiteral("Aufz.: ") + Path("fehlt.afz"));
        QCOMPARE(form.PrgMemo->Lines(), QStringList{"bleibt"});
        QVERIFY(form.RecordingUnsaved);
        QCOMPARE(RecordingItems(form), QStringLiteral("111100"));
    }

    void aFileLargerThanTheEditorTakesIsRefused() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        form.AufzmodusanMenuItemClick();
        form.PrgMemo->setPlainText(QStringLiteral("bleibt"));
        form.RecordingUnsaved = true;
        // Instruction lines of 8 bytes, one byte more than the largest file that is loaded.
        const auto largest = qsizetype(kMaxTextFileBytes);
        QByteArray recording;
        while (recording.size() <= largest)
            recording += "  vor;\r\n";
        recording.truncate(largest + 1);
        QVERIFY(WriteBytes(Path("gross.afz"), recording));
        f.Dialogs->ChooseNext(Path("gross.afz"));
        form.AufzladenMenuItemClick();
        QCOMPARE(f.Dialogs->Errors.size(), 1);
        QVERIFY(f.Dialogs->Errors[0].contains(QStringLiteral("zu groß")));
        QVERIFY(f.Dialogs->Errors[0].contains(Path("gross.afz")));
        QCOMPARE(form.PrgMemo->Lines(), QStringList{"bleibt"});
        QVERIFY(form.RecordingUnsaved);

        // A file of exactly the largest size loads.
        recording.truncate(largest);
        QVERIFY(WriteBytes(Path("gerade.afz"), recording));
        f.Dialogs->ChooseNext(Path("gerade.afz"));
        form.AufzladenMenuItemClick();
        QCOMPARE(f.Dialogs->Errors.size(), 1);
        QCOMPARE(form.PrgMemo->LineCount(), largest / 8);
        QVERIFY(!form.RecordingUnsaved);
    }

    void aFailedWriteKeepsTheOldFileAndNamesIt() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        form.AufzmodusanMenuItemClick();
        form.PrgMemo->setPlainText(QStringLiteral("procedure neu;"));
        form.RecordingUnsaved = true;
        f.Dialogs->ChooseNext(Path("nirgends/neu.afz"));
        form.AufzspeichernunterMenuItemClick();
        QCOMPARE(f.Dialogs->Errors.size(), 1);
        QVERIFY(f.Dialogs->Errors[0].contains(QStringLiteral("neu.afz")));
        QCOMPARE(form.RecordingFileName, Path("nirgends/neu.afz"));
        QVERIFY(form.RecordingUnsaved);
        QVERIFY(!form.AufzspeichernMenuItem->isEnabled());

        // A file that cannot be replaced stays as it was.
        QVERIFY(WriteBytes(Path("fest.afz"), "vorher"));
        QVERIFY(QFile::setPermissions(Path("fest.afz"), QFile::ReadOwner | QFile::ReadUser));
        form.SetRecordingFileName(Path("fest.afz"));
        form.AufzspeichernMenuItemClick();
        QCOMPARE(f.Dialogs->Errors.size(), 2);
        QVERIFY(f.Dialogs->Errors[1].contains(Path("fest.afz")));
        QCOMPARE(ReadBytes(Path("fest.afz")), QByteArray("vorher"));
        QVERIFY(form.RecordingUnsaved);
    }

    void textAFileCannotHoldIsRefusedVisibly() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        QVERIFY(WriteBytes(Path("a.afz"), "vorher"));
        form.AufzmodusanMenuItemClick();
        form.SetRecordingFileName(Path("a.afz"));
        form.PrgMemo->setPlainText(QString::fromUtf8("procedure a; begin vor; end; { → }"));
        form.RecordingUnsaved = true;
        form.AufzspeichernMenuItemClick();
        QCOMPARE(f.Dialogs->Messages.size(), 1);
        QVERIFY(f.Dialogs->Messages[0].contains(QString::fromUtf8("„→“")));
        QCOMPARE(form.PrgMemo->textCursor().selectedText(), QString::fromUtf8("→"));
        QCOMPARE(ReadBytes(Path("a.afz")), QByteArray("vorher"));
        QVERIFY(form.RecordingUnsaved);
        // Under a name: refused before the dialog, the name unchanged.
        form.AufzspeichernunterMenuItemClick();
        QVERIFY(f.Dialogs->FileDialogs.isEmpty());
        QCOMPARE(form.RecordingFileName, Path("a.afz"));
        QVERIFY(form.PrgMemo->toPlainText().contains(QString::fromUtf8("→")));
    }
};

QTEST_MAIN(TestRecordingFiles)
#include "test_recording_files.moc"
