// Files on the edge, from the window: every save on a full disk keeps the old file and says why;
// a pipe or a circle of links is refused at once by every load; a name as long as the system
// allows can be saved again and again.
#include "shell/prg_memo.h"
#include "support/form_fixture.h"
#include "support/full_disk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The six commands that write a file, each brought to the point where it writes to `path`.
struct Save {
    const char* Command;
    void (*Run)(FormFixture& f, const QString& path);
};

void WithWorld(FormFixture& f) {
    PlaceFigure(*f.Form, 3, 3, 0);
}
void WithProgram(FormFixture& f) {
    f.Form->PrgMemo->setPlainText(QStringLiteral("program p;"));
}
void WithRecording(FormFixture& f) {
    f.Form->Session().Recording.AufzmodusanMenuItemClick();
    f.Form->PrgMemo->setPlainText(QStringLiteral("procedure weg;"));
}

const Save kSaves[] = {
    {"Welt speichern",
     [](FormFixture& f, const QString& path) {
         WithWorld(f);
         f.Form->Session().World.SetFileName(path.toStdString());
         f.Form->Session().World.AFspeichernMenuItemClick();
     }},
    {"Welt speichern unter ...",
     [](FormFixture& f, const QString& path) {
         WithWorld(f);
         f.Dialogs->ChooseNext(path);
         f.Form->Session().World.AFspeichernunterMenuItemClick();
     }},
    {"Programm speichern",
     [](FormFixture& f, const QString& path) {
         WithProgram(f);
         f.Form->Session().Programs.SetFileName(path.toStdString());
         f.Form->Session().Programs.PrgspeichernMenuItemClick();
     }},
    {"Prg speichern unter ...",
     [](FormFixture& f, const QString& path) {
         WithProgram(f);
         f.Dialogs->ChooseNext(path);
         f.Form->Session().Programs.PrgspeichernunterMenuItemClick();
     }},
    {"Aufzeichnung speichern",
     [](FormFixture& f, const QString& path) {
         WithRecording(f);
         f.Form->Session().Recording.SetFileName(path.toStdString());
         f.Form->Session().Recording.AufzspeichernMenuItemClick();
     }},
    {"Aufz. speichern unter ...",
     [](FormFixture& f, const QString& path) {
         WithRecording(f);
         f.Dialogs->ChooseNext(path);
         f.Form->Session().Recording.AufzspeichernunterMenuItemClick();
     }},
};

// The three commands that read a file the user chose.
struct Load {
    const char* Command;
    void (*Run)(FormFixture& f, const QString& path);
};

const Load kLoads[] = {
    {"Welt laden",
     [](FormFixture& f, const QString& path) {
         f.Dialogs->ChooseNext(path);
         f.Form->Session().World.AFladenMenuItemClick();
     }},
    {"Programm laden",
     [](FormFixture& f, const QString& path) {
         f.Dialogs->ChooseNext(path);
         f.Form->Session().Programs.PrgladenMenuItemClick();
     }},
    {"Aufzeichnung laden",
     [](FormFixture& f, const QString& path) {
         f.Form->Session().Recording.AufzmodusanMenuItemClick();
         f.Dialogs->ChooseNext(path, 1);
         f.Form->Session().Recording.AufzladenMenuItemClick();
     }},
};

} // namespace

class TestFileSafety : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void aSaveOnAFullDiskKeepsTheOldFileAndSaysWhy_data() {
        QTest::addColumn<int>("save");
        for (int i = 0; i < int(std::size(kSaves)); ++i)
            QTest::newRow(kSaves[i].Command) << i;
    }

    void aSaveOnAFullDiskKeepsTheOldFileAndSaysWhy() {
        QFETCH(int, save);
        FullDisk disk;
        NIBBO_REQUIRE_FULL_DISK(disk);
        const QString path = disk.Path(QStringLiteral("e.wlt"));
        QVERIFY(WriteBytes(path, "alt"));
        QVERIFY(disk.Fill());

        FormFixture f;
        kSaves[save].Run(f, path);
        QCOMPARE(f.Dialogs->Errors.size(), 1);
        const QString error = f.Dialogs->Errors.first();
        QVERIFY2(error.startsWith(QDir::toNativeSeparators(path) + QLatin1Char('\n')), qPrintable(error));
        QVERIFY2(error.contains(QStringLiteral("Der Datenträger ist voll.")), qPrintable(error));
        QCOMPARE(ReadBytes(path), QByteArray("alt"));
        // Nothing is left behind that would take up the room the pupil has to free.
        QCOMPARE(QDir(disk.Path({})).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void aNameAsLongAsAllowedSavesAgainAndAgain() {
        FormFixture f;
        const QString path = dir_.filePath(QString(251, QLatin1Char('n')) + QStringLiteral(".wlt"));
        for (const Save& save : kSaves)
            for (int time = 0; time < 2; ++time)
                save.Run(f, path);
        QCOMPARE(f.Dialogs->Errors, QStringList());
        QVERIFY(QFile::exists(path));
    }

    void aLoadRefusesWhatIsNoFileAtOnce_data() {
        QTest::addColumn<int>("load");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QVERIFY(::mkfifo(QFile::encodeName(dir_.filePath(QStringLiteral("pipe"))).constData(), 0600) == 0);
        QVERIFY(QFile::link(QStringLiteral("kreis2"), dir_.filePath(QStringLiteral("kreis1"))));
        QVERIFY(QFile::link(QStringLiteral("kreis1"), dir_.filePath(QStringLiteral("kreis2"))));
        for (int i = 0; i < int(std::size(kLoads)); ++i) {
            QTest::addRow("%s from a pipe", kLoads[i].Command) << i << "pipe"
                                                               << "Pipe";
            QTest::addRow("%s through a circle of links", kLoads[i].Command) << i << "kreis1"
                                                                             << "Verknüpfung";
        }
    }

    // Opening a pipe would wait for a writer that never comes, and the window would freeze.
    void aLoadRefusesWhatIsNoFileAtOnce() {
        QFETCH(int, load);
        QFETCH(QString, name);
        QFETCH(QString, reason);
        FormFixture f;
        kLoads[load].Run(f, dir_.filePath(name));
        QCOMPARE(f.Dialogs->Errors.size(), 1);
        QVERIFY2(f.Dialogs->Errors.first().contains(reason), qPrintable(f.Dialogs->Errors.first()));
    }
};

QTEST_MAIN(TestFileSafety)
#include "test_file_safety.moc"
