// The replay reader in the core: the header check, one instruction per tick with its caret and
// selection, every way a replay ends, and what the instructions do to the world.
#include "../world/recording_canvas.h"
#include "recording/replay.h"

#include <QTest>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

// A walled world with food under the figure at (5, 5), facing east, stock 1.
struct Scene {
    World world;
    PlainStockField stock;
    RecordingCanvas canvas;
    Stage stage{world, stock, canvas, 0};
    ReplayState replay;

    Scene() {
        ClearWorld(world);
        world.StartColumn = 5;
        world.StartRow = 5;
        world.StartPlaced = true;
        SetCell(world, 5, 5, 2);
        stock.WriteStock(1);
    }
};

SourceLines Lines(const QStringList& lines) {
    SourceLines result;
    for (const QString& line : lines)
        result.push_back(line.toLatin1().toStdString());
    return result;
}

QString EndName(ReplayEnd end) {
    switch (end) {
    case ReplayEnd::None:
        return QStringLiteral("goes on");
    case ReplayEnd::Normal:
        return QStringLiteral("normal");
    case ReplayEnd::FormatError:
        return QStringLiteral("format");
    case ReplayEnd::ActionFailed:
        return QStringLiteral("action");
    case ReplayEnd::NoFigure:
        return QStringLiteral("no figure");
    }
    return {};
}

// Every tick until the replay ends: "word caret length" for a tick that places the caret, "word -"
// for one that does not, and last the way it ended with its message.
QStringList RunToEnd(Scene& s) {
    QStringList trace;
    for (int ticks = 0; ticks < 1000; ++ticks) {
        const ReplayTick tick = ReplayStep(s.replay, s.stage);
        QString line = QString::fromLatin1(tick.Word.c_str());
        line += tick.PlacesCaret ? QStringLiteral(" %1 %2").arg(tick.Caret).arg(tick.SelectionLength)
                                 : QStringLiteral(" -");
        trace << line;
        if (tick.End != ReplayEnd::None) {
            trace << EndName(tick.End) + QStringLiteral(": ") + QString::fromUtf8(tick.Message.c_str());
            return trace;
        }
        if (!tick.Message.empty()) trace << QStringLiteral("message while going on");
    }
    trace << QStringLiteral("never ended");
    return trace;
}

} // namespace

class TestReplay : public QObject {
    Q_OBJECT
private slots:
    void theHeaderIsCheckedWhenTheReplayStarts_data() {
        QTest::addColumn<QStringList>("text");
        QTest::addColumn<int>("header");
        const int ok = int(ReplayHeader::Accepted);
        const int noRecording = int(ReplayHeader::NoRecording);
        const int badName = int(ReplayHeader::InvalidName);
        QTest::newRow("made by hand") << QStringList{"procedure aufzeichnung;", "begin"} << ok;
        QTest::newRow("capitals on one line") << QStringList{"PROCEDURE Weg_1 ; BEGIN"} << ok;
        QTest::newRow("spread over lines")
            << QStringList{"", "  procedure", "", "x", ";", "   ", "begin"} << ok;
        QTest::newRow("name begin") << QStringList{"procedure begin; begin"} << ok;
        QTest::newRow("name a keyword") << QStringList{"procedure while; begin"} << ok;
        QTest::newRow("a program") << QStringList{"program p;", "begin", "  vor;", "end."} << noRecording;
        QTest::newRow("empty text") << QStringList{} << noRecording;
        QTest::newRow("comment first") << QStringList{"{ x } procedure a; begin"} << noRecording;
        QTest::newRow("tab first") << QStringList{"\tprocedure a; begin"} << noRecording;
        QTest::newRow("procedure; glued") << QStringList{"procedure;"} << badName;
        QTest::newRow("name vor") << QStringList{"procedure vor; begin"} << badName;
        QTest::newRow("name drehe_links") << QStringList{"procedure drehe_links; begin"} << badName;
        QTest::newRow("name nimm_auf") << QStringList{"procedure nimm_auf; begin"} << badName;
        QTest::newRow("name gib_ab") << QStringList{"procedure gib_ab; begin"} << badName;
        QTest::newRow("name end") << QStringList{"procedure end; begin"} << badName;
        QTest::newRow("name from a digit") << QStringList{"procedure 1a; begin"} << badName;
        QTest::newRow("name with umlaut")
            << QStringList{QString::fromUtf8("procedure wäg; begin")} << badName;
        QTest::newRow("no name") << QStringList{"procedure"} << badName;
        QTest::newRow("no ;") << QStringList{"procedure a begin"} << badName;
        QTest::newRow("a word for the ;") << QStringList{"procedure a : begin"} << badName;
        QTest::newRow("no begin") << QStringList{"procedure a;", "vor;"} << badName;
        QTest::newRow("begin; glued") << QStringList{"procedure a; begin;"} << ok;
    }

    void theHeaderIsCheckedWhenTheReplayStarts() {
        QFETCH(QStringList, text);
        QFETCH(int, header);
        Scene s;
        s.replay.Position.LineIndex = 3; // left over from an earlier replay
        QCOMPARE(int(StartReplay(s.replay, Lines(text))), header);
        QCOMPARE(s.replay.Lines, Lines(text));
        QVERIFY(s.canvas.Calls.empty());
    }

    void ticksUntilTheEnd_data() {
        QTest::addColumn<QStringList>("text");
        QTest::addColumn<QStringList>("trace");
        const QString format = QStringLiteral("format: Fehler im Aufzeichnungsformat!");
        // "procedure aufzeichnung;" and "begin" take 25 + 7 characters with their line breaks.
        QTest::newRow("made by hand")
            << QStringList{"procedure aufzeichnung;", "begin", "  nimm_auf;", "  gib_ab;", "  vor;",
                           "  drehe_links;",          "end;"}
            << QStringList{"nimm_auf 34 8",     "gib_ab 47 6", "vor 58 3",
                           "drehe_links 66 11", "end 80 0",    "normal: "};
        QTest::newRow("a semicolon after end")
            << QStringList{"procedure a; begin end;;"} << QStringList{"end 19 0", format};
        QTest::newRow("no semicolon")
            << QStringList{"procedure a; begin", "vor", "vor;"} << QStringList{"vor -", format};
        QTest::newRow("a word that is no instruction")
            << QStringList{"procedure a; begin", "  vor;", "  links;", "  vor;"}
            << QStringList{"vor 22 3", "links 30 0", format};
        QTest::newRow("a comment") << QStringList{"procedure a; begin", "{ vor }", "vor;"}
                                   << QStringList{"{ -", format};
        QTest::newRow("a program's instructions")
            << QStringList{"procedure a; begin", "if vorne_frei then vor;"} << QStringList{"if -", format};
        QTest::newRow("header only") << QStringList{"procedure a; begin"} << QStringList{" -", format};
    }

    void ticksUntilTheEnd() {
        QFETCH(QStringList, text);
        QFETCH(QStringList, trace);
        Scene s;
        QCOMPARE(StartReplay(s.replay, Lines(text)), ReplayHeader::Accepted);
        QCOMPARE(RunToEnd(s), trace);
    }

    void aFailingActionEndsTheReplayWithItsOwnWording_data() {
        QTest::addColumn<QString>("instruction");
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("stock");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QString>("message");
        QTest::newRow("no food") << "nimm_auf" << 0 << 3 << 0
                                 << QString::fromUtf8("Es ist keine Futter vorhanden!");
        QTest::newRow("full cell first")
            << "gib_ab" << 9 << 0 << 0 << QString::fromUtf8("Das Feld ist bereits voll!");
        QTest::newRow("no stock") << "gib_ab" << 3 << 0 << 0 << QString::fromUtf8("Der Vorrat ist alle!");
        QTest::newRow("wall") << "vor" << 0 << 0 << 1
                              << QString::fromUtf8("Nibbo ist gegen eine Mauer gelaufen!");
    }

    void aFailingActionEndsTheReplayWithItsOwnWording() {
        QFETCH(QString, instruction);
        QFETCH(int, cell);
        QFETCH(int, stock);
        QFETCH(int, orientation);
        QFETCH(QString, message);
        Scene s;
        s.world.StartRow = 2; // north of it lies the border
        s.world.Orientation = uint8_t(orientation);
        SetCell(s.world, 5, 2, cell);
        s.stock.WriteStock(stock);
        const World before = s.world;
        StartReplay(s.replay, Lines({"procedure a; begin", instruction + ";", "end;"}));
        const ReplayTick tick = ReplayStep(s.replay, s.stage);
        QCOMPARE(tick.End, ReplayEnd::ActionFailed);
        QCOMPARE(QString::fromUtf8(tick.Message.c_str()), message);
        QVERIFY(tick.PlacesCaret);
        QCOMPARE(tick.Caret, 20);
        QCOMPARE(tick.SelectionLength, int(instruction.size()));
        QCOMPARE(s.world.Cells, before.Cells);
        QCOMPARE(s.world.StartColumn, before.StartColumn);
        QCOMPARE(s.world.StartRow, before.StartRow);
        QCOMPARE(s.world.Orientation, before.Orientation);
        QCOMPARE(s.stock.ReadStock(), stock);
    }

    void aTickWithoutAFigureEndsTheReplayAndTouchesNothing_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::newRow("removed by the editor") << 5 << 5;
        QTest::newRow("never placed") << 0 << 0;
    }

    void aTickWithoutAFigureEndsTheReplayAndTouchesNothing() {
        QFETCH(int, column);
        QFETCH(int, row);
        for (const char* instruction : {"vor", "drehe_links", "nimm_auf", "gib_ab"}) {
            Scene s;
            s.world.StartColumn = column;
            s.world.StartRow = row;
            StartReplay(s.replay,
                        Lines({"procedure a; begin", QString::fromLatin1(instruction) + ";", "end;"}));
            s.world.StartPlaced = false;
            const World before = s.world;
            const ReplayTick tick = ReplayStep(s.replay, s.stage);
            QCOMPARE(tick.End, ReplayEnd::NoFigure);
            QCOMPARE(tick.Message, std::string("Wo ist Nibbo?!"));
            QVERIFY(tick.PlacesCaret);
            QCOMPARE(tick.Caret, 20);
            QCOMPARE(s.world.Cells, before.Cells);
            QCOMPARE(s.world.StartColumn, column);
            QCOMPARE(s.world.Orientation, before.Orientation);
            QCOMPARE(s.stock.ReadStock(), 1);
            QVERIFY(s.canvas.Calls.empty());
        }
        // "end;" still ends normally without a figure.
        Scene s;
        StartReplay(s.replay, Lines({"procedure a; begin end;"}));
        s.world.StartPlaced = false;
        QCOMPARE(ReplayStep(s.replay, s.stage).End, ReplayEnd::Normal);
    }
};

QTEST_GUILESS_MAIN(TestReplay)
#include "test_replay.moc"
