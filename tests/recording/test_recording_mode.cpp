// Recording mode through the real window: switching it on and off with its questions, the enabled
// states of the menu "Aufzeichnen" after every event, starting and ending a recording, and hand
// control by keys with the lines it logs.
#include "recording_helpers.h"
#include "shell/spin_edit.h"
#include "world/world_view.h"

#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <functional>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

const QString kDiscardProgram = QStringLiteral("Das Programm wurde noch nicht gespeichert!  Löschen?");
const QString kDiscardActive =
    QStringLiteral("Die Aufzeichnung wurde noch nicht beendet/gespeichert!  Löschen?");
const QString kDiscardRecording = QStringLiteral("Die Aufzeichnung wurde noch nicht gespeichert!  Löschen?");
const QString kNoFigure = QStringLiteral("Wo ist Nibbo?!");
const QString kRanIntoWall = QStringLiteral("Nibbo ist gegen eine Mauer gelaufen!");
const QString kNoFood = QStringLiteral("Es ist kein Futter vorhanden!");

QList<QToolButton*> FiveButtons(const TNibboForm& form) {
    return {form.RunSpeedButton, form.PauseSpeedButton, form.StepSpeedButton, form.StopSpeedButton,
            form.SyntaxSpeedButton};
}

bool ProgramToolsEnabled(const TNibboForm& form) {
    bool all = form.ProgrammMenuItem->menuAction()->isEnabled();
    bool any = all;
    for (QToolButton* button : FiveButtons(form)) {
        all = all && button->isEnabled();
        any = any || button->isEnabled();
    }
    if (all != any) qWarning("the program tools are partly enabled");
    return all && any;
}

QImage Drawn(const TNibboForm& form) {
    return form.FeldEditorDrawGrid->Surface().convertToFormat(QImage::Format_RGB32);
}

// What a full repaint draws; hand control must have drawn exactly this cell by cell.
QImage Repainted(TNibboForm& form) {
    form.Session().FormPaint();
    return Drawn(form);
}

struct TableRow {
    const char* event;
    std::function<void(FormFixture&, const QString& folder)> setUp;  // brings the window to the event
    std::function<void(FormFixture&, const QString& folder)> event_; // the event itself
    const char* after; // the six items after the event: '1' on, '0' off, '-' unchanged
};

void ReplayReady(FormFixture& f, const char* text) {
    ModeOnWithFigure(*f.Form);
    f.Form->PrgMemo->setPlainText(QString::fromLatin1(text));
}

const TableRow kTable[] = {
    {"mode switched on", [](FormFixture&, const QString&) {},
     [](FormFixture& f, const QString&) { f.Form->Session().Recording.AufzmodusanMenuItemClick(); },
     "111100"},
    {"recording started", [](FormFixture& f, const QString&) { ModeOnWithFigure(*f.Form); },
     [](FormFixture& f, const QString&) { f.Form->Session().Recording.AufzstartenMenuItemClick(); },
     "----00"},
    {"recording ended",
     [](FormFixture& f, const QString&) {
         ModeOnWithFigure(*f.Form);
         f.Form->Session().Recording.AufzstartenMenuItemClick();
     },
     [](FormFixture& f, const QString&) { f.Form->Session().Recording.AufzbeendenMenuItemClick(); },
     "----11"},
    {"recording loaded",
     [](FormFixture& f, const QString& folder) {
         ModeOnWithFigure(*f.Form);
         QVERIFY(WriteBytes(folder + "/geladen.afz", "procedure a;\r\nbegin\r\nend;\r\n"));
         f.Dialogs->ChooseNext(folder + "/geladen.afz");
     },
     [](FormFixture& f, const QString&) { f.Form->Session().Recording.AufzladenMenuItemClick(); }, "----11"},
    {"saved under a chosen name",
     [](FormFixture& f, const QString& folder) {
         ReplayReady(f, "procedure a;\nbegin\nend;\n");
         f.Dialogs->ChooseNext(folder + "/gespeichert.afz");
     },
     [](FormFixture& f, const QString&) { f.Form->Session().Recording.AufzspeichernunterMenuItemClick(); },
     "----1-"},
    {"replay started", [](FormFixture& f, const QString&) { ReplayReady(f, "procedure a; begin vor; end;"); },
     [](FormFixture& f, const QString&) { f.Form->Session().Recording.AufzwiederholenMenuItemClick(); },
     "000000"},
    {"replay ended normally",
     [](FormFixture& f, const QString&) {
         ReplayReady(f, "procedure a; begin end;");
         f.Form->Session().Recording.AufzwiederholenMenuItemClick();
     },
     [](FormFixture& f, const QString&) { f.Form->Session().Recording.AufzTimerTimer(); }, "1111-1"},
    {"replay ended by a format error",
     [](FormFixture& f, const QString&) {
         ReplayReady(f, "procedure a; begin end.");
         f.Form->Session().Recording.AufzwiederholenMenuItemClick();
     },
     [](FormFixture& f, const QString&) { f.Form->Session().Recording.AufzTimerTimer(); }, "1111-1"},
    {"replay ended by a failed action",
     [](FormFixture& f, const QString&) {
         ReplayReady(f, "procedure a; begin nimm_auf; end;");
         f.Form->Session().Recording.AufzwiederholenMenuItemClick();
     },
     [](FormFixture& f, const QString&) { f.Form->Session().Recording.AufzTimerTimer(); }, "1111-1"},
    {"mode switched off", [](FormFixture& f, const QString&) { ModeOnWithFigure(*f.Form); },
     [](FormFixture& f, const QString&) { f.Form->Session().Recording.AufzmodusanMenuItemClick(); },
     "000000"},
    {"mode switched off during a replay",
     [](FormFixture& f, const QString&) {
         ReplayReady(f, "procedure a; begin vor; end;");
         f.Form->Session().Recording.AufzwiederholenMenuItemClick();
     },
     [](FormFixture& f, const QString&) { f.Form->Session().Recording.AufzmodusanMenuItemClick(); },
     "000000"},
};

void SetItems(TNibboForm& form, bool enabled) {
    for (QAction* item :
         {form.AufzstartenMenuItem, form.AufzbeendenMenuItem, form.AufzwiederholenMenuItem,
          form.AufzladenMenuItem, form.AufzspeichernMenuItem, form.AufzspeichernunterMenuItem})
        item->setEnabled(enabled);
}

// Dialogs whose message box takes the focus away from the window, as a real one does until the
// window is active again.
struct FocusTakingDialogs : FakeDialogs {
    void ShowMessage(const QString& text) override {
        FakeDialogs::ShowMessage(text);
        if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
    }
};

} // namespace

class TestRecordingMode : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString startFolder_;

private slots:
    void initTestCase() { startFolder_ = QDir::currentPath(); }
    void init() { QVERIFY(QDir::setCurrent(dir_.path())); }
    void cleanupTestCase() { QDir::setCurrent(startFolder_); }

    // Each event sets the items it concerns and leaves the others ("-") as they were; every row is
    // tried with all items on and with all items off before the event.
    void enabledStatesAfterEveryEvent_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("before");
        for (int row = 0; row < int(std::size(kTable)); ++row) {
            QTest::addRow("%s, all on before", kTable[row].event) << row << true;
            QTest::addRow("%s, all off before", kTable[row].event) << row << false;
        }
    }

    void enabledStatesAfterEveryEvent() {
        QFETCH(int, row);
        QFETCH(bool, before);
        const TableRow& entry = kTable[row];
        FormFixture f;
        entry.setUp(f, dir_.path());
        SetItems(*f.Form, before);
        entry.event_(f, dir_.path());
        QString expected = QString::fromLatin1(entry.after);
        expected.replace(QLatin1Char('-'), before ? QLatin1Char('1') : QLatin1Char('0'));
        QCOMPARE(RecordingItems(*f.Form), expected);
        QVERIFY(f.Dialogs->Errors.isEmpty());
        QCOMPARE(f.Dialogs->Unscripted, 0);
    }

    void switchingOnAsksForAChangedProgram_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("Ja") << true;
        QTest::newRow("Nein") << false;
    }

    void switchingOnAsksForAChangedProgram() {
        QFETCH(bool, answer);
        FormFixture f;
        TNibboForm& form = *f.Form;
        form.PrgMemo->setPlainText(QStringLiteral("program p;"));
        form.Session().Programs.SetFileName(QStringLiteral("/tmp/p.pas").toStdString());
        f.Dialogs->AnswerNext(answer);
        form.Session().Recording.AufzmodusanMenuItemClick();
        QCOMPARE(f.Dialogs->Log, QStringList{"question: " + kDiscardProgram});
        QCOMPARE(RecordingOf(form).Mode, answer);
        QCOMPARE(form.PrgMemo->Lines(), answer ? QStringList{} : QStringList{"program p;"});
        QCOMPARE(form.AufzmodusanMenuItem->text(),
                 answer ? QStringLiteral("Aufzeichnungsmodus aus") : QStringLiteral("Aufzeichnungsmodus an"));
        QCOMPARE(ProgramToolsEnabled(form), !answer);
        QCOMPARE(RecordingItems(form), answer ? QStringLiteral("111100") : QStringLiteral("000000"));
        QCOMPARE(form.StatusPanels[2]->text(),
                 answer ? QStringLiteral("Aufz.: aufzeichnung.afz") : QStringLiteral("Prg.: /tmp/p.pas"));
        QCOMPARE(QString::fromStdString(RecordingOf(form).FileName),
                 answer ? QStringLiteral("aufzeichnung.afz") : QString());
        // The program's name is kept for later; switching off names "programm.pas".
        QCOMPARE(QString::fromStdString(ProgramsOf(form).FileName), QStringLiteral("/tmp/p.pas"));
    }

    void switchingOnStopsARunningProgram_data() {
        QTest::addColumn<bool>("chewing");
        QTest::newRow("between statements") << false;
        QTest::newRow("while the figure chews") << true;
    }

    void switchingOnStopsARunningProgram() {
        QFETCH(bool, chewing);
        FormFixture f;
        TNibboForm& form = *f.Form;
        RunOf(form).RunActive = true;
        (chewing ? form.StepTimer : form.MoveTimer)->start();
        form.PrgMemo->setEnabled(false);
        form.ItemsSpinEdit->setEnabled(false);
        form.FeldEditorDrawGrid->setEnabled(false);
        ProgramsOf(form).Modified = false;
        form.Session().Recording.AufzmodusanMenuItemClick();
        QVERIFY(!form.MoveTimer->isActive() && !form.StepTimer->isActive());
        QVERIFY(!RunOf(form).RunActive && !RunOf(form).StepMode);
        QVERIFY(form.PrgMemo->isEnabled() && form.ItemsSpinEdit->isEnabled() &&
                form.FeldEditorDrawGrid->isEnabled());
        form.Session().Recording.AufzmodusanMenuItemClick();
        QVERIFY(!RunOf(form).RunActive && !RunOf(form).StepMode);
        QVERIFY(ProgramToolsEnabled(form));
    }

    void switchingOffAsksOnlyDuringARecording() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        ModeOnWithFigure(form);
        form.Session().Recording.AufzstartenMenuItemClick();
        f.Dialogs->Clear();
        f.Dialogs->AnswerNext(false);
        form.Session().Recording.AufzmodusanMenuItemClick();
        QCOMPARE(f.Dialogs->Log, QStringList{"question: " + kDiscardActive});
        QVERIFY(RecordingOf(form).Mode && RecordingOf(form).Active);
        QCOMPARE(form.PrgMemo->Lines(), (QStringList{"procedure aufzeichnung;", "begin"}));

        f.Dialogs->AnswerNext(true);
        form.Session().Recording.AufzmodusanMenuItemClick();
        QVERIFY(!RecordingOf(form).Mode && !RecordingOf(form).Active);
        QVERIFY(RecordingOf(form).Unsaved); // neither direction touches it
        QVERIFY(form.PrgMemo->Lines().isEmpty());
        QVERIFY(!ProgramsOf(form).Modified);
        QCOMPARE(QString::fromStdString(ProgramsOf(form).FileName), QStringLiteral("programm.pas"));
        QCOMPARE(form.StatusPanels[2]->text(), QStringLiteral("Prg.: programm.pas"));
        QCOMPARE(form.AufzmodusanMenuItem->text(), QStringLiteral("Aufzeichnungsmodus an"));
        QVERIFY(ProgramToolsEnabled(form));
        QCOMPARE(RecordingItems(form), QStringLiteral("000000"));
    }

    void anEndedRecordingIsDroppedWithoutAQuestionButStaysUnsaved() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        ModeOnWithFigure(form);
        form.Session().Recording.AufzstartenMenuItemClick();
        form.Session().Recording.AufzbeendenMenuItemClick();
        form.Session().Recording.AufzmodusanMenuItemClick();
        QVERIFY(f.Dialogs->Log.isEmpty());
        QVERIFY(form.PrgMemo->Lines().isEmpty());

        form.Session().Recording.AufzmodusanMenuItemClick();
        f.Dialogs->AnswerNext(false);
        form.Session().Recording.AufzstartenMenuItemClick();
        QCOMPARE(f.Dialogs->Questions, QStringList{kDiscardRecording});
        QVERIFY(!RecordingOf(form).Active);
        QVERIFY(form.PrgMemo->Lines().isEmpty());
        f.Dialogs->AnswerNext(true);
        form.Session().Recording.AufzstartenMenuItemClick();
        QVERIFY(RecordingOf(form).Active);
        QCOMPARE(form.PrgMemo->Lines(), (QStringList{"procedure aufzeichnung;", "begin"}));
    }

    void startingAndEnding() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        form.Session().Recording.AufzmodusanMenuItemClick();
        form.PrgMemo->setPlainText(QStringLiteral("bleibt"));
        form.Session().Recording.AufzstartenMenuItemClick(); // no figure placed
        QCOMPARE(f.Dialogs->Log, QStringList{"message: " + kNoFigure});
        QVERIFY(!RecordingOf(form).Active);
        QCOMPARE(form.PrgMemo->Lines(), QStringList{"bleibt"});

        f.Dialogs->Clear();
        form.Session().Recording.AufzbeendenMenuItemClick(); // outside a recording: nothing
        QCOMPARE(form.PrgMemo->Lines(), QStringList{"bleibt"});

        PlaceFigure(form, 4, 4, East);
        form.Session().Recording.SetFileName(QStringLiteral("/tmp/alt.afz").toStdString());
        form.Session().Recording.AufzstartenMenuItemClick();
        QVERIFY(RecordingOf(form).Active && RecordingOf(form).Unsaved);
        QCOMPARE(form.PrgMemo->Text(), QStringLiteral("procedure aufzeichnung;\nbegin\n"));
        QCOMPARE(QString::fromStdString(RecordingOf(form).FileName), QStringLiteral("aufzeichnung.afz"));
        QCOMPARE(form.StatusPanels[2]->text(), QStringLiteral("Aufz.: aufzeichnung.afz"));

        form.Session().Recording.AufzstartenMenuItemClick(); // during a recording: only a repaint
        QVERIFY(f.Dialogs->Log.isEmpty());
        QCOMPARE(form.PrgMemo->Text(), QStringLiteral("procedure aufzeichnung;\nbegin\n"));

        form.Session().Recording.AufzbeendenMenuItemClick();
        QVERIFY(!RecordingOf(form).Active && RecordingOf(form).Unsaved);
        QCOMPARE(form.PrgMemo->Text(), QStringLiteral("procedure aufzeichnung;\nbegin\nend;\n"));
        form.Session().Recording.AufzbeendenMenuItemClick();
        QCOMPARE(form.PrgMemo->Text(), QStringLiteral("procedure aufzeichnung;\nbegin\nend;\n"));
        QVERIFY(f.Dialogs->Log.isEmpty());
    }

    void aRecordingOfVDVXN() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        // From (2, 2) facing east: v steps to (3, 2), d faces north, v meets the wall of row 1, x is
        // no key of hand control, n finds no food. Both failures are logged all the same.
        ModeOnWithFigure(form, 2, 2, East);
        form.Session().Recording.AufzstartenMenuItemClick();
        Type(form, "vdvxn");
        form.Session().Recording.AufzbeendenMenuItemClick();
        QCOMPARE(form.PrgMemo->Lines(), (QStringList{"procedure aufzeichnung;", "begin", "  vor;",
                                                     "  drehe_links;", "  vor;", "  nimm_auf;", "end;"}));
        QCOMPARE(form.PrgMemo->Text(),
                 QStringLiteral("procedure aufzeichnung;\nbegin\n  vor;\n  drehe_links;\n"
                                "  vor;\n  nimm_auf;\nend;\n"));
        QCOMPARE(f.Dialogs->Log, (QStringList{"message: " + kRanIntoWall, "message: " + kNoFood}));
        QCOMPARE(CurrentWorld(form).StartColumn, 3);
        QCOMPARE(CurrentWorld(form).StartRow, 2);
        QCOMPARE(int(CurrentWorld(form).Orientation), int(North));
        QVERIFY(RecordingOf(form).Unsaved);
        QVERIFY(!CurrentWorld(form).WorldModified);
    }

    void keysActOnTheWorldAndDrawWhatARepaintDraws() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        SetCell(CurrentWorld(form), 6, 5, 9);
        SetCell(CurrentWorld(form), 5, 5, 1);
        ModeOnWithFigure(form, 5, 5, East);
        form.Session().Recording.AufzstartenMenuItemClick();
        Type(form, "n"); // takes the one portion
        QCOMPARE(CellAt(CurrentWorld(form), 5, 5), 0);
        QCOMPARE(form.ItemsSpinEdit->value(), 1);
        QCOMPARE(form.ItemsSpinEdit->text(), QStringLiteral("1"));
        Type(form, "v"); // onto the full cell
        Type(form, "g"); // the full cell is tested first, the stock is 1
        QCOMPARE(f.Dialogs->Log, QStringList{"message: Das Feld ist bereits voll!"});
        Type(form, "ddv"); // now facing west, back to (5, 5)
        Type(form, "g");
        QCOMPARE(CellAt(CurrentWorld(form), 5, 5), 1);
        QCOMPARE(form.ItemsSpinEdit->value(), 0);
        Type(form, "g");
        QCOMPARE(f.Dialogs->Messages.last(), QStringLiteral("Der Vorrat ist alle!"));
        Type(form, "dv");
        const QImage drawn = Drawn(form);
        QCOMPARE(drawn, Repainted(form));
        QCOMPARE(CurrentWorld(form).StartRow, 6);
        QVERIFY(!CurrentWorld(form).WorldModified);
    }

    void keysAreToldApartByTheirCodeAlone_data() {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::newRow("small") << int(Qt::NoModifier) << "n";
        QTest::newRow("Caps Lock") << int(Qt::NoModifier) << "N";
        QTest::newRow("Shift") << int(Qt::ShiftModifier) << "N";
        QTest::newRow("Ctrl") << int(Qt::ControlModifier) << "\x0e";
        QTest::newRow("Alt") << int(Qt::AltModifier) << "n";
        QTest::newRow("all") << int(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                                    Qt::MetaModifier)
                             << "";
    }

    void keysAreToldApartByTheirCodeAlone() {
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        FormFixture f;
        TNibboForm& form = *f.Form;
        SetCell(CurrentWorld(form), 5, 5, 3);
        ModeOnWithFigure(form);
        form.Session().Recording.AufzstartenMenuItemClick();
        PressKey(form, Qt::Key_N, Qt::KeyboardModifiers(modifiers), text);
        QCOMPARE(form.PrgMemo->Lines().last(), QStringLiteral("  nimm_auf;"));
        QCOMPARE(CellAt(CurrentWorld(form), 5, 5), 2);
        // An auto-repeated key acts once per repeat.
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_N, Qt::KeyboardModifiers(modifiers), text, true);
        for (int i = 0; i < 2; ++i)
            QApplication::sendEvent(&form, &repeat);
        QCOMPARE(form.PrgMemo->LineCount(), 5);
        QCOMPARE(CellAt(CurrentWorld(form), 5, 5), 0);
    }

    void otherKeysLogNothingButMarkTheRecordingUnsaved_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("x") << int(Qt::Key_X);
        QTest::newRow("Shift alone") << int(Qt::Key_Shift);
        QTest::newRow("a letter with umlaut") << int(Qt::Key_Adiaeresis);
    }

    void otherKeysLogNothingButMarkTheRecordingUnsaved() {
        QFETCH(int, key);
        FormFixture f;
        TNibboForm& form = *f.Form;
        ModeOnWithFigure(form);
        form.Session().Recording.AufzstartenMenuItemClick();
        RecordingOf(form).Unsaved = false; // as after loading a recording during the recording
        const QString before = form.PrgMemo->Text();
        PressKey(form, Qt::Key(key));
        QCOMPARE(form.PrgMemo->Text(), before);
        QVERIFY(RecordingOf(form).Unsaved);
        QVERIFY(f.Dialogs->Log.isEmpty());
    }

    void keysDoNothingOutsideARecording() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        Type(form, "v"); // mode off
        ModeOnWithFigure(form);
        Type(form, "v"); // mode on, idle
        form.Session().Recording.AufzstartenMenuItemClick();
        form.Session().Recording.AufzbeendenMenuItemClick();
        RecordingOf(form).Unsaved = false;
        Type(form, "vdng"); // after the recording ended
        QCOMPARE(form.PrgMemo->Lines().last(), QStringLiteral("end;"));
        QCOMPARE(CurrentWorld(form).StartColumn, 5);
        QCOMPARE(int(CurrentWorld(form).Orientation), int(East));
        QVERIFY(!RecordingOf(form).Unsaved);
        QVERIFY(f.Dialogs->Log.isEmpty());
    }

    void theKeyGoesOnToTheMemoWithTheFocus() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        ModeOnWithFigure(form);
        form.Session().Recording.AufzstartenMenuItemClick();
        form.PrgMemo->setFocus();
        QTRY_VERIFY(form.PrgMemo->hasFocus());
        QTextCursor caret = form.PrgMemo->textCursor();
        caret.setPosition(0);
        form.PrgMemo->setTextCursor(caret);
        QTest::keyClick(form.PrgMemo, Qt::Key_D);
        // The line is logged once and the letter is typed at the caret as well.
        QCOMPARE(form.PrgMemo->Lines(), (QStringList{"dprocedure aufzeichnung;", "begin", "  drehe_links;"}));
        QCOMPARE(int(CurrentWorld(form).Orientation), int(North));
        // With the focus on the world view the key only acts.
        form.FeldEditorDrawGrid->setFocus();
        QTRY_VERIFY(form.FeldEditorDrawGrid->hasFocus());
        QTest::keyClick(form.FeldEditorDrawGrid, Qt::Key_D, Qt::ShiftModifier);
        QCOMPARE(form.PrgMemo->Lines(),
                 (QStringList{"dprocedure aufzeichnung;", "begin", "  drehe_links;", "  drehe_links;"}));
        QCOMPARE(int(CurrentWorld(form).Orientation), int(West));
    }

    void aMessageDuringAKeyPressDoesNotRepeatTheKey() {
        auto owned = std::make_unique<FocusTakingDialogs>();
        FocusTakingDialogs& dialogs = *owned;
        TNibboForm form(std::move(owned));
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        ModeOnWithFigure(form, 2, 2, North);
        form.Session().Recording.AufzstartenMenuItemClick();
        form.FeldEditorDrawGrid->setFocus();
        QTRY_VERIFY(form.FeldEditorDrawGrid->hasFocus());
        // The key travels on from the world view to the window, which then has no focus widget.
        QTest::keyClick(form.FeldEditorDrawGrid, Qt::Key_V);
        QCOMPARE(dialogs.Log, QStringList{"message: " + kRanIntoWall});
        QCOMPARE(form.PrgMemo->Lines(), (QStringList{"procedure aufzeichnung;", "begin", "  vor;"}));
        // The next press, with no focus widget, is previewed once at the window.
        QVERIFY(!QApplication::focusWidget());
        QTest::keyClick(&form, Qt::Key_D);
        QTest::keyClick(&form, Qt::Key_D);
        QCOMPARE(form.PrgMemo->Lines().mid(2), (QStringList{"  vor;", "  drehe_links;", "  drehe_links;"}));
    }

    void keysWithoutAFigureLogTheirLineAndTouchNothing() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        SetCell(CurrentWorld(form), 5, 5, 4);
        ModeOnWithFigure(form, 5, 5, North);
        form.Session().Recording.AufzstartenMenuItemClick();
        // A right click on the figure's cell removes the figure; its last position stays in the fields.
        form.FeldEditorDrawGridMouseDown(Qt::RightButton, Qt::NoModifier,
                                         TWorldGrid::CellRect(5, 5).center());
        QVERIFY(!CurrentWorld(form).StartPlaced);
        form.ItemsSpinEdit->WriteStock(2);
        const World before = CurrentWorld(form);
        const QImage drawn = Drawn(form);
        Type(form, "vdng");
        QCOMPARE(form.PrgMemo->Lines().mid(2),
                 (QStringList{"  vor;", "  drehe_links;", "  nimm_auf;", "  gib_ab;"}));
        QCOMPARE(f.Dialogs->Log, QStringList(4, "message: " + kNoFigure));
        QVERIFY(CurrentWorld(form).Cells == before.Cells);
        QCOMPARE(CurrentWorld(form).StartColumn, 5);
        QCOMPARE(CurrentWorld(form).StartRow, 5);
        QCOMPARE(int(CurrentWorld(form).Orientation), int(North));
        QCOMPARE(form.ItemsSpinEdit->ReadStock(), 2);
        QCOMPARE(Drawn(form), drawn);
        QVERIFY(RecordingOf(form).Active);
    }

    void resettingTheWorldDuringARecordingIsNotLogged() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        ModeOnWithFigure(form, 5, 5, East);
        form.Session().Recording.AufzstartenMenuItemClick();
        Type(form, "vv");
        form.Session().World.AFresetMenuItemClick();
        QCOMPARE(CurrentWorld(form).StartColumn, 5);
        Type(form, "d");
        QCOMPARE(form.PrgMemo->Lines().mid(2), (QStringList{"  vor;", "  vor;", "  drehe_links;"}));
        QVERIFY(RecordingOf(form).Active);
    }
};

QTEST_MAIN(TestRecordingMode)
#include "test_recording_mode.moc"
