// nibbo-batch for a whole class, run as a process: the help pages, many programs against one world
// (each from the world as loaded, a header line before each program's lines), the comparison with a
// goal world, a task folder's worlds each with its goal, and the exit codes that combine the
// programs' outcomes.
#include "world/world_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "support/batch_process.h"

using namespace nibbo;
using namespace nibbo::testing;

namespace {

const QByteArray kFinished = "Programm beendet!\n";
const QByteArray kIntoWall = "Nibbo ist gegen eine Mauer gelaufen!\n";
const QByteArray kNoFood = "Es ist kein Futter vorhanden!\n";

} // namespace

class TestBatchClass : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    void Write(const QString& name, const QByteArray& bytes) { WriteTestFile(dir_.filePath(name), bytes); }

    BatchResult Run(const QStringList& arguments) { return RunBatch(arguments, dir_.path()); }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        Write("task.wlt", Bytes(Task(), 0));
        Write("goal.wlt", Bytes(Solved(), 1));
        Write("solves.pas", Program("  vor;\r\n  nimm_auf;"));
        Write("only_walks.pas", Program("  vor;"));
        Write("turns.pas", Program("  vor;\r\n  nimm_auf;\r\n  drehe_links;"));
        Write("runs_into_wall.pas", Program("  vor;\r\n  nimm_auf;\r\n  vor;\r\n  vor;"));
        Write("faulty.pas", "program aufgabe;\r\nbegin\r\n  vor\r\n  vor;\r\nend.\r\n");
        Write("endless.pas", Program("  while vorne_frei or not vorne_frei do drehe_links;"));
        Write("short.wlt", "kurz");
        Write("weg.afz", "procedure weg;\r\nbegin\r\n  vor;\r\n  nimm_auf;\r\nend;\r\n");
        Write("halb.afz", "procedure weg;\r\nbegin\r\n  vor;\r\n");
        // A task whose third world wants the food left where it lies, in an order where "-2" comes
        // before "-10"; and folders that lack a world or a goal.
        for (const char* folder : {"aufgabe", "leer", "luecke", "kaputt"})
            QVERIFY(QDir(dir_.path()).mkdir(folder));
        for (const char* number : {"1", "2", "10"})
            Write(QStringLiteral("aufgabe/welt-%1.wlt").arg(number), Bytes(Task(), 0));
        Write("aufgabe/ziel-1.wlt", Bytes(Solved(), 1));
        Write("aufgabe/ziel-2.wlt", Bytes(Solved(), 1));
        World walked = Task();
        walked.StartColumn = 3;
        Write("aufgabe/ziel-10.wlt", Bytes(walked, 0));
        Write("luecke/welt-1.wlt", Bytes(Task(), 0));
        Write("luecke/ziel-2.wlt", Bytes(Solved(), 1));
        Write("kaputt/welt.wlt", "kurz");
        Write("kaputt/ziel.wlt", Bytes(Solved(), 1));
    }

    // --- Help ---

    void everyCommandHasAHelpPage_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("command");
        for (const char* command : {"syntax", "run", "replay", "render"}) {
            const QString name = QString::fromLatin1(command);
            QTest::addRow("%s --help", command) << QStringList{name, "--help"} << name;
            QTest::addRow("%s -h", command) << QStringList{name, "-h"} << name;
            QTest::addRow("help %s", command) << QStringList{"help", name} << name;
            QTest::addRow("%s with a file and --help", command)
                << QStringList{name, "x.pas", "--help"} << name;
        }
    }

    void everyCommandHasAHelpPage() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, command);
        const BatchResult result = Run(arguments);
        QCOMPARE(result.ExitCode, 0);
        QVERIFY(result.Err.isEmpty());
        QVERIFY2(result.Out.startsWith("Aufruf: nibbo-batch " + command.toUtf8() + ' '),
                 result.Out.constData());
        QVERIFY(result.Out.contains("Rückgabewert"));
    }

    void theOverviewListsEveryCommand() {
        const BatchResult result = Run({"--help"});
        QCOMPARE(result.ExitCode, 0);
        for (const char* command : {"\n  syntax PROGRAMM", "\n  run ", "\n  replay ", "\n  render "})
            QVERIFY2(result.Out.contains(command), command);
        // The page of run tells how the outcomes of many programs combine.
        const BatchResult run = Run({"run", "--help"});
        QVERIFY(run.Out.contains("--goal ZIEL"));
        QVERIFY(run.Out.contains("der größte"));
    }

    void helpAfterTheEndOfOptionsIsAFileName() {
        const BatchResult result = Run({"run", "--", "--help"});
        QCOMPARE(result.ExitCode, 66);
        QCOMPARE(
            result.Err,
            QByteArray("nibbo-batch: --help: Die Datei kann nicht geöffnet werden. Sie existiert nicht.\n"));
    }

    void helpForAnUnknownCommand() {
        const BatchResult result = Run({"help", "rennen"});
        QCOMPARE(result.ExitCode, 64);
        QVERIFY(result.Err.startsWith("nibbo-batch: unbekannter Befehl \"rennen\"\n"));
    }

    // --- Many programs ---

    void oneProgramPrintsNoHeader() {
        const BatchResult result = Run({"run", "--world", "task.wlt", "solves.pas"});
        QCOMPARE(result.ExitCode, 0);
        QCOMPARE(result.Out, kFinished);
    }

    // Each program starts from the world as loaded: the food that the first one ate is there again.
    void everyProgramStartsFromTheLoadedWorld() {
        const BatchResult result = Run({"run", "--world", "task.wlt", "solves.pas", "solves.pas"});
        QCOMPARE(result.ExitCode, 0);
        QCOMPARE(result.Out, "==> solves.pas <==\n" + kFinished + "\n==> solves.pas <==\n" + kFinished);
    }

    void manyProgramsWithEveryOutcome() {
        const BatchResult result = Run({"run", "--world", "task.wlt", "solves.pas", "runs_into_wall.pas",
                                        "faulty.pas", "missing.pas", "only_walks.pas"});
        QCOMPARE(result.Out, "==> solves.pas <==\n" + kFinished +               //
                                 "\n==> runs_into_wall.pas <==\n" + kIntoWall + //
                                 "\n==> faulty.pas <==\n3: \";\" erwartet!\n"   //
                                 "\n==> missing.pas <==\n"                      //
                                 "\n==> only_walks.pas <==\n" +
                                 kFinished);
        QCOMPARE(
            result.Err,
            QByteArray(
                "nibbo-batch: missing.pas: Die Datei kann nicht geöffnet werden. Sie existiert nicht.\n"));
        QCOMPARE(result.ExitCode, 66); // the largest of 0, 2, 1, 66 and 0
    }

    void exitCodesCombineToTheLargest_data() {
        QTest::addColumn<QStringList>("programs");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("all finished") << QStringList{"solves.pas", "only_walks.pas"} << 0;
        QTest::newRow("a syntax fault") << QStringList{"faulty.pas", "solves.pas"} << 1;
        QTest::newRow("a failed action after a fault")
            << QStringList{"faulty.pas", "runs_into_wall.pas", "solves.pas"} << 2;
        QTest::newRow("the step limit") << QStringList{"endless.pas", "runs_into_wall.pas"} << 3;
    }

    void exitCodesCombineToTheLargest() {
        QFETCH(QStringList, programs);
        QFETCH(int, exitCode);
        const BatchResult result =
            Run(QStringList{"run", "--world", "task.wlt", "--max-steps", "1000"} + programs);
        QCOMPARE(result.ExitCode, exitCode);
        QCOMPARE(result.Out.count("==> "), programs.size());
    }

    void savingIsForOneProgramOnly() {
        const BatchResult result =
            Run({"run", "--world", "task.wlt", "--save", "ergebnis.wlt", "solves.pas", "only_walks.pas"});
        QCOMPARE(result.ExitCode, 64);
        QVERIFY(result.Out.isEmpty());
        QVERIFY(!QFile::exists(dir_.filePath("ergebnis.wlt")));
    }

    // --- Goal ---

    void theGoalIsCompared_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("solved") << "solves.pas" << kFinished + "Aufgabe gelöst!\n" << 0;
        QTest::newRow("food left, nothing carried") << "only_walks.pas"
                                                    << kFinished + "Aufgabe nicht gelöst!\n"
                                                                   "  Nibbo trägt 0 Futter statt 1.\n"
                                                                   "  Feld (3, 2): 1 Futter statt Weg.\n"
                                                    << 4;
        QTest::newRow("facing another way")
            << "turns.pas"
            << kFinished + "Aufgabe nicht gelöst!\n  Nibbo schaut nach Norden statt nach Osten.\n"
            << 4;
        QTest::newRow("a failed action is no solution")
            << "runs_into_wall.pas"
            << kIntoWall + "Aufgabe nicht gelöst!\n"
                           "  Das Programm ist nicht bis \"end.\" gelaufen.\n"
                           "  Nibbo steht auf Feld (4, 2) statt auf Feld (3, 2).\n"
            << 2;
        QTest::newRow("no run, no verdict") << "faulty.pas" << QByteArray("3: \";\" erwartet!\n") << 1;
    }

    void theGoalIsCompared() {
        QFETCH(QString, program);
        QFETCH(QByteArray, output);
        QFETCH(int, exitCode);
        const BatchResult result = Run({"run", "--world", "task.wlt", "--goal", "goal.wlt", program});
        QCOMPARE(result.Out, output);
        QCOMPARE(result.ExitCode, exitCode);
    }

    // A goal that differs in hundreds of cells: the first differences in reading order, then a count.
    void onlyTheFirstDifferencesAreNamed() {
        World full = Solved();
        for (int column = 2; column <= 23; ++column)
            for (int row = 3; row <= 19; ++row)
                SetCell(full, column, row, 9);
        Write("full.wlt", Bytes(full, 1));
        const BatchResult result = Run({"run", "--world", "task.wlt", "--goal", "full.wlt", "solves.pas"});
        QCOMPARE(result.ExitCode, 4);
        const QList<QByteArray> lines = result.Out.split('\n');
        QCOMPARE(lines.value(2), QByteArray("  Feld (2, 3): Weg statt 9 Futter."));
        QCOMPARE(lines.value(3), QByteArray("  Feld (3, 3): Weg statt 9 Futter."));
        QCOMPARE(lines.value(11), QByteArray("  Feld (11, 3): Weg statt 9 Futter."));
        QCOMPARE(lines.value(12), QByteArray("  ... und 364 weitere Unterschiede."));
        QCOMPARE(lines.size(), 14); // the last line ends with a line break
    }

    void aClassAgainstTheGoal() {
        const BatchResult result = Run({"run", "--world", "task.wlt", "--goal", "goal.wlt", "solves.pas",
                                        "only_walks.pas", "solves.pas"});
        QCOMPARE(result.ExitCode, 4);
        QCOMPARE(result.Out.count("Aufgabe gelöst!\n"), 2);
        QVERIFY(result.Out.endsWith("\nGelöst: 2 von 3 Programmen.\n"));
    }

    void aGoalThatCannotBeUsedRunsNothing_data() {
        QTest::addColumn<QString>("goal");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("missing") << "nirgends.wlt" << 66;
        QTest::newRow("refused") << "short.wlt" << 65;
    }

    void aGoalThatCannotBeUsedRunsNothing() {
        QFETCH(QString, goal);
        QFETCH(int, exitCode);
        const BatchResult result =
            Run({"run", "--world", "task.wlt", "--goal", goal, "solves.pas", "only_walks.pas"});
        QCOMPARE(result.ExitCode, exitCode);
        QVERIFY(result.Out.isEmpty());
        QVERIFY(result.Err.startsWith("nibbo-batch: " + goal.toUtf8() + ": "));
    }

    // --- A task's worlds ---

    // Each program is checked once and runs on every world, each judged by its own goal.
    void aTaskRunsEveryProgramOnEveryWorld() {
        const BatchResult result = Run({"run", "--aufgabe", "aufgabe", "solves.pas", "faulty.pas"});
        QCOMPARE(result.Out, "==> solves.pas <==\n"
                             "--- welt-1.wlt ---\n" +
                                 kFinished +
                                 "Aufgabe gelöst!\n"
                                 "--- welt-2.wlt ---\n" +
                                 kFinished +
                                 "Aufgabe gelöst!\n"
                                 "--- welt-10.wlt ---\n" +
                                 kFinished +
                                 "Aufgabe nicht gelöst!\n"
                                 "  Nibbo trägt 1 Futter statt 0.\n"
                                 "  Feld (3, 2): Weg statt 1 Futter.\n"
                                 "Gelöst in 2 von 3 Welten.\n"
                                 "\n==> faulty.pas <==\n"
                                 "3: \";\" erwartet!\n"
                                 "Gelöst in 0 von 3 Welten.\n"
                                 "\nGelöst: 0 von 2 Programmen.\n");
        QCOMPARE(result.ExitCode, 4);
    }

    // A recording is judged as a program is: solved only when replayed to its "end;".
    void aRecordingIsJudged_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<int>("exitCode");
        const QStringList goal = {"--world", "task.wlt", "--goal", "goal.wlt"};
        QTest::newRow("solved") << goal + QStringList{"weg.afz"} << QByteArray("Aufgabe gelöst!\n") << 0;
        QTest::newRow("stopped early") << goal + QStringList{"halb.afz"}
                                       << QByteArray("Fehler im Aufzeichnungsformat!\n"
                                                     "Aufgabe nicht gelöst!\n"
                                                     "  Die Aufzeichnung ist nicht bis \"end;\" gelaufen.\n"
                                                     "  Nibbo trägt 0 Futter statt 1.\n"
                                                     "  Feld (3, 2): 1 Futter statt Weg.\n")
                                       << 1;
        QTest::newRow("missed") << QStringList{"--world", "task.wlt", "--goal", "task.wlt", "weg.afz"}
                                << QByteArray("Aufgabe nicht gelöst!\n"
                                              "  Nibbo steht auf Feld (3, 2) statt auf Feld (2, 2).\n"
                                              "  Nibbo trägt 1 Futter statt 0.\n"
                                              "  Feld (3, 2): Weg statt 1 Futter.\n")
                                << 4;
        QTest::newRow("a task") << QStringList{"--aufgabe", "aufgabe/", "weg.afz"}
                                << QByteArray("--- welt-1.wlt ---\nAufgabe gelöst!\n"
                                              "--- welt-2.wlt ---\nAufgabe gelöst!\n"
                                              "--- welt-10.wlt ---\nAufgabe nicht gelöst!\n"
                                              "  Nibbo trägt 1 Futter statt 0.\n"
                                              "  Feld (3, 2): Weg statt 1 Futter.\n"
                                              "Gelöst in 2 von 3 Welten.\n")
                                << 4;
    }

    void aRecordingIsJudged() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, output);
        QFETCH(int, exitCode);
        const BatchResult result = Run(QStringList{"replay"} + arguments);
        QCOMPARE(result.Out, output);
        QCOMPARE(result.ExitCode, exitCode);
    }

    void aTaskThatCannotBeUsedRunsNothing_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("err");
        QTest::newRow("no folder") << QStringList{"--aufgabe", "fehlt"} << 66
                                   << QByteArray("nibbo-batch: fehlt: Den Ordner gibt es nicht.\n");
        QTest::newRow("a file") << QStringList{"--aufgabe", "task.wlt"} << 66
                                << QByteArray("nibbo-batch: task.wlt: Das ist kein Ordner.\n");
        QTest::newRow("no world")
            << QStringList{"--aufgabe", "leer"} << 66
            << QByteArray(
                   "nibbo-batch: leer: Im Ordner ist keine Welt (welt.wlt oder welt-1.wlt, welt-2.wlt, "
                   "...).\n");
        QTest::newRow("a world or a goal missing")
            << QStringList{"--aufgabe", "luecke"} << 66
            << QByteArray("nibbo-batch: luecke/welt-1.wlt: Die Zielwelt ziel-1.wlt fehlt.\n"
                          "nibbo-batch: luecke/ziel-2.wlt: Die Welt welt-2.wlt fehlt.\n");
        QTest::newRow("a refused world")
            << QStringList{"--aufgabe", "kaputt"} << 65 << QByteArray("nibbo-batch: kaputt/welt.wlt: ");
        for (const char* option : {"--world", "--goal", "--save"})
            QTest::addRow("with %s", option)
                << QStringList{"--aufgabe", "aufgabe", option, "task.wlt"} << 64
                << "nibbo-batch: --aufgabe geht nicht zusammen mit " + QByteArray(option) + "\nAufruf: ";
    }

    void aTaskThatCannotBeUsedRunsNothing() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, err);
        for (const char* command : {"run", "replay"}) {
            const BatchResult result = Run(QStringList{command} + arguments + QStringList{"weg.afz"});
            QCOMPARE(result.ExitCode, exitCode);
            QVERIFY(result.Out.isEmpty());
            QVERIFY2(result.Err.startsWith(err), result.Err.constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestBatchClass)
#include "test_batch_class.moc"
