// The run control in the real main window, headless: the state table driven by button presses and
// timer ticks, the speed table and the animation frames, single steps, pause and continue, stop,
// the end of a program and failing actions (each message shown only after the run has halted), the
// question before a run, a restart during an animation, the slider moved during a run, the syntax
// check during a pause, and whole runs on real timers at the fastest speed. Ticks are delivered by
// calling the tick handlers directly (nothing here spins the event loop), except where a test waits
// for real timers.
#include "execution/engine.h"
#include "resources/pictures.h"
#include "shell/prg_memo.h"
#include "shell/spin_edit.h"
#include "support/fake_dialogs.h"
#include "support/form_fixture.h"
#include "world/world_file.h"
#include "world/world_view.h"

#include <QFile>
#include <QListWidget>
#include <QPainter>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

const QString kFinished = QStringLiteral("Programm beendet!");
const QString kRanIntoWall = QStringLiteral("Nibbo ist gegen eine Mauer gelaufen!");
const QString kQuestion = QStringLiteral("Nibbos Welt wurde verändert! Zurücksetzen?");

// A program that never ends on an open world: the figure tests and turns for ever.
const QString kEndless =
    QStringLiteral("program kreisel;\nbegin\n  while vorne_frei do\n    drehe_links;\nend.");

// The state of the run as the state table names it, or what does not fit any row.
QString State(TNibboForm& form) {
    const bool move = form.MoveTimer->isActive(), step = form.StepTimer->isActive();
    const bool grid = form.FeldEditorDrawGrid->isEnabled(), stock = form.ItemsSpinEdit->isEnabled(),
               memo = form.PrgMemo->isEnabled();
    const bool unlocked = grid && stock && memo, locked = !grid && !stock && !memo;
    if (!RunOf(form).RunActive && !RunOf(form).StepMode && !move && !step && unlocked)
        return QStringLiteral("idle");
    if (RunOf(form).RunActive && !RunOf(form).StepMode && (move || step) && locked)
        return QStringLiteral("running");
    if (RunOf(form).RunActive && RunOf(form).StepMode && !move && !step && locked)
        return QStringLiteral("paused");
    if (RunOf(form).RunActive && RunOf(form).StepMode && move && !step && locked)
        return QStringLiteral("continued");
    return QStringLiteral("RunActive %1 StepMode %2 MoveTimer %3 StepTimer %4 grid %5 stock %6 memo %7")
        .arg(RunOf(form).RunActive)
        .arg(RunOf(form).StepMode)
        .arg(move)
        .arg(step)
        .arg(grid)
        .arg(stock)
        .arg(memo);
}

// Scripted dialogs that also note the run's state whenever a message is shown.
class SnapshotDialogs : public FakeDialogs {
public:
    TNibboForm* Form = nullptr;
    QStringList StatesAtMessages;
    void ShowMessage(const QString& text) override {
        StatesAtMessages << State(*Form);
        FakeDialogs::ShowMessage(text);
    }
};

// A main window with a program, and a stored world whose figure starts at (column, row).
struct RunFixture {
    SnapshotDialogs* Dialogs = nullptr;
    std::unique_ptr<TNibboForm> Form;

    explicit RunFixture(const QString& program, int position = 5, int column = 5, int row = 5,
                        int orientation = East, int stock = 0) {
        auto dialogs = std::make_unique<SnapshotDialogs>();
        Dialogs = dialogs.get();
        Form = std::make_unique<TNibboForm>(std::move(dialogs));
        Dialogs->Form = Form.get();
        Form->OnEnd = [] {};
        PlaceFigure(*Form, column, row, orientation);
        Form->ItemsSpinEdit->WriteStock(stock);
        StoreWorld(CurrentWorld(*Form), *Form->ItemsSpinEdit, StoredWorld(*Form));
        Form->PrgMemo->SetText(program);
        Form->SpeedTrackBar->setValue(position);
    }

    TNibboForm& operator*() const { return *Form; }
    TNibboForm* operator->() const { return Form.get(); }

    // What the running timer would do at its next tick.
    void Tick() const {
        if (Form->StepTimer->isActive())
            Form->Session().Run.StepTimerTimer();
        else if (Form->MoveTimer->isActive())
            Form->Session().Run.MoveTimerTimer();
    }

    QString Selected() const {
        return Form->PrgMemo->textCursor().selectedText().replace(QChar::ParagraphSeparator,
                                                                  QLatin1Char('\n'));
    }

    // The cell as the world view's surface shows it now.
    QImage Cell(int column, int row) const {
        const QImage& surface = Form->FeldEditorDrawGrid->Surface();
        const qreal dpr = surface.devicePixelRatio();
        const QRect rect = TWorldGrid::CellRect(column, row);
        return surface.copy(QRectF(QPointF(rect.topLeft()) * dpr, QSizeF(rect.size()) * dpr).toRect());
    }

    // The cell as it should look with the figure's picture of that frame on the path colour.
    QImage FigureCell(int orientation, int frame) const {
        const QImage& surface = Form->FeldEditorDrawGrid->Surface();
        const qreal dpr = surface.devicePixelRatio();
        QImage image(qRound(pictures::kCellSize * dpr), qRound(pictures::kCellSize * dpr), surface.format());
        image.setDevicePixelRatio(dpr);
        image.fill(pictures::kPathColour);
        QPainter painter(&image);
        Form->PacImageList.Draw(painter, QPointF(0, 0), FigureImage(orientation, frame));
        painter.end();
        return image;
    }
};

// The zero-based position of a text in the memo, line breaks counted as two characters.
int CrlfIndexOf(const TNibboForm& form, const QString& text) {
    return int(form.PrgMemo->Lines().join(QStringLiteral("\r\n")).indexOf(text));
}

QStringList ListLines(const TNibboForm& form) {
    QStringList lines;
    for (int i = 0; i < form.InfoListBox->count(); ++i)
        lines << form.InfoListBox->item(i)->text();
    return lines;
}

} // namespace

class TestRunControl : public QObject {
    Q_OBJECT
private slots:
    void stateTable_data() {
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("states"); // the state after each event
        QTest::newRow("stop when idle") << "Stop"
                                        << "idle";
        QTest::newRow("run") << "Run Tick Tick"
                             << "running running running";
        QTest::newRow("pause when idle starts a run") << "Pause Tick"
                                                      << "running running";
        QTest::newRow("pause during a run") << "Run Tick Pause"
                                            << "running running paused";
        QTest::newRow("step during a run") << "Run Tick Tick Step"
                                           << "running running running paused";
        QTest::newRow("step when idle") << "Step Step Step"
                                        << "paused paused paused";
        QTest::newRow("continue and pause again") << "Step Pause Tick Tick Pause Step"
                                                  << "paused continued continued continued paused paused";
        QTest::newRow("step while continued pauses") << "Step Pause Step"
                                                     << "paused continued paused";
        QTest::newRow("run pressed when paused") << "Step Run Tick"
                                                 << "paused running running";
        QTest::newRow("run pressed when continued") << "Step Pause Run Tick"
                                                    << "paused continued running running";
        QTest::newRow("run pressed when running") << "Run Tick Run Tick"
                                                  << "running running running running";
        QTest::newRow("stop when running") << "Run Tick Stop"
                                           << "running running idle";
        QTest::newRow("stop when paused") << "Step Stop"
                                          << "paused idle";
        QTest::newRow("stop when continued") << "Step Pause Stop"
                                             << "paused continued idle";
        QTest::newRow("a world command stops the run") << "Run Tick Reset"
                                                       << "running running idle";
        QTest::newRow("a new run after a stop") << "Run Stop Step"
                                                << "running idle paused";
    }

    void stateTable() {
        QFETCH(QString, events);
        QFETCH(QString, states);
        RunFixture f(kEndless);
        QStringList seen;
        for (const QString& event : events.split(QLatin1Char(' '))) {
            if (event == QLatin1String("Run"))
                f->RunSpeedButton->click();
            else if (event == QLatin1String("Pause"))
                f->PauseSpeedButton->click();
            else if (event == QLatin1String("Step"))
                f->StepSpeedButton->click();
            else if (event == QLatin1String("Stop"))
                f->StopSpeedButton->click();
            else if (event == QLatin1String("Reset"))
                f->AFresetMenuItem->trigger();
            else if (event == QLatin1String("Tick"))
                f.Tick();
            seen << State(*f);
        }
        QCOMPARE(seen.join(QLatin1Char(' ')), states);
        QVERIFY(f.Dialogs->Log.isEmpty());
    }

    void speedTable_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("moveInterval");
        QTest::addColumn<int>("stepInterval"); // 0: no animation
        QTest::newRow("0") << 0 << 1 << 0;
        QTest::newRow("1") << 1 << 81 << 0;
        QTest::newRow("2") << 2 << 161 << 32;
        QTest::newRow("3") << 3 << 241 << 48;
        QTest::newRow("4") << 4 << 321 << 64;
        QTest::newRow("5") << 5 << 401 << 80;
        QTest::newRow("6") << 6 << 481 << 96;
        QTest::newRow("7") << 7 << 561 << 112;
        QTest::newRow("8") << 8 << 641 << 128;
        QTest::newRow("9") << 9 << 721 << 144;
        QTest::newRow("10") << 10 << 801 << 160;
    }

    void speedTable() {
        QFETCH(int, position);
        QFETCH(int, moveInterval);
        QFETCH(int, stepInterval);
        // A program without any action: its tests animate the figure all the same.
        RunFixture f(QStringLiteral("program p;\nbegin\n  while vorne_frei do ;\nend."), position);
        f->RunSpeedButton->click();
        QCOMPARE(f->MoveTimer->interval(), 150); // the first run after start-up waits 150 ms
        for (int statement = 0; statement < 3; ++statement) {
            f->Session().Run.MoveTimerTimer();
            QCOMPARE(f->MoveTimer->interval(), moveInterval);
            if (stepInterval == 0) {
                QVERIFY(f->MoveTimer->isActive());
                QVERIFY(!f->StepTimer->isActive());
            } else {
                QVERIFY(!f->MoveTimer->isActive());
                QVERIFY(f->StepTimer->isActive());
                QCOMPARE(f->StepTimer->interval(), stepInterval);
                f->MoveTimer->start(); // so that the next direct tick is a MoveTimer tick again
                f->StepTimer->stop();
            }
        }
        QCOMPARE(State(*f), QStringLiteral("running"));
    }

    void theAnimationChewsInSixTicks() {
        RunFixture f(kEndless, 5);
        f->RunSpeedButton->click();
        f->Session().Run.MoveTimerTimer(); // the test
        QCOMPARE(f.Selected(), QStringLiteral("while vorne_frei do"));
        f.Tick(); // the test's own tick drew nothing; now the animation
        QCOMPARE(RunOf(*f).AnimationStep, 1);
        QCOMPARE(f.Cell(5, 5), f.FigureCell(East, 2));
        const int frames[] = {3, 4, 0, 1};
        for (const int frame : frames) {
            f.Tick();
            QCOMPARE(f.Cell(5, 5), f.FigureCell(East, frame));
        }
        QCOMPARE(RunOf(*f).AnimationStep, 5);
        QVERIFY(f->StepTimer->isActive());
        f.Tick(); // the sixth tick runs the next statement, which turns the figure
        QCOMPARE(f.Selected(), QStringLiteral("drehe_links"));
        QCOMPARE(RunOf(*f).AnimationStep, 0);
        QCOMPARE(CurrentWorld(*f).Orientation, uint8_t(North));
        QCOMPARE(f.Cell(5, 5), f.FigureCell(North, 1));
        QVERIFY(f->StepTimer->isActive());
        QVERIFY(!f->MoveTimer->isActive());
    }

    void stepDuringTheAnimationPausesAndExecutesNothing() {
        RunFixture f(kEndless, 5);
        f->RunSpeedButton->click();
        f->Session().Run.MoveTimerTimer();
        f.Tick();
        f.Tick();
        QCOMPARE(RunOf(*f).AnimationStep, 2);
        const int index = RunOf(*f).Registers.StatementIndex;
        f->StepSpeedButton->click();
        QCOMPARE(State(*f), QStringLiteral("paused"));
        QCOMPARE(RunOf(*f).Registers.StatementIndex, index);
        QCOMPARE(RunOf(*f).AnimationStep, 0);
        QCOMPARE(f.Cell(5, 5), f.FigureCell(East, 3)); // the frame it had
        f->StepSpeedButton->click();
        QCOMPARE(f.Selected(), QStringLiteral("drehe_links"));
        QCOMPARE(f.Cell(5, 5), f.FigureCell(North, 1));
        QCOMPARE(State(*f), QStringLiteral("paused"));
    }

    void singleStepsAndReturns() {
        RunFixture f(
            QStringLiteral("program p;\nprocedure leer;\nbegin\nend;\nbegin\n  leer;\n  drehe_links;\n"
                           "  leer;\nend."));
        const QStringList expected{"leer", "drehe_links", "leer"};
        for (const QString& statement : expected) {
            f->StepSpeedButton->click();
            QCOMPARE(f.Selected(), statement); // a return never costs a press of its own
            QCOMPARE(State(*f), QStringLiteral("paused"));
            QVERIFY(!f->PrgMemo->isEnabled());
        }
        QVERIFY(f.Dialogs->Messages.isEmpty());
        f->StepSpeedButton->click();
        QCOMPARE(f.Dialogs->Messages, QStringList{kFinished});
        QCOMPARE(f.Dialogs->StatesAtMessages, QStringList{"idle"});
        QCOMPARE(State(*f), QStringLiteral("idle"));
        QCOMPARE(f->PrgMemo->SelLength(), 0);
        QCOMPARE(f->PrgMemo->SelStart(), CrlfIndexOf(*f, QStringLiteral("end.")));

        // After the end, Step starts a new single-step run on the restored world.
        f->StepSpeedButton->click();
        QCOMPARE(f.Selected(), QStringLiteral("leer"));
        QCOMPARE(CurrentWorld(*f).Orientation, uint8_t(East));
        QCOMPARE(State(*f), QStringLiteral("paused"));
    }

    void continuedRunsWithoutAnimation() {
        RunFixture f(kEndless, 5);
        f->StepSpeedButton->click();
        f->PauseSpeedButton->click();
        QCOMPARE(State(*f), QStringLiteral("continued"));
        for (int tick = 0; tick < 4; ++tick) {
            const int index = RunOf(*f).Registers.StatementIndex;
            f.Tick();
            QVERIFY(RunOf(*f).Registers.StatementIndex != index);
            QCOMPARE(f->MoveTimer->interval(), 401);
            QCOMPARE(State(*f), QStringLiteral("continued"));
        }
        QCOMPARE(CurrentWorld(*f).Orientation, uint8_t(West)); // two turns in four statements
    }

    void theFirstStepMayEndTheProgram() {
        RunFixture f(QStringLiteral("program leer;\nbegin\nend."));
        f->StepSpeedButton->click();
        QCOMPARE(f.Dialogs->Messages, QStringList{kFinished});
        QCOMPARE(State(*f), QStringLiteral("idle"));
    }

    void aWholeRunOnRealTimers() {
        RunFixture f(QStringLiteral("program p;\nbegin\n  while vorne_frei do\n    vor;\nend."), 0);
        CurrentWorld(*f).Cells[size_t(CellIndex(9, 5))] = 3; // food is walked over, not eaten
        StoreWorld(CurrentWorld(*f), *f->ItemsSpinEdit, StoredWorld(*f));
        const WorldRecord stored = StoredWorld(*f);
        f->RunSpeedButton->click();
        QCOMPARE(State(*f), QStringLiteral("running"));
        QTRY_COMPARE_WITH_TIMEOUT(f.Dialogs->Messages, QStringList{kFinished}, 20000);
        QCOMPARE(f.Dialogs->StatesAtMessages, QStringList{"idle"});
        QCOMPARE(State(*f), QStringLiteral("idle"));
        QCOMPARE(CurrentWorld(*f).StartColumn, 23);
        QCOMPARE(f->PrgMemo->SelLength(), 0);
        QCOMPARE(f->PrgMemo->SelStart(), CrlfIndexOf(*f, QStringLiteral("end.")));
        // The run never marks the world as edited and never touches the stored world.
        QVERIFY(!CurrentWorld(*f).WorldModified);
        QCOMPARE(StoredWorld(*f).StartColumn, stored.StartColumn);
        QVERIFY(StoredWorld(*f).Cells == stored.Cells);
        // The closing repaint shows the figure at rest where it stopped, and the food it passed.
        QCOMPARE(f.Cell(23, 5), f.FigureCell(East, 1));
        QCOMPARE(f.Cell(5, 5), f.Cell(6, 5));
        QCOMPARE(CellAt(CurrentWorld(*f), 9, 5), 3);
        QVERIFY(f.Cell(9, 5) != f.Cell(8, 5));

        // Run again: the stored world comes back and the program starts from the beginning.
        f.Dialogs->Clear();
        f->RunSpeedButton->click();
        QCOMPARE(CurrentWorld(*f).StartColumn, 5);
        QTRY_COMPARE_WITH_TIMEOUT(f.Dialogs->Messages, QStringList{kFinished}, 20000);
    }

    void aFailingActionEndsTheRun_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("stock");
        QTest::addColumn<QString>("failed"); // the statement left selected
        QTest::addColumn<QString>("message");
        QTest::newRow("a wall") << "while ostwaerts do vor;" << 0 << "vor" << kRanIntoWall;
        QTest::newRow("no food") << "vor; nimm_auf;" << 0 << "nimm_auf"
                                 << "Es ist kein Futter vorhanden!";
        QTest::newRow("no stock") << "gib_ab; gib_ab;" << 1 << "gib_ab"
                                  << "Der Vorrat ist alle!";
    }

    void aFailingActionEndsTheRun() {
        QFETCH(QString, body);
        QFETCH(int, stock);
        QFETCH(QString, failed);
        QFETCH(QString, message);
        RunFixture f("program p;\nbegin\n  " + body + "\nend.", 0, 5, 5, East, stock);
        f->RunSpeedButton->click();
        QTRY_COMPARE_WITH_TIMEOUT(f.Dialogs->Messages, QStringList{message}, 20000);
        QCOMPARE(f.Dialogs->StatesAtMessages, QStringList{"idle"}); // halted before the message
        QCOMPARE(State(*f), QStringLiteral("idle"));
        QCOMPARE(f.Selected(), failed);
    }

    void aFailureInASingleStepEndsTheRunToo() {
        RunFixture f(QStringLiteral("program p;\nbegin\n  nimm_auf;\nend."));
        f->StepSpeedButton->click();
        QCOMPARE(f.Dialogs->Messages, QStringList{"Es ist kein Futter vorhanden!"});
        QCOMPARE(f.Dialogs->StatesAtMessages, QStringList{"idle"});
        QCOMPARE(f.Selected(), QStringLiteral("nimm_auf"));
        // Pause after the failure starts a new run from the restored world.
        f->PauseSpeedButton->click();
        QCOMPARE(State(*f), QStringLiteral("running"));
    }

    void endlessRecursionEndsAtTheBoundOfTheReturnStack() {
        // Every call takes a frame of the return stack; the call that finds the stack full ends the
        // run as a failed action does, with a message that names the likely cause.
        RunFixture f(
            QStringLiteral("program p;\nprocedure endlos;\nbegin\n  endlos;\nend;\nbegin\n  endlos;\nend."));
        f->StepSpeedButton->click(); // the main program's call: the first frame
        size_t steps = 1;
        while (f.Dialogs->Messages.isEmpty() && steps <= kMaxReturnFrames) {
            f->Session().Run.MoveTimerTimer();
            ++steps;
        }
        QCOMPARE(steps, kMaxReturnFrames + 1);
        QCOMPARE(f.Dialogs->Messages, QStringList{QString::fromUtf8(kReturnStackFullMessage)});
        QCOMPARE(f.Dialogs->StatesAtMessages, QStringList{"idle"});
        QCOMPARE(RunOf(*f).Registers.ReturnStack.size(), kMaxReturnFrames);
        QCOMPARE(f.Selected(), QStringLiteral("endlos"));
        QCOMPARE(f->PrgMemo->SelStart(),
                 CrlfIndexOf(*f, QStringLiteral("  endlos;")) + 2); // inside the procedure

        // The next run starts with an empty stack.
        f.Dialogs->Clear();
        f->StepSpeedButton->click();
        QCOMPARE(RunOf(*f).Registers.ReturnStack.size(), size_t(1));
        QVERIFY(f.Dialogs->Messages.isEmpty());
    }

    void theQuestionBeforeARun_data() {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("saveInDialog");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<bool>("wallKept");
        QTest::newRow("yes discards the edits")
            << true << false << QStringList{"question: " + kQuestion} << false;
        QTest::newRow("no, dialog cancelled: the edits are lost")
            << false << false << QStringList{"question: " + kQuestion, "save: Nibbos Welt speichern"}
            << false;
        QTest::newRow("no, saved in the dialog: the run starts on the edited world")
            << false << true << QStringList{"question: " + kQuestion, "save: Nibbos Welt speichern"} << true;
    }

    void theQuestionBeforeARun() {
        QFETCH(bool, yes);
        QFETCH(bool, saveInDialog);
        QFETCH(QStringList, log);
        QFETCH(bool, wallKept);
        QTemporaryDir dir;
        RunFixture f(QStringLiteral("program p;\nbegin\n  vor;\n  vor;\nend."));
        // Edited with the mouse: a wall two cells ahead.
        CurrentWorld(*f).Cells[size_t(CellIndex(7, 5))] = kWall;
        CurrentWorld(*f).WorldModified = true;
        f.Dialogs->AnswerNext(yes);
        const QString path = dir.filePath(QStringLiteral("bearbeitet.wlt"));
        if (saveInDialog)
            f.Dialogs->ChooseNext(path);
        else if (!yes)
            f.Dialogs->CancelNext();

        f->StepSpeedButton->click();
        QCOMPARE(f.Dialogs->Log, log);
        QCOMPARE(CellAt(CurrentWorld(*f), 7, 5), wallKept ? kWall : kFreePath);
        QVERIFY(!CurrentWorld(*f).WorldModified);
        QCOMPARE(QFile::exists(path), saveInDialog);
        f->StepSpeedButton->click();
        f->StepSpeedButton->click();
        QCOMPARE(f.Dialogs->Messages, wallKept ? QStringList{kRanIntoWall} : QStringList{kFinished});

        // The next run asks nothing: the run did not mark the world as edited.
        f.Dialogs->Clear();
        f->StepSpeedButton->click();
        QVERIFY(f.Dialogs->Questions.isEmpty());
    }

    void aRunThatCannotStart() {
        RunFixture f(QStringLiteral("program p;\nbegin\n  vorr;\nend."));
        // The figure stands elsewhere after an earlier run; the stored world comes back anyway.
        CurrentWorld(*f).StartColumn = 9;
        CurrentWorld(*f).Cells[size_t(CellIndex(3, 3))] = 4; // not yet drawn
        f->RunSpeedButton->click();
        QCOMPARE(ListLines(*f), QStringList{"2: Syntax-Fehler!"});
        QCOMPARE(State(*f), QStringLiteral("idle"));
        QCOMPARE(CurrentWorld(*f).StartColumn, 5);
        QCOMPARE(f.Cell(3, 3), f.Cell(4, 3)); // repainted from the restored world
        QCOMPARE(f.Cell(5, 5), f.FigureCell(East, 1));
        f->StepSpeedButton->click();
        QCOMPARE(State(*f), QStringLiteral("idle"));
        QVERIFY(f.Dialogs->Log.isEmpty());

        f->PrgMemo->Clear();
        f->PauseSpeedButton->click();
        QCOMPARE(f.Dialogs->Log, QStringList{"message: Erst Programm schreiben!"});
        QCOMPARE(ListLines(*f), QStringList{"kein Programm!"});
        QCOMPARE(State(*f), QStringLiteral("idle"));
    }

    void withoutAStartNothingHappens() {
        FormFixture plain;
        TNibboForm& form = *plain.Form;
        form.PrgMemo->SetText(kEndless);
        for (QToolButton* button : {form.RunSpeedButton, form.StepSpeedButton, form.PauseSpeedButton}) {
            button->click();
            QCOMPARE(State(form), QStringLiteral("idle"));
        }
        QVERIFY(plain.Dialogs->Log.isEmpty());
        QVERIFY(ListLines(form).isEmpty());
    }

    void stopLeavesEverythingAsTheRunLeftIt() {
        RunFixture f(kEndless, 0);
        f->StepSpeedButton->click();
        f->StepSpeedButton->click(); // drehe_links: facing north
        const int selStart = f->PrgMemo->SelStart();
        f->StopSpeedButton->click();
        QCOMPARE(State(*f), QStringLiteral("idle"));
        QCOMPARE(CurrentWorld(*f).Orientation, uint8_t(North));
        QCOMPARE(f->PrgMemo->SelStart(), selStart);
        QCOMPARE(f.Selected(), QStringLiteral("drehe_links"));
        QVERIFY(f.Dialogs->Log.isEmpty());
    }

    void aRestartDuringTheAnimation_data() {
        QTest::addColumn<bool>("animationEndsFirst");
        QTest::addColumn<int>("newPosition");
        QTest::newRow("the animation ends first") << true << 5;
        QTest::newRow("the MoveTimer ticks first") << false << 5;
        QTest::newRow("the MoveTimer ticks first, the slider now at 0") << false << 0;
    }

    void aRestartDuringTheAnimation() {
        QFETCH(bool, animationEndsFirst);
        QFETCH(int, newPosition);
        RunFixture f(kEndless, 5);
        f->RunSpeedButton->click();
        f->Session().Run.MoveTimerTimer(); // the test
        for (int tick = 0; tick < 8; ++tick)
            f.Tick(); // the test's animation, the drehe_links, two frames of its animation
        QCOMPARE(CurrentWorld(*f).Orientation, uint8_t(North));
        QCOMPARE(RunOf(*f).AnimationStep, 2);

        f->RunSpeedButton->click();
        QCOMPARE(CurrentWorld(*f).Orientation, uint8_t(East)); // restored
        QVERIFY(f->MoveTimer->isActive());
        QVERIFY(f->StepTimer->isActive()); // the animation is not cut short
        f->SpeedTrackBar->setValue(newPosition);
        if (animationEndsFirst) {
            f->Session().Run.StepTimerTimer();
            f->Session().Run.StepTimerTimer();
            f->Session().Run.StepTimerTimer();
            QCOMPARE(RunOf(*f).AnimationStep, 5);
            QCOMPARE(RunOf(*f).Registers.StatementIndex, -1);
            f->Session().Run.StepTimerTimer(); // its last tick runs the first statement of the new run
        } else {
            f->Session().Run.MoveTimerTimer();
        }
        QCOMPARE(f.Selected(), QStringLiteral("while vorne_frei do"));
        QCOMPARE(RunOf(*f).Registers.StatementIndex,
                 1); // the test was true: before the body's first statement
        QCOMPARE(RunOf(*f).Registers.ReturnStack.size(), size_t(1));
        QCOMPARE(RunOf(*f).AnimationStep, 0);
        // From the first statement of the new run on, one timer paces the run.
        QCOMPARE(f->MoveTimer->isActive(), newPosition == 0);
        QCOMPARE(f->StepTimer->isActive(), newPosition != 0);
        QCOMPARE(State(*f), QStringLiteral("running"));
    }

    void theSliderDuringARun() {
        RunFixture f(kEndless, 5);
        f->RunSpeedButton->click();
        f->Session().Run.MoveTimerTimer();
        QCOMPARE(f->StepTimer->interval(), 80);
        f->SpeedTrackBar->setValue(0);
        for (int tick = 0; tick < 6; ++tick)
            f.Tick(); // the animation already begun plays to its end
        QCOMPARE(f.Selected(), QStringLiteral("drehe_links"));
        QCOMPARE(f->MoveTimer->interval(), 1);
        QVERIFY(f->MoveTimer->isActive());
        QVERIFY(!f->StepTimer->isActive());
        f.Tick();
        QCOMPARE(f.Selected(), QStringLiteral("while vorne_frei do"));
        QVERIFY(f->MoveTimer->isActive());

        f->SpeedTrackBar->setValue(3);
        f.Tick();
        QCOMPARE(f->MoveTimer->interval(), 241);
        QVERIFY(!f->MoveTimer->isActive());
        QVERIFY(f->StepTimer->isActive());
        QCOMPARE(f->StepTimer->interval(), 48);
    }

    void theSyntaxCheckDuringAPause() {
        RunFixture f(QStringLiteral("program p;\nbegin\n  drehe_links;\n  vor;\n  drehe_links;\nend."));
        f->StepSpeedButton->click();
        f->StepSpeedButton->click();
        const TProcTable before = ProgramOf(*f).ProcTable;
        f->SyntaxSpeedButton->click();
        QVERIFY(ListLines(*f).isEmpty());
        QVERIFY(ProgramOf(*f).ProcTable == before);
        QCOMPARE(State(*f), QStringLiteral("paused"));
        f->StepSpeedButton->click();
        QCOMPARE(f.Selected(), QStringLiteral("drehe_links"));
        QCOMPARE(RunOf(*f).Registers.StatementIndex, 2);
        QCOMPARE(CurrentWorld(*f).StartRow, 4);
    }

    void theRunningStatementStaysVisibleInTheLockedEditor() {
        RunFixture f(kEndless);
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.Form.get()));
        f->StepSpeedButton->click();
        QVERIFY(!f->PrgMemo->isEnabled());
        QCOMPARE(f.Selected(), QStringLiteral("while vorne_frei do"));
        const QColor highlight = f->PrgMemo->SelectionColour();
        const QImage shot = f->PrgMemo->viewport()->grab().toImage();
        int marked = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                marked += shot.pixelColor(x, y) == highlight;
        QVERIFY2(marked > 100, qPrintable(QString::number(marked)));
    }
};

QTEST_MAIN(TestRunControl)
#include "test_run_control.moc"
