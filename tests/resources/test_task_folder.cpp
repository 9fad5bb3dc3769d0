// The task folders as every reader of the collection finds them: the order of names, a task's
// start worlds paired with their goal worlds, and which folders of a collection are tasks.
#include "resources/task_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace nibbo;

namespace {

// The pairs as "start goal", each missing file marked with "-", the pairs separated by " | ".
QString Shown(const TaskWorldList& list) {
    QStringList pairs;
    for (const TaskWorldPair& pair : list.Pairs)
        pairs << QString::fromStdString((pair.HasStart ? "" : "-") + pair.Start + ' ' +
                                        (pair.HasGoal ? "" : "-") + pair.Goal);
    return pairs.join(" | ");
}

} // namespace

class TestTaskFolder : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    // Creates the empty files, folders included, below the temporary folder.
    QString Make(const QString& folder, const QStringList& files) {
        const QString root = dir_.filePath(folder);
        for (const QString& file : files) {
            QDir().mkpath(QFileInfo(root + '/' + file).absolutePath());
            QFile(root + '/' + file).open(QIODevice::WriteOnly);
        }
        return root;
    }

private slots:
    void namesInNaturalOrder_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("numbers by value") << "welt-2.wlt"
                                          << "welt-10.wlt";
        QTest::newRow("folders by number") << "9-gang"
                                           << "10-mauer";
        QTest::newRow("a number before letters") << "14-mauer"
                                                 << "notizen";
        QTest::newRow("same number as text") << "welt-01.wlt"
                                             << "welt-1.wlt";
        QTest::newRow("shorter first") << "welt-1"
                                       << "welt-1.wlt";
        QTest::newRow("bytes unsigned") << "z"
                                        << "\xC3\xA4";
    }
    void namesInNaturalOrder() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        const std::string a = first.toStdString(), b = second.toStdString();
        QVERIFY(NaturalLess(a, b));
        QVERIFY(!NaturalLess(b, a));
    }

    void leadingNumber() {
        QCOMPARE(LeadingNumber("14-bis-zur-mauer"), std::string("14"));
        QCOMPARE(LeadingNumber("007-agent"), std::string("7"));
        QCOMPARE(LeadingNumber("0-anfang"), std::string("0"));
        QCOMPARE(LeadingNumber("notizen"), std::string());
    }

    void worldsPairedWithGoals_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("pairs");
        QTest::newRow("one world") << QStringList{"welt.wlt", "ziel.wlt", "aufgabe.md", "welt.svg"}
                                   << "welt.wlt ziel.wlt";
        QTest::newRow("in natural order")
            << QStringList{"ziel-10.wlt", "welt-10.wlt", "welt-2.wlt",
                           "ziel-2.wlt",  "welt-1.wlt",  "ziel-1.wlt"}
            << "welt-1.wlt ziel-1.wlt | welt-2.wlt ziel-2.wlt | welt-10.wlt ziel-10.wlt";
        QTest::newRow("no number first") << QStringList{"welt-1.wlt", "ziel-1.wlt", "welt.wlt", "ziel.wlt"}
                                         << "welt.wlt ziel.wlt | welt-1.wlt ziel-1.wlt";
        QTest::newRow("a partner missing") << QStringList{"welt-1.wlt", "ziel-2.wlt", "karte.wlt"}
                                           << "welt-1.wlt -ziel-1.wlt | -welt-2.wlt ziel-2.wlt";
        QTest::newRow("no world") << QStringList{"aufgabe.md"} << "";
    }
    void worldsPairedWithGoals() {
        QFETCH(QStringList, files);
        QFETCH(QString, pairs);
        const TaskWorldList list = TaskWorlds(Make(QTest::currentDataTag(), files).toStdString());
        QCOMPARE(list.Problem, std::string());
        QCOMPARE(Shown(list), pairs);
    }

    void theStartAndGoalWorldsThereAre() {
        const TaskWorldList list =
            TaskWorlds(Make("both", {"welt-1.wlt", "ziel-2.wlt", "welt-3.wlt"}).toStdString());
        QCOMPARE(list.Starts(), (std::vector<std::string>{"welt-1.wlt", "welt-3.wlt"}));
        QCOMPARE(list.Goals(), std::vector<std::string>{"ziel-2.wlt"});
    }

    void aFolderThatCannotBeListed() {
        QCOMPARE(TaskWorlds(dir_.filePath("fehlt").toStdString()).Problem,
                 std::string("Den Ordner gibt es nicht."));
        const QString file = Make("datei", {"aufgabe.md"}) + "/aufgabe.md";
        QCOMPARE(TaskFolders(file.toStdString()).Problem, std::string("Das ist kein Ordner."));
    }

    void theTasksOfACollection() {
        const std::string collection =
            Make("sammlung", {"10-mauer/aufgabe.md", "9-gang/aufgabe.md", "notizen/welt.wlt", "liesmich.md"})
                .toStdString();
        const TaskFolderList tasks = TaskFolders(collection + '/');
        QCOMPARE(tasks.Folders, (std::vector<std::string>{collection + "/9-gang", collection + "/10-mauer"}));
        // A task's own folder is a collection of that task alone, however it is written.
        const TaskFolderList alone = TaskFolders(tasks.Folders[1] + '/');
        QCOMPARE(alone.Folders, std::vector<std::string>{tasks.Folders[1] + '/'});
        QCOMPARE(FolderName(alone.Folders[0]), std::string("10-mauer"));
        QVERIFY(QDir::setCurrent(QString::fromStdString(tasks.Folders[0])));
        QCOMPARE(FolderName("."), std::string("9-gang"));
        QCOMPARE(TaskFolders(".").Folders, std::vector<std::string>{"."});
    }
};

QTEST_GUILESS_MAIN(TestTaskFolder)
#include "test_task_folder.moc"
