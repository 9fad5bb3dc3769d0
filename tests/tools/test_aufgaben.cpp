// The task collection in aufgaben/, checked with nibbo-batch as a teacher checks pupils' work, so
// that a broken task fails here and not in a lesson: every task has its text and a solution, each
// solution passes the syntax check without a message and solves every world of its task. The
// programs in tests/tools/aufgaben/, named TASK-WHAT.pas and wrong on purpose, each solve some world
// of their task and fail another: the worlds tell a program that asks Nibbo's sensors from one
// that does not. Tasks and programs are found when the test runs; a new one needs no new line here.
#include <QDir>
#include <QTest>

#include "support/batch_process.h"

using namespace nibbo::testing;

namespace {

const QDir kCollection(QStringLiteral(NIBBO_AUFGABEN));

QStringList Tasks() {
    return kCollection.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

// How often each verdict stands as a line of its own in the output.
int Count(const QByteArray& output, const QByteArray& line) {
    return int(output.split('\n').count(line));
}

} // namespace

class TestAufgaben : public QObject {
    Q_OBJECT

    // Without a time limit, so that a slow machine cannot fail a task.
    static BatchResult Check(const QString& command, const QString& task, const QString& file) {
        QStringList arguments{command, "--aufgabe", kCollection.filePath(task), file};
        if (command == "run")
            arguments << "--max-seconds"
                      << "0";
        return RunBatch(arguments);
    }

private slots:
    void everyTaskIsSolvedByItsSolutions_data() {
        QTest::addColumn<QString>("task");
        for (const QString& task : Tasks())
            QTest::newRow(qPrintable(task)) << task;
    }

    void everyTaskIsSolvedByItsSolutions() {
        QFETCH(QString, task);
        const QDir folder(kCollection.filePath(task));
        QVERIFY2(folder.exists("aufgabe.md"), "aufgabe.md is missing");
        const QString program = folder.filePath("loesung.pas"), recording = folder.filePath("loesung.afz");
        QVERIFY2(QFile::exists(program) || QFile::exists(recording), "loesung.pas or loesung.afz is missing");
        if (QFile::exists(program)) {
            const BatchResult syntax = RunBatch({"syntax", program});
            QCOMPARE(syntax.Out, QByteArray());
            QCOMPARE(syntax.ExitCode, 0);
        }
        for (const auto& [command, solution] : {std::pair{"run", program}, std::pair{"replay", recording}}) {
            if (!QFile::exists(solution)) continue;
            const BatchResult result = Check(command, task, solution);
            QVERIFY2(result.ExitCode == 0, (result.Out + result.Err).constData());
        }
    }

    void everyWrongProgramFailsSomewhere_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("task");
        const QDir wrong(QStringLiteral(NIBBO_TEST_DATA "/aufgaben"));
        for (const QString& name : wrong.entryList({"*.pas"}, QDir::Files, QDir::Name)) {
            // Task names hold hyphens too: the longest one the program's name starts with.
            QString task;
            for (const QString& candidate : Tasks())
                if (name.startsWith(candidate + '-') && candidate.size() > task.size()) task = candidate;
            QTest::newRow(qPrintable(name)) << wrong.filePath(name) << task;
        }
    }

    void everyWrongProgramFailsSomewhere() {
        QFETCH(QString, program);
        QFETCH(QString, task);
        QVERIFY2(!task.isEmpty(), "its name starts with no task's name");
        const BatchResult result = Check("run", task, program);
        QVERIFY2(Count(result.Out, "Aufgabe gelöst!") > 0 && Count(result.Out, "Aufgabe nicht gelöst!") > 0,
                 (result.Out + result.Err).constData());
    }
};

QTEST_GUILESS_MAIN(TestAufgaben)
#include "test_aufgaben.moc"
