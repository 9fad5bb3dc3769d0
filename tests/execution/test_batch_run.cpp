// nibbo-batch run, run as a process: the trace lines, the last line and the exit code of every
// outcome, the world saved whatever the outcome, refused and unreadable files, and the usage.
#include "shell/file_io.h"
#include "world/world_file.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

#include "support/batch_process.h"
#include "support/full_disk.h"

using namespace nibbo;
using namespace nibbo::testing;

namespace {

// nibbo-batch run with these arguments.
BatchResult Run(const QStringList& arguments) {
    return RunBatch(QStringList{QStringLiteral("run")} + arguments);
}

// The walled world with the figure at (column, 2) facing east, one portion of food at (23, 2).
WorldRecord Corridor(int column, int stock = 0) {
    World world;
    ClearWorld(world);
    world.StartColumn = column;
    world.StartRow = 2;
    world.Orientation = East;
    SetCell(world, 23, 2, 1);
    PlainStockField field;
    field.WriteStock(stock);
    WorldRecord record;
    StoreWorld(world, field, record);
    return record;
}

// Line 2 holds the while (position 22, 19 characters), line 3 the vor (47, 3), line 4 "end." (53, 4).
const QByteArray kWalk = "program p;\r\nbegin\r\n  while vorne_frei do\r\n    vor;\r\nend.\r\n";

} // namespace

class TestBatchRun : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QString WriteWorld(const QString& name, const WorldRecord& record) {
        const WorldFileBytes bytes = EncodeWorldFile(record);
        return Write(name, QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    }

    static bool WriteTo(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    static QByteArray ReadFrom(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // A finished run on the corridor, saved to target.
    BatchResult SaveTo(const QString& target) {
        return Run({"--world", WriteWorld("welt.wlt", Corridor(2)), "--save", target, Write("p.pas", kWalk)});
    }

    std::optional<WorldRecord> ReadWorld(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
        const QByteArray bytes = file.readAll();
        if (bytes.size() != qsizetype(kWorldFileSize)) return std::nullopt;
        return DecodeWorldFile({reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())})
            .Record;
    }

private slots:
    void outcomes_data() {
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("savedColumn"); // where the saved world's start stands
        QTest::newRow("finished, traced")
            << kWalk << 21 << QStringList{"--trace"}
            << QByteArray("1 executed 22 19\n2 executed 47 3\n3 executed 22 19\n4 executed 47 3\n"
                          "5 executed 22 19\n6 finished 53 4\nProgramm beendet!\n")
            << 0 << 23;
        QTest::newRow("finished, untraced")
            << kWalk << 2 << QStringList{} << QByteArray("Programm beendet!\n") << 0 << 23;
        QTest::newRow("an action fails")
            << QByteArray("program p;\nbegin\n  vor;\n  vor;\n  nimm_auf;\n  nimm_auf;\nend.") << 21
            << QStringList{"--trace"}
            << QByteArray("1 executed 22 3\n2 executed 30 3\n3 executed 38 8\n4 failed 51 8\n"
                          "Es ist kein Futter vorhanden!\n")
            << 2 << 23;
        QTest::newRow("the step limit") << kWalk << 2 << QStringList{"--max-steps", "3", "--trace"}
                                        << QByteArray("1 executed 22 19\n2 executed 47 3\n3 executed 22 19\n"
                                                      "Schrittgrenze erreicht!\n")
                                        << 3 << 3;
        QTest::newRow("the time limit")
            << QByteArray("program p;\nbegin\n  while vorne_frei or not vorne_frei do drehe_links;\nend.")
            << 2 << QStringList{"--max-steps", "4611686018427387904", "--max-seconds", "1"}
            << QByteArray("Zeitgrenze erreicht!\n") << 3 << 2;
        QTest::newRow("no step at all") << kWalk << 2 << QStringList{"--max-steps", "0"}
                                        << QByteArray("Schrittgrenze erreicht!\n") << 3 << 2;
        QTest::newRow("endless recursion")
            << QByteArray("program p;\nprocedure r;\nbegin\n  r;\nend;\nbegin\n  r;\nend.") << 2
            << QStringList{}
            << QByteArray("Zu viele Aufrufe ineinander! Ruft sich eine Prozedur endlos selbst auf?\n") << 2
            << 2;
        QTest::newRow("faults of the check: the world is saved unchanged")
            << QByteArray("program p;\nbegin\n  vor\nend.") << 4 << QStringList{"--trace"}
            << QByteArray("3: \";\" erwartet!\n") << 1 << 4;
    }

    void outcomes() {
        QFETCH(QByteArray, program);
        QFETCH(int, column);
        QFETCH(QStringList, options);
        QFETCH(QByteArray, out);
        QFETCH(int, exitCode);
        QFETCH(int, savedColumn);
        const QString world = WriteWorld(QStringLiteral("welt.wlt"), Corridor(column));
        const QString saved = dir_.filePath(QStringLiteral("ergebnis.wlt"));
        QFile::remove(saved);
        const BatchResult result = Run(options + QStringList{"--world", world, "--save", saved,
                                                             Write(QStringLiteral("programm.pas"), program)});
        QCOMPARE(result.Out, out);
        QCOMPARE(result.ExitCode, exitCode);
        QVERIFY2(result.Err.isEmpty(), result.Err.constData());
        const std::optional<WorldRecord> record = ReadWorld(saved);
        QVERIFY(record);
        QCOMPARE(record->StartColumn, savedColumn);
        QCOMPARE(record->StartRow, 2);
    }

    void theSavedWorldIsTheWorldAsTheRunLeftIt() {
        const QString world = WriteWorld(QStringLiteral("vorrat.wlt"), Corridor(21, 3));
        const QString saved = dir_.filePath(QStringLiteral("nachher.wlt"));
        const BatchResult result =
            Run({"--save", saved, "--world", world,
                 Write(QStringLiteral("futter.pas"),
                       "program p;\nbegin\n  vor; vor; nimm_auf; drehe_links; gib_ab; gib_ab;\nend.")});
        QCOMPARE(result.ExitCode, 0);
        const std::optional<WorldRecord> record = ReadWorld(saved);
        QVERIFY(record);
        QCOMPARE(record->StartColumn, 23);
        QCOMPARE(record->Orientation, uint8_t(North));
        QCOMPARE(record->Stock, 2);
        QCOMPARE(record->Cells[size_t(CellIndex(23, 2))], 2);
    }

    void withoutAWorldThereIsNoStart() {
        const QString saved = dir_.filePath(QStringLiteral("leer.wlt"));
        const BatchResult result = Run({"--save", saved, Write(QStringLiteral("p.pas"), kWalk)});
        QCOMPARE(result.Out, QByteArray("Kein Startfeld vorhanden!\n"));
        QCOMPARE(result.ExitCode, 3);
        QVERIFY(!QFile::exists(saved)); // a world without a start is never saved
        // The check comes first.
        const BatchResult faulty = Run({Write(QStringLiteral("f.pas"), "program p;\nbegin\nend")});
        QCOMPARE(faulty.Out, QByteArray("2: \";\" kein Programende!\n"));
        QCOMPARE(faulty.ExitCode, 1);
    }

    void filesItCannotUse() {
        const QString program = Write(QStringLiteral("gut.pas"), kWalk);
        const QString world = WriteWorld(QStringLiteral("gut.wlt"), Corridor(2));
        const QString missing = dir_.filePath(QStringLiteral("fehlt"));
        const QString saved = dir_.filePath(QStringLiteral("nie.wlt"));

        const BatchResult refused =
            Run({"--world", Write(QStringLiteral("kurz.wlt"), "12345"), "--save", saved, program});
        QCOMPARE(refused.ExitCode, 65);
        QVERIFY(refused.Out.isEmpty());
        QVERIFY2(refused.Err.contains("Die Datei ist keine Nibbo-Welt"), refused.Err.constData());

        const BatchResult noWorld = Run({"--world", missing, "--save", saved, program});
        QCOMPARE(noWorld.ExitCode, 66);
        QVERIFY(noWorld.Err.contains(missing.toUtf8()));
        QVERIFY(!QFile::exists(saved));

        const BatchResult noProgram = Run({"--world", world, missing});
        QCOMPARE(noProgram.ExitCode, 66);
        QVERIFY(noProgram.Out.isEmpty());
        QVERIFY(noProgram.Err.contains(missing.toUtf8()));

        // A result that cannot be written outweighs the run's own outcome.
        const QString unwritable = dir_.filePath(QStringLiteral("kein/ordner/ergebnis.wlt"));
        const BatchResult cannotSave = Run({"--world", world, "--save", unwritable, program});
        QCOMPARE(cannotSave.Out, QByteArray("Programm beendet!\n"));
        QCOMPARE(cannotSave.ExitCode, 73);
        QVERIFY(cannotSave.Err.contains(unwritable.toUtf8()));
    }

    // --- Where --save writes ---

    void aLinkPlantedBesideTheTargetIsNeverFollowed() {
        const QString victim = Write("noten.txt", "bleibt");
        QVERIFY(QFile::link(victim, dir_.filePath("e.wlt.tmp")));
        QCOMPARE(SaveTo(dir_.filePath("e.wlt")).ExitCode, 0);
        QCOMPARE(ReadFrom(victim), QByteArray("bleibt"));
        QVERIFY(QFileInfo(dir_.filePath("e.wlt.tmp")).isSymLink());
        QVERIFY(ReadWorld(dir_.filePath("e.wlt")));
    }

    void aLinkAsTheTargetIsWrittenThrough() {
        QVERIFY(QFile::link("ziel.wlt", dir_.filePath("verweis.wlt")));
        QCOMPARE(SaveTo(dir_.filePath("verweis.wlt")).ExitCode, 0);
        QVERIFY(QFileInfo(dir_.filePath("verweis.wlt")).isSymLink());
        QVERIFY(ReadWorld(dir_.filePath("ziel.wlt")));
    }

    void aReadOnlyFileIsNotReplaced() {
        const QString target = Write("fest.wlt", "alt");
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner));
        const BatchResult result = SaveTo(target);
        QCOMPARE(result.ExitCode, 73);
        QVERIFY2(result.Err.contains(target.toUtf8()), result.Err.constData());
        QCOMPARE(ReadFrom(target), QByteArray("alt"));
    }

    void aPrivateFileOfTwoNamesStaysSo() {
        const QString target = Write("privat.wlt", "alt");
        const QString second = dir_.filePath("zweitname.wlt");
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(::link(QFile::encodeName(target).constData(), QFile::encodeName(second).constData()), 0);
        QCOMPARE(SaveTo(target).ExitCode, 0);
        QVERIFY(ReadWorld(second));
        QCOMPARE(ReadFrom(second), ReadFrom(target));
        QCOMPARE(QFile::permissions(target) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 QFile::ReadOwner | QFile::WriteOwner);
    }

    void aNameAsLongAsAllowedIsSavedAgainAndAgain() {
        const QString target = dir_.filePath(QString(251, 'w') + ".wlt");
        QCOMPARE(SaveTo(target).ExitCode, 0);
        QCOMPARE(SaveTo(target).ExitCode, 0);
        QVERIFY(ReadWorld(target));
    }

    void aFullDiskLeavesTheOldFileAndSaysSo() {
        FullDisk disk;
        NIBBO_REQUIRE_FULL_DISK(disk);
        const QString target = disk.Path("e.wlt");
        QVERIFY(WriteTo(target, "alt"));
        QVERIFY(disk.Fill());
        const BatchResult result = SaveTo(target);
        QCOMPARE(result.ExitCode, 73);
        QVERIFY2(result.Err.contains("Der Datenträger ist voll."), result.Err.constData());
        QCOMPARE(ReadFrom(target), QByteArray("alt"));
    }

    // --- What is read ---

    // A pipe as any input would block the tool forever.
    void whatIsNoFileIsRefusedAtOnce_data() {
        QTest::addColumn<QString>("option");
        for (const char* option : {"program", "--world", "--goal"})
            QTest::newRow(option) << option;
    }

    void whatIsNoFileIsRefusedAtOnce() {
        QFETCH(QString, option);
        const QString pipe = dir_.filePath("pipe");
        QFile::remove(pipe);
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QString world = WriteWorld("welt.wlt", Corridor(2));
        QStringList arguments{"--world", option == "--world" ? pipe : world};
        if (option == "--goal") arguments << "--goal" << pipe;
        arguments << (option == "program" ? pipe : Write("p.pas", kWalk));
        const BatchResult result = Run(arguments);
        QCOMPARE(result.ExitCode, 66);
        QVERIFY2(result.Err.startsWith("nibbo-batch: " + pipe.toUtf8() + ": "), result.Err.constData());
    }

    // Of a world file only the bytes of a world are read, whatever follows them.
    void aWorldFileIsReadOnlyAsFarAsTheWorldGoes() {
        const QString world = WriteWorld("lang.wlt", Corridor(2));
        QVERIFY(QFile::resize(world, qint64(1) << 30));
        const BatchResult result = Run({"--world", world, Write("p.pas", kWalk)});
        QCOMPARE(result.Out, QByteArray("Programm beendet!\n"));
    }

    // The window's editor takes nothing larger, so no program that large could ever run there.
    void aProgramLargerThanTheEditorTakesIsRefused() {
        const QString program = Write("riesig.pas", kWalk);
        QVERIFY(QFile::resize(program, qint64(kMaxTextFileBytes) + 1));
        const BatchResult result = Run({program});
        QCOMPARE(result.ExitCode, 66);
        QVERIFY2(result.Err.contains("zu groß für den Editor"), result.Err.constData());
    }

    void anOutputThatCannotBeWrittenIsAFailure() {
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(QStringLiteral(NIBBO_BATCH),
                      {"run", "--world", WriteWorld("welt.wlt", Corridor(2)), Write("p.pas", kWalk)});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 74);
        QVERIFY(process.readAllStandardError().contains("Die Ausgabe kann nicht geschrieben werden."));
    }

    void usage_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("named"); // the word the complaint names, if any
        QTest::newRow("no program") << QStringList{} << QByteArray();
        QTest::newRow("saving two programs")
            << QStringList{"--save", "c.wlt", "a.pas", "b.pas"} << QByteArray("--save");
        QTest::newRow("an unknown option")
            << QStringList{"--schnell", "a.pas"} << QByteArray("\"--schnell\"");
        QTest::newRow("a value missing") << QStringList{"a.pas", "--world"} << QByteArray("\"--world\"");
        QTest::newRow("steps not a number")
            << QStringList{"--max-steps", "viele", "a.pas"} << QByteArray("\"viele\"");
        QTest::newRow("negative steps") << QStringList{"--max-steps", "-1", "a.pas"} << QByteArray("\"-1\"");
        QTest::newRow("steps with a sign")
            << QStringList{"--max-steps", "+5", "a.pas"} << QByteArray("\"+5\"");
        QTest::newRow("steps beyond any count")
            << QStringList{"--max-steps", "99999999999999999999999", "a.pas"} << QByteArray("--max-steps");
        QTest::newRow("seconds not a number")
            << QStringList{"--max-seconds", "1.5", "a.pas"} << QByteArray("\"1.5\"");
    }

    void usage() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, named);
        const BatchResult result = Run(arguments);
        QCOMPARE(result.ExitCode, 64);
        QVERIFY(result.Out.isEmpty());
        QVERIFY2(result.Err.contains(
                     "Aufruf: nibbo-batch run [--world WELT] [--goal ZIEL] [--max-steps N] "
                     "[--max-seconds N] [--trace] [--save ERGEBNIS] [--report BERICHT] PROGRAMM..."),
                 result.Err.constData());
        QVERIFY2(result.Err.contains(named), result.Err.constData());
    }
};

QTEST_GUILESS_MAIN(TestBatchRun)
#include "test_batch_run.moc"
