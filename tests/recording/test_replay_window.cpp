// The replay through the real window: starting it with its checks and questions, one instruction
// per tick of AufzTimer with the caret and selection in the memo, and every way it ends.
#include "recording_helpers.h"
#include "world/world_view.h"

#include <QElapsedTimer>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

const QString kNoFigure = QStringLiteral("Wo ist Nibbo?!");
const QString kFormat = QStringLiteral("Fehler im Aufzeichnungsformat!");
const QString kWorldChanged = QStringLiteral("Nibbos Welt wurde verändert! Zurücksetzen?");

// The memo's selection as "start length text".
QString Selection(const TNibboForm& form) {
    return QStringLiteral("%1 %2 %3")
        .arg(form.PrgMemo->SelStart())
        .arg(form.PrgMemo->SelLength())
        .arg(form.PrgMemo->textCursor().selectedText());
}

// Ticks until the timer stops, each tick's selection in a list (at most 100 ticks).
QStringList TickToEnd(TNibboForm& form) {
    QStringList selections;
    for (int i = 0; i < 100 && form.AufzTimer->isActive(); ++i) {
        form.Session().Recording.AufzTimerTimer();
        selections << Selection(form);
    }
    return selections;
}

QImage Drawn(const TNibboForm& form) {
    return form.FeldEditorDrawGrid->Surface().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestReplayWindow : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString startFolder_;

private slots:
    void initTestCase() { startFolder_ = QDir::currentPath(); }
    void init() { QVERIFY(QDir::setCurrent(dir_.path())); }
    void cleanupTestCase() { QDir::setCurrent(startFolder_); }

    void aHandMadeRecordingReplaysTheSameMovesFromTheStoredWorld() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        SetCell(CurrentWorld(form), 6, 5, 2);
        ModeOnWithFigure(form, 5, 5, East);
        form.Session().Recording.AufzstartenMenuItemClick();
        Type(form, "vndvg");
        form.Session().Recording.AufzbeendenMenuItemClick();
        const World recorded = CurrentWorld(form);
        const int stock = form.ItemsSpinEdit->value();
        QCOMPARE(stock, 0);

        form.Session().Recording.AufzwiederholenMenuItemClick();
        // The world was reset to the stored one: the figure back on its start, the food back.
        QCOMPARE(CurrentWorld(form).StartColumn, 5);
        QCOMPARE(CellAt(CurrentWorld(form), 6, 5), 2);
        QVERIFY(form.AufzTimer->isActive());
        QCOMPARE(form.AufzTimer->interval(), 150); // the first tick comes after the old interval
        QCOMPARE(RecordingItems(form), QStringLiteral("000000"));

        // Each tick selects its instruction: "vor" after the two leading blanks of its line.
        QCOMPARE(TickToEnd(form), (QStringList{"34 3 vor", "42 8 nimm_auf", "55 11 drehe_links", "71 3 vor",
                                               "79 6 gib_ab", "88 0 "}));
        QVERIFY(!form.AufzTimer->isActive());
        QVERIFY(f.Dialogs->Log.isEmpty()); // a normal end shows nothing
        QCOMPARE(RecordingItems(form), QStringLiteral("111101"));
        QVERIFY(CurrentWorld(form).Cells == recorded.Cells);
        QCOMPARE(CurrentWorld(form).StartColumn, recorded.StartColumn);
        QCOMPARE(CurrentWorld(form).StartRow, recorded.StartRow);
        QCOMPARE(CurrentWorld(form).Orientation, recorded.Orientation);
        QCOMPARE(form.ItemsSpinEdit->value(), stock);
        QVERIFY(!CurrentWorld(form).WorldModified);
        // Drawn cell by cell exactly as a repaint draws it.
        const QImage drawn = Drawn(form);
        form.Session().FormPaint();
        QCOMPARE(drawn, Drawn(form));
    }

    void theTimerFollowsTheSpeedSlider_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("interval");
        QTest::newRow("0") << 0 << 1;
        QTest::newRow("5") << 5 << 401;
        QTest::newRow("10") << 10 << 801;
    }

    void theTimerFollowsTheSpeedSlider() {
        QFETCH(int, position);
        QFETCH(int, interval);
        FormFixture f;
        TNibboForm& form = *f.Form;
        ModeOnWithFigure(form);
        form.PrgMemo->setPlainText(QStringLiteral("procedure a; begin drehe_links; drehe_links; end;"));
        form.Session().Recording.AufzwiederholenMenuItemClick();
        form.SpeedTrackBar->setValue(position);
        form.Session().Recording.AufzTimerTimer();
        QCOMPARE(form.AufzTimer->interval(), interval);
        QVERIFY(form.AufzTimer->isActive());
        // The next replay starts with the interval the last tick set.
        form.SpeedTrackBar->setValue(3);
        TickToEnd(form);
        QCOMPARE(form.AufzTimer->interval(), 241);
        form.Session().Recording.AufzwiederholenMenuItemClick();
        QCOMPARE(form.AufzTimer->interval(), 241);
    }

    void theTimerRunsTheReplayByItself() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        ModeOnWithFigure(form, 3, 3, South);
        form.PrgMemo->setPlainText(QStringLiteral("procedure a;\nbegin\n  vor;\n  vor;\n  vor;\nend;\n"));
        form.SpeedTrackBar->setValue(0);
        form.AufzTimer->setInterval(1);
        form.Session().Recording.AufzwiederholenMenuItemClick();
        QTRY_VERIFY(!form.AufzTimer->isActive());
        QCOMPARE(CurrentWorld(form).StartRow, 6);
        QVERIFY(f.Dialogs->Log.isEmpty());
        QCOMPARE(form.PrgMemo->SelStart(), 45); // on "end"
    }

    void handEditedRecordings_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("selections");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<int>("column"); // where the figure ends, from (5, 5) facing east
        const QStringList none;
        QTest::newRow("capitals, two on a line")
            << "PROCEDURE AUFZ; BEGIN\nVor;DREHE_links;\nEND;"
            << QStringList{"23 3 Vor", "27 11 DREHE_links", "41 0 "} << none << 6;
        QTest::newRow("no end") << "procedure a;\nbegin\n  vor;\n  vor;\n"
                                << QStringList{"23 3 vor", "31 3 vor", "31 3 vor"}
                                << QStringList{"message: " + kFormat} << 7;
        QTest::newRow("end with a dot")
            << "procedure a;\nbegin\n  vor;\nend." << QStringList{"23 3 vor", "23 3 vor"}
            << QStringList{"message: " + kFormat} << 6;
        QTest::newRow("a word after end") << "procedure a;\nbegin\nend;\nvor;" << QStringList{"21 0 "}
                                          << QStringList{"message: " + kFormat} << 5;
        QTest::newRow("a tab before an instruction")
            << "procedure a;\nbegin\n\tvor;\nend;" << QStringList{"21 0 "}
            << QStringList{"message: " + kFormat} << 5;
        QTest::newRow("blank lines") << "\n\nprocedure a;\n\n   \nbegin\n\n  vor ;\n\nend\n;\n\n  \n"
                                     << QStringList{"36 3 vor", "45 0 "} << none << 6;
    }

    void handEditedRecordings() {
        QFETCH(QString, text);
        QFETCH(QStringList, selections);
        QFETCH(QStringList, log);
        QFETCH(int, column);
        FormFixture f;
        TNibboForm& form = *f.Form;
        ModeOnWithFigure(form);
        form.PrgMemo->setPlainText(text);
        form.Session().Recording.AufzwiederholenMenuItemClick();
        QVERIFY(form.AufzTimer->isActive());
        QCOMPARE(TickToEnd(form), selections);
        QCOMPARE(f.Dialogs->Log, log);
        QCOMPARE(CurrentWorld(form).StartColumn, column);
        QCOMPARE(RecordingItems(form), QStringLiteral("111101"));
    }

    void refusedHeadersResetTheWorldAndStartNothing_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("a program") << "program p;\nbegin\n  vor;\nend."
                                   << "Kein Aufzeichnungsformat!";
        QTest::newRow("named vor") << "procedure vor;\nbegin\nend;"
                                   << QString::fromUtf8("Kein gültiger Bezeichner!");
    }

    void refusedHeadersResetTheWorldAndStartNothing() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        FormFixture f;
        TNibboForm& form = *f.Form;
        ModeOnWithFigure(form);
        CurrentWorld(form).StartColumn = 9; // moved by hand control since the world was stored
        form.PrgMemo->setPlainText(text);
        form.Session().Recording.AufzwiederholenMenuItemClick();
        QCOMPARE(f.Dialogs->Log, QStringList{"message: " + message});
        QCOMPARE(CurrentWorld(form).StartColumn, 5);
        QVERIFY(!form.AufzTimer->isActive());
        QCOMPARE(RecordingItems(form), QStringLiteral("111100"));
    }

    void whenTheReplayDoesNotStart() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        form.Session().Recording.AufzmodusanMenuItemClick();
        // An empty memo without a figure: only the missing figure is reported.
        form.Session().Recording.AufzwiederholenMenuItemClick();
        QCOMPARE(f.Dialogs->Log, QStringList{"message: " + kNoFigure});

        // An empty memo with a figure: nothing at all, the world not even reset.
        f.Dialogs->Clear();
        PlaceFigure(form, 5, 5, East);
        form.Session().Recording.AufzwiederholenMenuItemClick();
        QVERIFY(f.Dialogs->Log.isEmpty());
        QVERIFY(CurrentWorld(form).StartPlaced);
        QVERIFY(!form.AufzTimer->isActive());

        // During a recording: nothing.
        form.Session().Recording.AufzstartenMenuItemClick();
        form.Session().Recording.AufzwiederholenMenuItemClick();
        QVERIFY(f.Dialogs->Log.isEmpty());
        QVERIFY(!form.AufzTimer->isActive());
        QVERIFY(CurrentWorld(form).StartPlaced);

        // A stored world without a start: reset first, then the figure is missing.
        form.Session().Recording.AufzbeendenMenuItemClick();
        form.Session().Recording.AufzwiederholenMenuItemClick();
        QCOMPARE(f.Dialogs->Log, QStringList{"message: " + kNoFigure});
        QVERIFY(!CurrentWorld(form).StartPlaced);
        QVERIFY(!form.AufzTimer->isActive());
    }

    void anEditedWorldIsAskedAbout_data() {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("save");
        QTest::addColumn<int>("wallAfter"); // the edited cell after the reset
        QTest::newRow("Ja: the edits are dropped") << true << false << 0;
        QTest::newRow("Nein, saved: the edits stay") << false << true << int(kWall);
        QTest::newRow("Nein, cancelled: the edits are dropped") << false << false << 0;
    }

    void anEditedWorldIsAskedAbout() {
        QFETCH(bool, answer);
        QFETCH(bool, save);
        QFETCH(int, wallAfter);
        FormFixture f;
        TNibboForm& form = *f.Form;
        ModeOnWithFigure(form);
        form.PrgMemo->setPlainText(QStringLiteral("procedure a; begin vor; end;"));
        form.FeldEditorDrawGridMouseDown(Qt::LeftButton, Qt::NoModifier, TWorldGrid::CellRect(9, 9).center());
        QVERIFY(CurrentWorld(form).WorldModified);
        f.Dialogs->AnswerNext(answer);
        if (save)
            f.Dialogs->ChooseNext(dir_.filePath(QStringLiteral("welt.wlt")));
        else if (!answer)
            f.Dialogs->CancelNext();
        form.Session().Recording.AufzwiederholenMenuItemClick();
        QStringList expected{"question: " + kWorldChanged};
        if (!answer) expected << QStringLiteral("save: Nibbos Welt speichern");
        QCOMPARE(f.Dialogs->Log, expected);
        QCOMPARE(CellAt(CurrentWorld(form), 9, 9), wallAfter);
        QVERIFY(!CurrentWorld(form).WorldModified);
        QVERIFY(form.AufzTimer->isActive());
    }

    void aFailingActionStopsTheReplay() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        SetCell(CurrentWorld(form), 6, 5, 1);
        ModeOnWithFigure(form);
        form.Session().Recording.AufzstartenMenuItemClick();
        Type(form, "vnn"); // the second n finds no food
        form.Session().Recording.AufzbeendenMenuItemClick();
        f.Dialogs->Clear();
        form.Session().Recording.AufzwiederholenMenuItemClick();
        QCOMPARE(TickToEnd(form), (QStringList{"34 3 vor", "42 8 nimm_auf", "55 8 nimm_auf"}));
        QCOMPARE(f.Dialogs->Log, QStringList{QString::fromUtf8("message: Es ist keine Futter vorhanden!")});
        QVERIFY(!form.AufzTimer->isActive());
        QCOMPARE(RecordingItems(form), QStringLiteral("111101"));
        QCOMPARE(CurrentWorld(form).StartColumn, 6);
        QCOMPARE(form.ItemsSpinEdit->value(), 1);
    }

    void theFigureRemovedDuringTheReplay() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        SetCell(CurrentWorld(form), 6, 5, 3);
        ModeOnWithFigure(form);
        form.PrgMemo->setPlainText(QStringLiteral("procedure a;\nbegin\n  vor;\n  nimm_auf;\n  vor;\nend;"));
        form.Session().Recording.AufzwiederholenMenuItemClick();
        form.Session().Recording.AufzTimerTimer();
        form.FeldEditorDrawGridMouseDown(Qt::RightButton, Qt::NoModifier,
                                         TWorldGrid::CellRect(6, 5).center());
        QVERIFY(!CurrentWorld(form).StartPlaced);
        const World before = CurrentWorld(form);
        const QImage drawn = Drawn(form);
        form.Session().Recording.AufzTimerTimer();
        QCOMPARE(f.Dialogs->Log, QStringList{"message: " + kNoFigure});
        QVERIFY(!form.AufzTimer->isActive());
        QCOMPARE(Selection(form), QStringLiteral("31 8 nimm_auf"));
        QVERIFY(CurrentWorld(form).Cells == before.Cells);
        QCOMPARE(CurrentWorld(form).StartColumn, 6);
        QCOMPARE(form.ItemsSpinEdit->value(), 0);
        QCOMPARE(RecordingItems(form), QStringLiteral("111101"));
        form.Session().FormPaint();
        QCOMPARE(Drawn(form), drawn);
    }

    void switchingTheModeOffEndsTheReplaySilently() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        ModeOnWithFigure(form);
        form.PrgMemo->setPlainText(QStringLiteral("procedure a; begin vor; vor; end;"));
        form.Session().Recording.AufzwiederholenMenuItemClick();
        form.Session().Recording.AufzTimerTimer();
        form.Session().Recording.AufzmodusanMenuItemClick();
        QVERIFY(f.Dialogs->Log.isEmpty());
        QVERIFY(!form.AufzTimer->isActive());
        QCOMPARE(RecordingItems(form), QStringLiteral("000000"));
        QCOMPARE(CurrentWorld(form).StartColumn, 6);
        QVERIFY(form.PrgMemo->Lines().isEmpty());
    }

    void editingTheMemoDuringTheReplayChangesNothingOfIt() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        ModeOnWithFigure(form);
        form.PrgMemo->setPlainText(QStringLiteral("procedure a;\nbegin\n  vor;\n  vor;\n  vor;\nend;"));
        form.Session().Recording.AufzwiederholenMenuItemClick();
        form.Session().Recording.AufzTimerTimer();
        form.PrgMemo->setPlainText(QStringLiteral("x"));
        QCOMPARE(TickToEnd(form).size(), 3);
        QVERIFY(f.Dialogs->Log.isEmpty());
        QCOMPARE(CurrentWorld(form).StartColumn, 8);
        QCOMPARE(form.PrgMemo->Lines(), QStringList{"x"});
    }
};

QTEST_MAIN(TestReplayWindow)
#include "test_replay_window.moc"
