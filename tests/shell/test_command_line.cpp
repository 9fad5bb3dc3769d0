// Files named on the command line: each is loaded as its menu command loads a chosen file, with the
// same messages and status-bar names, and a file the program cannot take leaves the start as it was.
#include "shell/prg_memo.h"
#include "support/form_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace nibbo;
using namespace nibbo::testing;

class TestCommandLine : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString startFolder_;

    static void Write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void initTestCase() {
        startFolder_ = QDir::currentPath();
        QVERIFY(QFile::copy(QStringLiteral(NIBBO_TEST_DATA "/../../docs/beispiel/garten.wlt"),
                            dir_.filePath("welt.wlt")));
        Write(dir_.filePath("programm.pas"), "program p;\r\nbegin\r\n  vor;\r\nend.\r\n");
        Write(dir_.filePath("weg.afz"), "procedure aufzeichnung;\r\nbegin\r\n  vor;\r\nend;\r\n");
        Write(dir_.filePath("kaputt.wlt"), "kaputt");
    }
    void init() { QVERIFY(QDir::setCurrent(dir_.path())); }
    void cleanupTestCase() { QDir::setCurrent(startFolder_); }

    void eachFileIsLoadedAsItsMenuCommandLoadsIt_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("world");   // the world panel's whole name ("" for the default)
        QTest::addColumn<QString>("program"); // the program panel's whole name
        QTest::addColumn<QString>("editor");  // the start of the editor's text
        QTest::addColumn<QString>("shown");   // the start of the one text shown, "" for none
        QTest::newRow("world and program, relative") << QStringList{"welt.wlt", "programm.pas"} << "welt.wlt"
                                                     << "programm.pas"
                                                     << "program p;"
                                                     << "";
        QTest::newRow("recording switches recording mode on") << QStringList{"weg.afz"} << ""
                                                              << "weg.afz"
                                                              << "procedure aufzeichnung;"
                                                              << "";
        QTest::newRow("refused world") << QStringList{"kaputt.wlt"} << ""
                                       << ""
                                       << ""
                                       << "error: %1/kaputt.wlt\nDie Datei ist keine Nibbo-Welt";
        QTest::newRow("missing program") << QStringList{"fehlt.pas", "welt.wlt"} << "welt.wlt"
                                         << "fehlt.pas"
                                         << ""
                                         << "error: %1/fehlt.pas\n";
        QTest::newRow("unknown kind") << QStringList{"notiz.txt"} << ""
                                      << ""
                                      << ""
                                      << "error: %1/notiz.txt\nNibbo öffnet nur Welten";
    }

    void eachFileIsLoadedAsItsMenuCommandLoadsIt() {
        QFETCH(QStringList, files);
        QFETCH(QString, world);
        QFETCH(QString, program);
        QFETCH(QString, editor);
        QFETCH(QString, shown);
        FormFixture fixture;
        TNibboForm& form = *fixture.Form;
        const QString startWorld = form.StatusPanels[1]->toolTip();
        const QString startProgram = form.StatusPanels[2]->toolTip();
        const QString startText = form.PrgMemo->toPlainText();
        std::vector<std::string> names;
        for (const QString& file : files)
            names.push_back(file.toStdString());
        QVERIFY(QDir::setCurrent(dir_.path()));
        form.Session().OpenFiles(names);

        const auto named = [this](const QString& name, const QString& start) {
            return name.isEmpty() ? start : dir_.filePath(name);
        };
        QCOMPARE(form.StatusPanels[1]->toolTip(), named(world, startWorld));
        QCOMPARE(form.StatusPanels[2]->toolTip(), named(program, startProgram));
        QVERIFY(form.PrgMemo->toPlainText().startsWith(editor.isEmpty() ? startText : editor));
        QCOMPARE(form.Session().World.State().Current.StartPlaced, !world.isEmpty());
        QCOMPARE(form.Session().Recording.State().Mode, program.endsWith(".afz"));
        if (shown.isEmpty()) {
            QCOMPARE(fixture.Dialogs->Log, QStringList{});
        } else {
            QCOMPARE(fixture.Dialogs->Log.size(), 1);
            QVERIFY2(fixture.Dialogs->Log[0].startsWith(shown.arg(dir_.path())),
                     qPrintable(fixture.Dialogs->Log[0]));
        }
    }
};

QTEST_MAIN(TestCommandLine)
#include "test_command_line.moc"
