// The session alone, shown by the scripted front end, without a widget: a world built by clicks,
// saved and loaded back; a typed program run tick by tick to its end; a recording made by keys,
// saved, loaded and replayed; and which timers may run as a run, recording mode and a replay take
// turns.
#include "support/scripted_front_end.h"
#include "world/world_file.h"

#include <QTest>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

QStringList List(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts)
        list << QString::fromStdString(text);
    return list;
}

QString Text(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

void Click(SessionFixture& f, EditorButton button, unsigned modifiers, int column, int row) {
    f.Session().World.FeldEditorDrawGridMouseDown(button, modifiers, column, row);
}

// The figure placed by a Ctrl-click and the world saved, so that every run starts there.
void PlaceAndSave(SessionFixture& f, int column, int row) {
    Click(f, EditorButton::Left, CtrlKey, column, row);
    f.Ui.ChooseNext(f.PathOf("start.wlt"));
    f.Session().World.AFspeichernunterMenuItemClick();
    f.Ui.ClearLog();
}

// The timers running now: "M" MoveTimer, "S" StepTimer, "A" AufzTimer, "-" none.
QString Running(const ScriptedFrontEnd& ui) {
    QString running;
    if (ui.IsRunning(Timer::Move)) running += QLatin1Char('M');
    if (ui.IsRunning(Timer::Step)) running += QLatin1Char('S');
    if (ui.IsRunning(Timer::Aufz)) running += QLatin1Char('A');
    return running.isEmpty() ? QStringLiteral("-") : running;
}

const std::u16string kEndless = u"program kreisel;\nbegin\n  while vorne_frei do\n    drehe_links;\nend.";
const std::u16string kTwoTurns = u"procedure zwei;\nbegin\n  drehe_links;\n  drehe_links;\nend;\n";

} // namespace

class TestSession : public QObject {
    Q_OBJECT
private slots:
    void aWorldBuiltByClicksIsSavedAndLoadedBack() {
        SessionFixture f;
        Click(f, EditorButton::Left, NoModifier, 4, 4);         // a wall
        Click(f, EditorButton::Left, ShiftKey, 6, 4);           // one portion
        Click(f, EditorButton::Left, ShiftKey, 6, 4);           // two
        Click(f, EditorButton::Right, ShiftKey, 7, 4);          // nine, wrapped from none
        Click(f, EditorButton::Left, CtrlKey, 5, 5);            // the figure, facing east
        Click(f, EditorButton::Left, CtrlKey, 5, 5);            // turned north
        Click(f, EditorButton::Left, CtrlKey | ShiftKey, 1, 1); // a border cell changes nothing
        f.Ui.StockEdit.WriteStock(12);
        QVERIFY(f.Ui.View.Differences(CurrentWorld(f)).empty());
        const World built = CurrentWorld(f);
        QCOMPARE(built.Cells[CellIndex(4, 4)], kWall);
        QCOMPARE(built.Cells[CellIndex(6, 4)], 2);
        QCOMPARE(built.Cells[CellIndex(7, 4)], kMaxFood);
        QCOMPARE(int(built.Orientation), int(North));

        const std::string path = f.PathOf("gebaut");
        f.Ui.ChooseNext(path); // without an extension: the filter's is added
        f.Session().World.AFspeichernunterMenuItemClick();
        QVERIFY(f.Ui.IsEnabled(Command::AFspeichern));
        QCOMPARE(QString::fromStdString(f.Ui.Saves.back().Path), QString::fromStdString(path + ".wlt"));
        QCOMPARE(f.Ui.Saves.back().Bytes.size(), kWorldFileSize);

        f.Session().World.NeuAFMenuItemClick(); // saved: no question
        QVERIFY(!CurrentWorld(f).StartPlaced);
        QVERIFY(!f.Ui.IsEnabled(Command::AFspeichern));
        f.Ui.StockEdit.WriteStock(0);
        f.Ui.ChooseNext(path + ".wlt");
        f.Session().World.AFladenMenuItemClick();

        const World& loaded = CurrentWorld(f);
        QVERIFY(loaded.Cells == built.Cells);
        QCOMPARE(loaded.StartColumn, 5);
        QCOMPARE(loaded.StartRow, 5);
        QCOMPARE(int(loaded.Orientation), int(North));
        QVERIFY(loaded.StartPlaced && !loaded.WorldModified);
        QCOMPARE(f.Ui.StockEdit.ReadStock(), 12);
        QCOMPARE(QString::fromStdString(f.Ui.Panel(FilePanel::World)),
                 QString::fromStdString("Welt: " + path + ".wlt"));
        QVERIFY(f.Ui.View.Differences(loaded).empty());
        QCOMPARE(List(f.Ui.Log), QStringList({"save: Nibbos Welt speichern", "open: Nibbos Welt laden"}));
    }

    void aTypedProgramRunsTickByTickToItsEnd() {
        SessionFixture f;
        Click(f, EditorButton::Left, CtrlKey, 3, 3);
        const std::u16string program = u"program p;\nbegin\n  vor;\n  drehe_links;\n  vor;\nend.";
        f.Ui.Type(program);
        QVERIFY(ProgramsOf(f).Modified);

        // The world was edited: No to the reset offers to save it first, and the run starts on it.
        f.Ui.AnswerNext(false);
        f.Ui.ChooseNext(f.PathOf("welt.wlt"));
        f.Session().Run.RunSpeedButtonClick();
        QVERIFY(!f.Ui.IsEnabled(Control::Editor) && !f.Ui.IsEnabled(Control::WorldView) &&
                !f.Ui.IsEnabled(Control::StockField));
        f.Ui.Type(u"x"); // the locked editor takes nothing
        QCOMPARE(Text(f.Ui.EditorText()), Text(program));

        QVERIFY(f.Ui.TickUntilIdle(1000) < 1000);
        QCOMPARE(List(f.Ui.Log), QStringList({"question: Nibbos Welt wurde verändert! Zurücksetzen?",
                                              "save: Nibbos Welt speichern", "message: Programm beendet!"}));
        const World& world = CurrentWorld(f);
        QCOMPARE(world.StartColumn, 4);
        QCOMPARE(world.StartRow, 2);
        QCOMPARE(int(world.Orientation), int(North));
        QVERIFY(f.Ui.View.Differences(world).empty());
        QVERIFY(f.Ui.IsEnabled(Control::Editor) && f.Ui.IsEnabled(Control::WorldView));
        // The caret stays at the program's end, nothing selected.
        QCOMPARE(f.Ui.EditorSelLength(), 0);
        QCOMPARE(f.Ui.EditorSelStart(), int(program.find(u"end.") + 5)); // five line breaks before it
        QVERIFY(f.Ui.MessageList.empty());
    }

    void aRecordingByKeysIsSavedLoadedAndReplayed() {
        SessionFixture f;
        PlaceAndSave(f, 5, 5);
        RecordingControl& recording = f.Session().Recording;
        recording.AufzmodusanMenuItemClick();
        QVERIFY(!f.Ui.IsEnabled(Command::ProgrammMenu) && !f.Ui.IsEnabled(Command::RunButton));
        recording.AufzstartenMenuItemClick();
        for (const char16_t key : std::u16string_view(u"vdvd"))
            f.Ui.PressKey(key, false);
        recording.AufzbeendenMenuItemClick();
        const std::u16string made = f.Ui.EditorText();
        QCOMPARE(Text(made), QStringLiteral("procedure aufzeichnung;\nbegin\n  vor;\n  drehe_links;\n  vor;\n"
                                            "  drehe_links;\nend;\n"));
        const World byHand = CurrentWorld(f);
        QCOMPARE(byHand.StartColumn, 6);
        QCOMPARE(byHand.StartRow, 4);

        f.Ui.ChooseNext(f.PathOf("weg"));
        recording.AufzspeichernunterMenuItemClick();
        QCOMPARE(QString::fromStdString(f.Ui.Panel(FilePanel::Program)),
                 QString::fromStdString("Aufz.: " + f.PathOf("weg.afz")));
        recording.AufzmodusanMenuItemClick(); // ended and saved: no question
        recording.AufzmodusanMenuItemClick();
        QVERIFY(f.Ui.EditorText().empty());
        f.Ui.ChooseNext(f.PathOf("weg.afz"));
        recording.AufzladenMenuItemClick();
        QCOMPARE(Text(f.Ui.EditorText()), Text(made));

        recording.AufzwiederholenMenuItemClick();
        QVERIFY(f.Ui.IsRunning(Timer::Aufz));
        QVERIFY(f.Ui.TickUntilIdle(100) < 100);
        QVERIFY(CurrentWorld(f).StartColumn == byHand.StartColumn &&
                CurrentWorld(f).StartRow == byHand.StartRow);
        QVERIFY(f.Ui.View.Differences(CurrentWorld(f)).empty());
        QVERIFY(f.Ui.Messages.empty() && f.Ui.Errors.empty());
        QCOMPARE(f.Ui.Unscripted, 0);
    }

    void timersFollowTheState_data() {
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("timers"); // the timers running after each event
        QTest::newRow("no run tick after Stopp") << "run tick stop tick"
                                                 << "M S - -";
        QTest::newRow("recording mode ends a run") << "run tick mode tick"
                                                   << "M S - -";
        QTest::newRow("a replay after a run, alone") << "run mode recording replay tick"
                                                     << "M - - A A";
        QTest::newRow("switching the mode off ends the replay") << "mode recording replay mode tick"
                                                                << "- - A - -";
        QTest::newRow("a new world ends a run") << "run tick newWorld"
                                                << "M S -";
        QTest::newRow("a new program ends a run") << "run newProgram"
                                                  << "M -";
        QTest::newRow("loading a program ends a run, cancelled too") << "run loadProgram"
                                                                     << "M -";
        QTest::newRow("a cancelled world dialog leaves the run") << "run tick loadWorld tick"
                                                                 << "M S S S";
        QTest::newRow("continued after a single step") << "step pause tick pause"
                                                       << "- M M -";
    }

    void timersFollowTheState() {
        QFETCH(QString, events);
        QFETCH(QString, timers);
        SessionFixture f(kEndless);
        PlaceAndSave(f, 5, 5);
        NibboSession& s = f.Session();
        const std::map<QString, std::function<void()>> act = {
            {"run", [&] { s.Run.RunSpeedButtonClick(); }},
            {"pause", [&] { s.Run.PauseSpeedButtonClick(); }},
            {"step", [&] { s.Run.StepSpeedButtonClick(); }},
            {"stop", [&] { s.Run.StopSpeedButtonClick(); }},
            {"tick", [&] { f.Ui.TickNext(); }},
            {"mode", [&] { s.Recording.AufzmodusanMenuItemClick(); }},
            {"recording", [&] { f.Ui.Type(kTwoTurns); }},
            {"replay", [&] { s.Recording.AufzwiederholenMenuItemClick(); }},
            {"newWorld", [&] { s.World.NeuAFMenuItemClick(); }},
            {"newProgram", [&] { s.Programs.NeuPrgMenuItemClick(); }},
            {"loadProgram", [&] { s.Programs.PrgladenMenuItemClick(); }},
            {"loadWorld", [&] { s.World.AFladenMenuItemClick(); }},
        };
        QStringList seen;
        for (const QString& event : events.split(QLatin1Char(' '))) {
            f.Ui.AnswerNext(true); // a question about the typed program before recording mode
            act.at(event)();
            f.Ui.Answers.clear();
            seen << Running(f.Ui);
        }
        QCOMPARE(seen.join(QLatin1Char(' ')), timers);
        QVERIFY(f.Ui.Messages.empty());
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "test_session.moc"
