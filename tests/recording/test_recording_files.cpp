// Recording files through the real window: loading, saving and saving under a name, with the
// program dialogs on their recording filter, the third status panel and the failures.
#include "recording_helpers.h"

#include "shell/file_io.h"

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
        form.Session().Recording.AufzmodusanMenuItemClick();
        QVERIFY(WriteBytes(Path("in.afz"), file));
        f.Dialogs->ChooseNext(Path("in.afz"));
        form.Session().Recording.AufzladenMenuItemClick();
        QCOMPARE(form.PrgMemo->Lines(), lines);
        QCOMPARE(QString::fromStdString(RecordingOf(form).FileName), Path("in.afz"));
        QCOMPARE(Panel(form), QStringLiteral("Aufz.: ") + Path("in.afz"));
        QVERIFY(!RecordingOf(form).Unsaved);
        QCOMPARE(RecordingItems(form), QStringLiteral("111111"));

        // "Aufzeichnung speichern" writes to the loaded file; "Aufz. speichern unter ..." elsewhere.
        QVERIFY(QFile::remove(Path("in.afz")));
        form.Session().Recording.AufzspeichernMenuItemClick();
        QCOMPARE(ReadBytes(Path("in.afz")), saved);
        f.Dialogs->ChooseNext(Path("out.afz"));
        form.Session().Recording.AufzspeichernunterMenuItemClick();
        QCOMPARE(ReadBytes(Path("out.afz")), saved);
        QVERIFY(f.Dialogs->Errors.isEmpty());
        QVERIFY(f.Dialogs->Messages.isEmpty());
    }

    void theDialogsAreTheProgramDialogsOnTheRecordingFilter() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        form.Session().Recording.AufzmodusanMenuItemClick();
        form.PrgMemo->setPlainText(QStringLiteral("procedure a;"));
        f.Dialogs->CancelNext();
        form.Session().Recording.AufzladenMenuItemClick();
        f.Dialogs->CancelNext();
        form.Session().Recording.AufzspeichernunterMenuItemClick();
        QCOMPARE(f.Dialogs->Log, (QStringList{"open: Programm laden", "save: Programm speichern"}));
        for (const FileDialogSpec& spec : f.Dialogs->FileDialogs) {
            QCOMPARE(spec.SelectedFilter, 1);
            QCOMPARE(spec.Filters.size(), 2);
            QCOMPARE(QString::fromStdString(spec.Filters[1].Pattern), QStringLiteral("*.afz"));
            QCOMPARE(QString::fromStdString(spec.InitialFolder), QStringLiteral("."));
        }
        QCOMPARE(QString::fromStdString(f.Dialogs->FileDialogs[1].PresetName),
                 QStringLiteral("aufzeichnung.afz"));
        // Cancelled: nothing changed.
        QCOMPARE(QString::fromStdString(RecordingOf(form).FileName), QStringLiteral("aufzeichnung.afz"));
        QCOMPARE(RecordingItems(form), QStringLiteral("111100"));
        QCOMPARE(form.PrgMemo->Lines(), QStringList{"procedure a;"});

        // The program commands afterwards select the Pascal filter again.
        form.Session().Recording.AufzmodusanMenuItemClick();
        f.Dialogs->CancelNext();
        form.Session().Programs.PrgspeichernunterMenuItemClick();
        QCOMPARE(f.Dialogs->FileDialogs.last().SelectedFilter, 0);
    }

    void saveUnderANameGivesTheRecordingExtensionAndMovesTheWorkingFolder() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        ModeOnWithFigure(form);
        form.Session().Recording.AufzstartenMenuItemClick();
        Type(form, "vd");
        form.Session().Recording.AufzbeendenMenuItemClick();
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("klasse7")));
        f.Dialogs->ChooseNext(Path("klasse7/weg"));
        form.Session().Recording.AufzspeichernunterMenuItemClick();
        QCOMPARE(QString::fromStdString(RecordingOf(form).FileName), Path("klasse7/weg.afz"));
        QCOMPARE(Panel(form), QStringLiteral("Aufz.: ") + Path("klasse7/weg.afz"));
        QCOMPARE(ReadBytes(Path("klasse7/weg.afz")),
                 QByteArray("procedure aufzeichnung;\r\nbegin\r\n  vor;\r\n  drehe_links;\r\nend;\r\n"));
        QVERIFY(!RecordingOf(form).Unsaved);
        QCOMPARE(QDir::current().canonicalPath(), QDir(Path("klasse7")).canonicalPath());
        // The next dialog offers the new name.
        f.Dialogs->CancelNext();
        form.Session().Recording.AufzspeichernunterMenuItemClick();
        QCOMPARE(QString::fromStdString(f.Dialogs->FileDialogs.last().PresetName), Path("klasse7/weg.afz"));
    }

    void theDefaultNameIsWrittenInTheWorkingFolderOfTheMoment() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        ModeOnWithFigure(form);
        form.Session().Recording.AufzstartenMenuItemClick();
        form.Session().Recording.AufzbeendenMenuItemClick();
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("dort")));
        QVERIFY(QDir::setCurrent(Path("dort")));
        form.Session().Recording.AufzspeichernMenuItemClick();
        QCOMPARE(ReadBytes(Path("dort/aufzeichnung.afz")),
                 QByteArray("procedure aufzeichnung;\r\nbegin\r\nend;\r\n"));
        QVERIFY(!RecordingOf(form).Unsaved);
        QCOMPARE(QString::fromStdString(RecordingOf(form).FileName), QStringLiteral("aufzeichnung.afz"));
    }

    void savingDuringARecordingIsRefused() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        ModeOnWithFigure(form);
        form.Session().Recording.AufzstartenMenuItemClick();
        form.Session().Recording.AufzspeichernMenuItemClick();
        form.Session().Recording.AufzspeichernunterMenuItemClick();
        QCOMPARE(f.Dialogs->Log, QStringList(2, "message: " + kEndFirst));
        QVERIFY(!QFile::exists(Path("aufzeichnung.afz")));
        QVERIFY(RecordingOf(form).Unsaved);

        // Saving under a name with no line at all is refused with the same words.
        form.Session().Recording.AufzbeendenMenuItemClick();
        form.PrgMemo->clear();
        f.Dialogs->Clear();
        form.Session().Recording.AufzspeichernunterMenuItemClick();
        QCOMPARE(f.Dialogs->Log, QStringList{"message: " + kEndFirst});
        // "Aufzeichnung speichern" writes even an empty text: the file then is empty.
        form.Session().Recording.AufzspeichernMenuItemClick();
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
        form.Session().Recording.AufzstartenMenuItemClick();
        f.Dialogs->AnswerNext(answer);
        f.Dialogs->ChooseNext(Path("alt.afz"));
        form.Session().Recording.AufzladenMenuItemClick();
        QCOMPARE(f.Dialogs->Questions, QStringList{kDiscardRecording});
        QVERIFY(RecordingOf(form).Active); // the recording goes on either way
        Type(form, "d");
        if (answer) {
            QCOMPARE(form.PrgMemo->Lines(),
                     (QStringList{"procedure alt;", "begin", "  vor;", "  drehe_links;"}));
            QCOMPARE(QString::fromStdString(RecordingOf(form).FileName), Path("alt.afz"));
        } else {
            QCOMPARE(form.PrgMemo->Lines(),
                     (QStringList{"procedure aufzeichnung;", "begin", "  drehe_links;"}));
            QCOMPARE(QString::fromStdString(RecordingOf(form).FileName), QStringLiteral("aufzeichnung.afz"));
            QCOMPARE(f.Dialogs->FileDialogs.size(), 0);
        }
        QVERIFY(RecordingOf(form).Unsaved); // the key marked it again
    }

    void loadingOutsideARecordingAsksNothing() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        ModeOnWithFigure(form);
        form.Session().Recording.AufzstartenMenuItemClick();
        form.Session().Recording.AufzbeendenMenuItemClick();
        QVERIFY(RecordingOf(form).Unsaved);
        QVERIFY(WriteBytes(Path("b.afz"), "x"));
        f.Dialogs->ChooseNext(Path("b.afz"));
        form.Session().Recording.AufzladenMenuItemClick();
        QVERIFY(f.Dialogs->Questions.isEmpty());
        QCOMPARE(form.PrgMemo->Lines(), QStringList{"x"});
    }

    void aFileThatCannotBeReadEndsTheCommandAtThatStep() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        form.Session().Recording.AufzmodusanMenuItemClick();
        form.PrgMemo->setPlainText(QStringLiteral("bleibt"));
        RecordingOf(form).Unsaved = true;
        f.Dialogs->ChooseNext(Path("fehlt.afz"));
        form.Session().Recording.AufzladenMenuItemClick();
        QCOMPARE(f.Dialogs->Errors.size(), 1);
        QVERIFY(f.Dialogs->Errors[0].contains(Path("fehlt.afz")));
        // The name already stands; text, flag and items are as they were.
        QCOMPARE(QString::fromStdString(RecordingOf(form).FileName), Path("fehlt.afz"));
        QCOMPARE(Panel(form), QStringLiteral("Aufz.: ") + Path("fehlt.afz"));
        QCOMPARE(form.PrgMemo->Lines(), QStringList{"bleibt"});
        QVERIFY(RecordingOf(form).Unsaved);
        QCOMPARE(RecordingItems(form), QStringLiteral("111100"));
    }

    void aFileLargerThanTheEditorTakesIsRefused() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        form.Session().Recording.AufzmodusanMenuItemClick();
        form.PrgMemo->setPlainText(QStringLiteral("bleibt"));
        RecordingOf(form).Unsaved = true;
        // Instruction lines of 8 bytes, one byte more than the largest file that is loaded.
        const auto largest = qsizetype(kMaxTextFileBytes);
        QByteArray recording;
        while (recording.size() <= largest)
            recording += "  vor;\r\n";
        recording.truncate(largest + 1);
        QVERIFY(WriteBytes(Path("gross.afz"), recording));
        f.Dialogs->ChooseNext(Path("gross.afz"));
        form.Session().Recording.AufzladenMenuItemClick();
        QCOMPARE(f.Dialogs->Errors.size(), 1);
        QVERIFY(f.Dialogs->Errors[0].contains(QStringLiteral("zu groß")));
        QVERIFY(f.Dialogs->Errors[0].contains(Path("gross.afz")));
        QCOMPARE(form.PrgMemo->Lines(), QStringList{"bleibt"});
        QVERIFY(RecordingOf(form).Unsaved);

        // A file of exactly the largest size loads.
        recording.truncate(largest);
        QVERIFY(WriteBytes(Path("gerade.afz"), recording));
        f.Dialogs->ChooseNext(Path("gerade.afz"));
        form.Session().Recording.AufzladenMenuItemClick();
        QCOMPARE(f.Dialogs->Errors.size(), 1);
        QCOMPARE(form.PrgMemo->LineCount(), largest / 8);
        QVERIFY(!RecordingOf(form).Unsaved);
    }

    void aFailedWriteKeepsTheOldFileAndNamesIt() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        form.Session().Recording.AufzmodusanMenuItemClick();
        form.PrgMemo->setPlainText(QStringLiteral("procedure neu;"));
        RecordingOf(form).Unsaved = true;
        f.Dialogs->ChooseNext(Path("nirgends/neu.afz"));
        form.Session().Recording.AufzspeichernunterMenuItemClick();
        QCOMPARE(f.Dialogs->Errors.size(), 1);
        QVERIFY(f.Dialogs->Errors[0].contains(QStringLiteral("neu.afz")));
        QCOMPARE(QString::fromStdString(RecordingOf(form).FileName), Path("nirgends/neu.afz"));
        QVERIFY(RecordingOf(form).Unsaved);
        QVERIFY(!form.AufzspeichernMenuItem->isEnabled());

        // A file that cannot be replaced stays as it was.
        QVERIFY(WriteBytes(Path("fest.afz"), "vorher"));
        QVERIFY(QFile::setPermissions(Path("fest.afz"), QFile::ReadOwner | QFile::ReadUser));
        form.Session().Recording.SetFileName(Path("fest.afz").toStdString());
        form.Session().Recording.AufzspeichernMenuItemClick();
        QCOMPARE(f.Dialogs->Errors.size(), 2);
        QVERIFY(f.Dialogs->Errors[1].contains(Path("fest.afz")));
        QCOMPARE(ReadBytes(Path("fest.afz")), QByteArray("vorher"));
        QVERIFY(RecordingOf(form).Unsaved);
    }

    void textAFileCannotHoldIsRefusedVisibly() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        QVERIFY(WriteBytes(Path("a.afz"), "vorher"));
        form.Session().Recording.AufzmodusanMenuItemClick();
        form.Session().Recording.SetFileName(Path("a.afz").toStdString());
        form.PrgMemo->setPlainText(QString::fromUtf8("procedure a; begin vor; end; { → }"));
        RecordingOf(form).Unsaved = true;
        form.Session().Recording.AufzspeichernMenuItemClick();
        QCOMPARE(f.Dialogs->Messages.size(), 1);
        QVERIFY(f.Dialogs->Messages[0].contains(QString::fromUtf8("„→“")));
        QCOMPARE(form.PrgMemo->textCursor().selectedText(), QString::fromUtf8("→"));
        QCOMPARE(ReadBytes(Path("a.afz")), QByteArray("vorher"));
        QVERIFY(RecordingOf(form).Unsaved);
        // Under a name: refused before the dialog, the name unchanged.
        form.Session().Recording.AufzspeichernunterMenuItemClick();
        QVERIFY(f.Dialogs->FileDialogs.isEmpty());
        QCOMPARE(QString::fromStdString(RecordingOf(form).FileName), Path("a.afz"));
        QVERIFY(form.PrgMemo->toPlainText().contains(QString::fromUtf8("→")));
    }
};

QTEST_MAIN(TestRecordingFiles)
#include "test_recording_files.moc"
