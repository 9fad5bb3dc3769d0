// nibbo-batch replay, run as a process: the world it starts from, the header check, the trace of
// the ticks, every way the replay ends with its exit code, the saved result, and the usage.
#include "world/world_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "support/batch_process.h"

using namespace nibbo;

using namespace nibbo::testing;

namespace {

// A walled world with the figure at (5, 5) facing east, stock 1, two portions of food ahead of it
// on (6, 5) and a wall on (8, 5).
WorldRecord Garden() {
    World world;
    ClearWorld(world);
    SetCell(world, 6, 5, 2);
    SetCell(world, 8, 5, kWall);
    world.StartColumn = 5;
    world.StartRow = 5;
    PlainStockField stock;
    stock.WriteStock(1);
    WorldRecord record;
    StoreWorld(world, stock, record);
    return record;
}

const QByteArray kFormat = "Fehler im Aufzeichnungsformat!\n";

} // namespace

class TestBatchReplay : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString world_;

    QString Write(const QString& name, const QByteArray& bytes) {
        return WriteTestFile(dir_.filePath(name), bytes);
    }

    QByteArray Read(const QString& name) {
        QFile file(dir_.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase() { world_ = Write(QStringLiteral("garten.wlt"), Bytes(Garden())); }

    void replays_data() {
        QTest::addColumn<QByteArray>("recording");
        QTest::addColumn<QByteArray>("trace"); // the lines --trace adds
        QTest::addColumn<QByteArray>("last");
        QTest::addColumn<int>("exitCode");
        const QByteArray none;
        QTest::newRow("made by hand")
            << QByteArray("procedure aufzeichnung;\r\nbegin\r\n  vor;\r\n  nimm_auf;\r\n"
                          "  drehe_links;\r\nend;\r\n")
            << QByteArray("1 vor 34\n2 nimm_auf 42\n3 drehe_links 55\n4 end 69\n") << none << 0;
        QTest::newRow("LF only, no final break, capitals")
            << QByteArray("PROCEDURE Weg; BEGIN\nVor;NIMM_AUF;\n\n   \nEnd;")
            << QByteArray("1 vor 22\n2 nimm_auf 26\n3 end 44\n") << none << 0;
        QTest::newRow("lone CR") << QByteArray("procedure a;\rbegin\r  vor;\rend;\r")
                                 << QByteArray("1 vor 23\n2 end 29\n") << none << 0;
        QTest::newRow("no end") << QByteArray("procedure a;\r\nbegin\r\n  vor;\r\n")
                                << QByteArray("1 vor 23\n") << kFormat << 1;
        QTest::newRow("end with a dot")
            << QByteArray("procedure a;\r\nbegin\r\nend.") << none << kFormat << 1;
        QTest::newRow("a word after end") << QByteArray("procedure a;\r\nbegin\r\nend;\r\nvor;")
                                          << QByteArray("1 end 21\n") << kFormat << 1;
        QTest::newRow("a word with an umlaut, in UTF-8") << QByteArray("procedure a; begin\r\nw\xe4g;\r\n")
                                                         << QByteArray("1 w\xc3\xa4g 20\n") << kFormat << 1;
        QTest::newRow("a failing action in the replay's words")
            << QByteArray("procedure a; begin vor; nimm_auf; nimm_auf; nimm_auf; end;")
            << QByteArray("1 vor 19\n2 nimm_auf 24\n3 nimm_auf 34\n4 nimm_auf 44\n")
            << QByteArray("Es ist keine Futter vorhanden!\n") << 2;
        QTest::newRow("a program") << QByteArray("program p;\r\nbegin\r\n  vor;\r\nend.") << none
                                   << QByteArray("Kein Aufzeichnungsformat!\n") << 1;
        QTest::newRow("named vor") << QByteArray("procedure vor;\r\nbegin\r\nend;") << none
                                   << QByteArray("Kein g\xc3\xbcltiger Bezeichner!\n") << 1;
        QTest::newRow("no lines") << QByteArray() << none << none << 0;
    }

    void replays() {
        QFETCH(QByteArray, recording);
        QFETCH(QByteArray, trace);
        QFETCH(QByteArray, last);
        QFETCH(int, exitCode);
        const QString path = Write(QStringLiteral("r.afz"), recording);
        BatchResult result = RunBatch(
            {QStringLiteral("replay"), QStringLiteral("--world"), world_, QStringLiteral("--trace"), path});
        QCOMPARE(result.Out, trace + last);
        QCOMPARE(result.ExitCode, exitCode);
        QVERIFY(result.Err.isEmpty());
        // Without --trace only the last line is printed; options may follow the file.
        result = RunBatch({QStringLiteral("replay"), path, QStringLiteral("--world"), world_});
        QCOMPARE(result.Out, last);
        QCOMPARE(result.ExitCode, exitCode);
    }

    void withoutAStartNothingIsReplayed() {
        // The world of start-up has no start.
        for (const QByteArray& recording : {QByteArray(), QByteArray("procedure a; begin vor; end;")}) {
            const QString path = Write(QStringLiteral("ohne.afz"), recording);
            const BatchResult result = RunBatch({QStringLiteral("replay"), QStringLiteral("--trace"), path});
            QCOMPARE(result.Out, QByteArray("Wo ist Nibbo?!\n"));
            QCOMPARE(result.ExitCode, 3);
        }
    }

    void theResultIsSavedAsTheReplayLeftIt_data() {
        QTest::addColumn<QByteArray>("recording");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("food");
        QTest::addColumn<int>("stock");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("normal end") << QByteArray("procedure a; begin vor; nimm_auf; drehe_links; end;") << 6
                                    << 1 << 2 << 0;
        QTest::newRow("a failed action")
            << QByteArray("procedure a; begin vor; vor; vor; vor; end;") << 7 << 2 << 1 << 2;
        QTest::newRow("a format error")
            << QByteArray("procedure a; begin vor; vor; halt;") << 7 << 2 << 1 << 1;
        // Nothing replayed: the world is written all the same, as it was loaded.
        QTest::newRow("no lines") << QByteArray() << 5 << 2 << 1 << 0;
        QTest::newRow("a program") << QByteArray("program p; begin vor; end.") << 5 << 2 << 1 << 1;
    }

    void theResultIsSavedAsTheReplayLeftIt() {
        QFETCH(QByteArray, recording);
        QFETCH(int, column);
        QFETCH(int, food);
        QFETCH(int, stock);
        QFETCH(int, exitCode);
        const QString path = Write(QStringLiteral("s.afz"), recording);
        const QString result = dir_.filePath(QStringLiteral("ergebnis.wlt"));
        QFile::remove(result);
        const BatchResult run = RunBatch({QStringLiteral("replay"), QStringLiteral("--world"), world_,
                                          QStringLiteral("--save"), result, path});
        QCOMPARE(run.ExitCode, exitCode);
        const QByteArray saved = Read(QStringLiteral("ergebnis.wlt"));
        const WorldFileReading reading =
            DecodeWorldFile({reinterpret_cast<const uint8_t*>(saved.constData()), size_t(saved.size())});
        QVERIFY2(reading.Record, reading.Problem.c_str());
        QCOMPARE(reading.Record->StartColumn, column);
        QCOMPARE(reading.Record->StartRow, 5);
        QCOMPARE(reading.Record->Cells[CellIndex(6, 5)], food);
        QCOMPARE(reading.Record->Stock, stock);
        QCOMPARE(Read(QStringLiteral("garten.wlt")), Bytes(Garden())); // the world it started from stays
    }

    void filesAndUsage_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("err");
        const QByteArray usage = "Aufruf: nibbo-batch replay [--world WELT] [--trace] [--save ERGEBNIS] "
                                 "[--report BERICHT] AUFZEICHNUNG";
        QTest::newRow("no recording") << QStringList{"replay"} << 64 << usage;
        QTest::newRow("two recordings") << QStringList{"replay", "a.afz", "b.afz"} << 64 << usage;
        QTest::newRow("an unknown option") << QStringList{"replay", "--schnell", "a.afz"} << 64 << usage;
        QTest::newRow("--world without a value") << QStringList{"replay", "a.afz", "--world"} << 64 << usage;
        QTest::newRow("a missing recording")
            << QStringList{"replay", "fehlt.afz"} << 66 << QByteArray("fehlt.afz");
    }

    void filesAndUsage() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, err);
        const BatchResult result = RunBatch(arguments);
        QCOMPARE(result.ExitCode, exitCode);
        QVERIFY(result.Out.isEmpty());
        QVERIFY2(result.Err.contains(err), result.Err.constData());
    }

    void worldsThatCannotBeUsed() {
        const QString recording = Write(QStringLiteral("w.afz"), "procedure a; begin end;");
        BatchResult result = RunBatch(
            {QStringLiteral("replay"), QStringLiteral("--world"), dir_.filePath("fehlt.wlt"), recording});
        QCOMPARE(result.ExitCode, 66);
        QVERIFY(result.Out.isEmpty());
        const QString broken = Write(QStringLiteral("kaputt.wlt"), QByteArray(100, '\0'));
        result = RunBatch({QStringLiteral("replay"), QStringLiteral("--world"), broken, recording});
        QCOMPARE(result.ExitCode, 65);
        QVERIFY(result.Out.isEmpty());
        QVERIFY(result.Err.contains("kaputt.wlt"));
        // A result that cannot be written.
        result = RunBatch({QStringLiteral("replay"), QStringLiteral("--world"), world_,
                           QStringLiteral("--save"), dir_.filePath("nirgends/e.wlt"), recording});
        QCOMPARE(result.ExitCode, 73);
        QVERIFY(result.Err.contains("e.wlt"));
    }
};

QTEST_GUILESS_MAIN(TestBatchReplay)
#include "test_batch_replay.moc"
