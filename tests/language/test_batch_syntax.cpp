// nibbo-batch syntax, run as a process: the message lines in UTF-8, the exit codes, files read as
// the program editor reads them, and the usage.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "support/batch_process.h"

using namespace nibbo::testing;

namespace {} // namespace

class TestBatchSyntax : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;

    QString Write(const QString& name, const QByteArray& bytes) {
        return WriteTestFile(dir_.filePath(name), bytes);
    }

private slots:
    void messagesAndExitCode_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("no faults") << QByteArray("program p;\r\nbegin\r\n  vor;\r\nend.\r\n") << QByteArray()
                                   << 0;
        QTest::newRow("CR LF") << QByteArray("program test;\r\nbegin\r\n  vor\r\n  drehe_links;\r\nend.")
                               << QByteArray("3: \";\" erwartet!\n") << 1;
        QTest::newRow("lone CR") << QByteArray("program test;\rbegin\r  vor\r  drehe_links;\rend.\r")
                                 << QByteArray("3: \";\" erwartet!\n") << 1;
        QTest::newRow("a final line break opens no line")
            << QByteArray("program p;\nbegin\n  vor;\n") << QByteArray("2: \";\" kein Programende!\n") << 1;
        QTest::newRow("an empty last line is a line")
            << QByteArray("program p;\nbegin\n  vor;\n\n") << QByteArray("3: \";\" kein Programende!\n") << 1;
        QTest::newRow("Windows-1252 in, UTF-8 out")
            << QByteArray("{ \xDC"
                          "bung f\xFCr Nibbo }\nprogram p;\nprocedure dreh\xFC;\nbegin end;\nbegin end.")
            << QByteArray("2: ung\xC3\xBCltiger Procedurenname!\n") << 1;
        QTest::newRow("an empty file is no program") << QByteArray() << QByteArray("kein Programm!\n") << 1;
        QTest::newRow("a single line break is one empty line")
            << QByteArray("\r\n")
            << QByteArray("0: \"program\" erwartet!\n0: ung\xC3\xBCltiger Programmname!\n0: \";\" erwartet!\n"
                          "0: \"begin\" erwartet!\n")
            << 1;
    }

    void messagesAndExitCode() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, out);
        QFETCH(int, exitCode);
        const BatchResult result =
            RunBatch({QStringLiteral("syntax"), Write(QStringLiteral("programm.pas"), bytes)});
        QCOMPARE(result.Out, out);
        QCOMPARE(result.ExitCode, exitCode);
        QVERIFY(result.Err.isEmpty());
    }

    void everyGoldenProgramGivesItsMessages() {
        const QDir golden(QStringLiteral(NIBBO_TEST_DATA "/golden"));
        const QStringList programs = golden.entryList({QStringLiteral("*.pas")}, QDir::Files);
        QVERIFY(!programs.isEmpty());
        for (const QString& program : programs) {
            QFile expected(golden.filePath(program.chopped(4) + ".messages"));
            QVERIFY(expected.open(QIODevice::ReadOnly));
            const QByteArray messages = expected.readAll();
            const BatchResult result = RunBatch({QStringLiteral("syntax"), golden.filePath(program)});
            QCOMPARE(result.Out, messages);
            QCOMPARE(result.ExitCode, messages.isEmpty() ? 0 : 1);
        }
    }

    void unreadableFiles() {
        // A missing file, a folder, and a device that never ends.
        const QString missing = dir_.filePath(QStringLiteral("fehlt.pas"));
        for (const QString& path : {missing, dir_.path(), QStringLiteral("/dev/zero")}) {
            const BatchResult result = RunBatch({QStringLiteral("syntax"), path});
            QCOMPARE(result.ExitCode, 66);
            QVERIFY(result.Out.isEmpty());
            QVERIFY2(result.Err.contains(path.toUtf8()), result.Err.constData());
        }
    }

    void usage_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("err");
        QTest::newRow("nothing") << QStringList{} << 64 << QByteArray("Aufruf: nibbo-batch BEFEHL");
        QTest::newRow("unknown command")
            << QStringList{"pruefen", "a.pas"} << 64 << QByteArray("unbekannter Befehl \"pruefen\"");
        QTest::newRow("syntax without a file")
            << QStringList{"syntax"} << 64 << QByteArray("Aufruf: nibbo-batch syntax PROGRAMM");
        QTest::newRow("syntax with two files") << QStringList{"syntax", "a.pas", "b.pas"} << 64
                                               << QByteArray("Aufruf: nibbo-batch syntax PROGRAMM");
    }

    void usage() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, err);
        const BatchResult result = RunBatch(arguments);
        QCOMPARE(result.ExitCode, exitCode);
        QVERIFY(result.Out.isEmpty());
        QVERIFY2(result.Err.contains(err), result.Err.constData());
    }

    void help() {
        const BatchResult result = RunBatch({QStringLiteral("--help")});
        QCOMPARE(result.ExitCode, 0);
        QVERIFY(result.Out.startsWith("Aufruf: nibbo-batch BEFEHL"));
        QVERIFY(result.Out.contains("  syntax PROGRAMM\n"));
        QVERIFY(result.Err.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestBatchSyntax)
#include "test_batch_syntax.moc"
