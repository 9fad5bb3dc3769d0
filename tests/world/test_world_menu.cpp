// The world menu in the main window: its questions, the file name in the status bar, the state of
// "Welt speichern", saving and loading real files, refused and unreadable files, and a world built
// with the mouse that comes back from its file exactly as it looked.
#include "shell/spin_edit.h"
#include "support/form_fixture.h"
#include "world/world_file.h"
#include "world/world_view.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

const QString kUnsaved = QStringLiteral("Nibbos aktuelle Welt wurde noch nicht gespeichert!  Löschen?");
const QString kNoStart = QStringLiteral("Kein Startfeld vorhanden!");
const QColor kPath(0, 0, 102);
const QColor kWhite(255, 255, 255);

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray FileOf(const WorldRecord& record) {
    const WorldFileBytes bytes = EncodeWorldFile(record);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// A world that the program could have written: start (4, 6) facing south, stock 5, food and a wall.
WorldRecord GoodRecord() {
    World world;
    ClearWorld(world);
    SetCell(world, 3, 5, 4);
    SetCell(world, 8, 8, kWall);
    world.StartColumn = 4;
    world.StartRow = 6;
    world.Orientation = South;
    PlainStockField stock;
    stock.WriteStock(5);
    WorldRecord record;
    StoreWorld(world, stock, record);
    record.Reserved = {7, 8, 9};
    return record;
}

QPoint CellCentre(int column, int row) {
    return {2 + (column - 1) * kCellPitch + 12, 2 + (row - 1) * kCellPitch + 12};
}

void Click(TNibboForm& form, int column, int row, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(form.FeldEditorDrawGrid, button, modifiers, CellCentre(column, row));
}

// The world view as a repaint by the window system shows it, without its frame.
QImage Shown(TNibboForm& form) {
    const QImage image = form.FeldEditorDrawGrid->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal dpr = image.devicePixelRatio();
    return image.copy(QRect(QPoint(2, 2) * dpr, QSize(624, 520) * dpr));
}

QImage Drawn(TNibboForm& form) {
    return form.FeldEditorDrawGrid->Surface().convertToFormat(QImage::Format_RGB32);
}

bool SameWorld(const World& a, const World& b) {
    return a.Cells == b.Cells && a.StartColumn == b.StartColumn && a.StartRow == b.StartRow &&
           a.Orientation == b.Orientation && a.StartPlaced == b.StartPlaced &&
           a.WorldModified == b.WorldModified;
}

bool SameRecord(const WorldRecord& a, const WorldRecord& b) {
    return FileOf(a) == FileOf(b);
}

QString StatusWorld(TNibboForm& form) {
    return form.StatusPanels[1]->text();
}

} // namespace

class TestWorldMenu : public QObject {
    Q_OBJECT
private:
    QString startFolder_;
    QTemporaryDir dir_;

    QString Path(const QString& name) const { return dir_.filePath(name); }

private slots:
    void initTestCase() {
        startFolder_ = QDir::currentPath();
        QVERIFY(dir_.isValid());
    }
    void cleanup() { QDir::setCurrent(startFolder_); }

    void savingNeedsAStart() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        QVERIFY(!form.AFspeichernMenuItem->isEnabled());
        QVERIFY(form.AFspeichernunterMenuItem->isEnabled());
        form.Session().World.AFspeichernunterMenuItemClick();
        form.Session().World.AFspeichernMenuItemClick();
        QCOMPARE(f.Dialogs->Log, (QStringList{"message: " + kNoStart, "message: " + kNoStart}));
        QCOMPARE(QString::fromStdString(WorldOf(form).FileName), QStringLiteral("welt.wlt"));
        QCOMPARE(StatusWorld(form), QStringLiteral("Welt: welt.wlt"));
        QVERIFY(!QFile::exists(QStringLiteral("welt.wlt")));
    }

    void saveAsThenSaveWritesTheSameFile() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        Click(form, 3, 5, Qt::LeftButton, Qt::ShiftModifier);
        Click(form, 6, 7, Qt::LeftButton, Qt::ControlModifier);
        form.ItemsSpinEdit->WriteStock(12);
        // A name typed without an extension gets the filter's ".wlt".
        f.Dialogs->ChooseNext(Path(QStringLiteral("garten")));
        form.Session().World.AFspeichernunterMenuItemClick();
        const QString saved = Path(QStringLiteral("garten.wlt"));
        QCOMPARE(f.Dialogs->Log, (QStringList{QStringLiteral("save: Nibbos Welt speichern")}));
        const FileDialogSpec& dialog = f.Dialogs->FileDialogs.first();
        QCOMPARE(QString::fromStdString(dialog.PresetName), QStringLiteral("welt.wlt"));
        QCOMPARE(QString::fromStdString(dialog.InitialFolder), QStringLiteral("."));
        QCOMPARE(dialog.Filters.size(), 1);
        QCOMPARE(QString::fromStdString(dialog.Filters[0].Label), QStringLiteral("Nibbos Welt"));
        QCOMPARE(QString::fromStdString(dialog.Filters[0].Pattern), QStringLiteral("*.wlt"));
        QCOMPARE(QString::fromStdString(WorldOf(form).FileName), saved);
        QCOMPARE(StatusWorld(form), QStringLiteral("Welt: ") + saved);
        QVERIFY(form.AFspeichernMenuItem->isEnabled());
        QVERIFY(!CurrentWorld(form).WorldModified);
        QCOMPARE(StoredWorld(form).Stock, 12);
        QCOMPARE(ReadAll(saved), FileOf(StoredWorld(form)));
        QCOMPARE(ReadAll(saved).size(), 1936);

        // "Welt speichern" writes to the same path without a dialog, also when nothing changed, and
        // replaces the file without asking.
        f.Dialogs->Clear();
        form.ItemsSpinEdit->WriteStock(13);
        form.Session().World.AFspeichernMenuItemClick();
        QVERIFY(f.Dialogs->Log.isEmpty());
        QCOMPARE(ReadAll(saved), FileOf(StoredWorld(form)));
        QCOMPARE(StoredWorld(form).Stock, 13);

        // The next save dialog offers the current name; cancelling it changes nothing.
        Click(form, 9, 9);
        f.Dialogs->CancelNext();
        form.Session().World.AFspeichernunterMenuItemClick();
        QCOMPARE(QString::fromStdString(f.Dialogs->FileDialogs.last().PresetName), saved);
        QCOMPARE(QString::fromStdString(WorldOf(form).FileName), saved);
        QVERIFY(CurrentWorld(form).WorldModified);
        QCOMPARE(StoredWorld(form).Cells[CellIndex(9, 9)], kFreePath);
    }

    void loadingShowsTheWorldOfTheFile() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        const QString path = Path(QStringLiteral("laden.wlt"));
        QVERIFY(WriteAll(path, FileOf(GoodRecord()) + QByteArray("tail bytes are ignored")));
        f.Dialogs->ChooseNext(path);
        form.Session().World.AFladenMenuItemClick();
        QCOMPARE(f.Dialogs->Log, (QStringList{QStringLiteral("open: Nibbos Welt laden")}));
        QVERIFY(SameRecord(StoredWorld(form), GoodRecord()));
        QVERIFY(CurrentWorld(form).Cells == GoodRecord().Cells);
        QVERIFY(CurrentWorld(form).StartPlaced);
        QCOMPARE(CurrentWorld(form).Orientation, uint8_t(South));
        QCOMPARE(form.ItemsSpinEdit->ReadStock(), 5);
        QCOMPARE(QString::fromStdString(WorldOf(form).FileName), path);
        QCOMPARE(StatusWorld(form), QStringLiteral("Welt: ") + path);
        QVERIFY(form.AFspeichernMenuItem->isEnabled());
        QCOMPARE(QDir::current().canonicalPath(), QDir(dir_.path()).canonicalPath());
        // The figure faces south on its cell, the food lies on (3, 5).
        QCOMPARE(f.CellPixel(4, 6, 12, 1), QColor(255, 255, 0));
        QCOMPARE(f.CellPixel(4, 6, 12, 23), kPath);
        QCOMPARE(f.CellPixel(3, 5, 11, 17), kWhite);

        // Saving writes the three bytes after the orientation back as the file had them.
        form.Session().World.AFspeichernMenuItemClick();
        QCOMPARE(ReadAll(path), FileOf(GoodRecord()));
    }

    void questionsOnAnEditedWorld() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        const QString path = Path(QStringLiteral("fragen.wlt"));
        QVERIFY(WriteAll(path, FileOf(GoodRecord())));
        f.Dialogs->ChooseNext(path);
        form.Session().World.AFladenMenuItemClick();
        // A click on the border changes no cell, but the world counts as edited.
        Click(form, 1, 1);
        QVERIFY(CurrentWorld(form).WorldModified);
        SetCell(CurrentWorld(form), 10, 10, 3); // not drawn: a repaint would show it
        const World current = CurrentWorld(form);
        const WorldRecord stored = StoredWorld(form);
        f.Dialogs->Clear();

        // No keeps everything; "neue Welt" then does not even repaint.
        f.Dialogs->AnswerNext(false);
        form.Session().World.NeuAFMenuItemClick();
        f.Dialogs->AnswerNext(false);
        form.Session().World.AFladenMenuItemClick();
        QCOMPARE(f.Dialogs->Log, (QStringList{"question: " + kUnsaved, "question: " + kUnsaved}));
        QVERIFY(SameWorld(CurrentWorld(form), current));
        QVERIFY(SameRecord(StoredWorld(form), stored));
        QCOMPARE(QString::fromStdString(WorldOf(form).FileName), path);
        QVERIFY(form.AFspeichernMenuItem->isEnabled());
        QCOMPARE(f.CellPixel(10, 10, 4, 17), kWhite); // "Welt laden" repainted after No

        // Yes: both worlds empty, the stock kept and stored, the default name, saving disabled.
        form.ItemsSpinEdit->WriteStock(9);
        f.Dialogs->Clear();
        f.Dialogs->AnswerNext(true);
        form.Session().World.NeuAFMenuItemClick();
        QCOMPARE(f.Dialogs->Log, (QStringList{"question: " + kUnsaved}));
        World empty;
        ClearWorld(empty);
        QVERIFY(CurrentWorld(form).Cells == empty.Cells && StoredWorld(form).Cells == empty.Cells);
        QVERIFY(!CurrentWorld(form).StartPlaced && !CurrentWorld(form).WorldModified);
        QCOMPARE(StoredWorld(form).Stock, 9);
        QCOMPARE(StoredWorld(form).StartColumn, 4); // the old start stays in the stored fields
        QCOMPARE(QString::fromStdString(WorldOf(form).FileName), QStringLiteral("welt.wlt"));
        QCOMPARE(StatusWorld(form), QStringLiteral("Welt: welt.wlt"));
        QVERIFY(!form.AFspeichernMenuItem->isEnabled());

        // An unedited world is replaced without a question.
        f.Dialogs->Clear();
        form.Session().World.NeuAFMenuItemClick();
        f.Dialogs->ChooseNext(path);
        form.Session().World.AFladenMenuItemClick();
        QCOMPARE(f.Dialogs->Log, (QStringList{QStringLiteral("open: Nibbos Welt laden")}));
    }

    void resetBringsBackTheStoredWorldWithoutAQuestion() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const QString path = Path(QStringLiteral("reset.wlt"));
        QVERIFY(WriteAll(path, FileOf(GoodRecord())));
        f.Dialogs->ChooseNext(path);
        form.Session().World.AFladenMenuItemClick();
        Click(form, 3, 5, Qt::RightButton);
        Click(form, 4, 6, Qt::LeftButton, Qt::ControlModifier); // the figure turns east
        form.ItemsSpinEdit->WriteStock(200);
        f.Dialogs->Clear();
        QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(f.Dialogs->Log.isEmpty());
        QVERIFY(CurrentWorld(form).Cells == GoodRecord().Cells);
        QCOMPARE(CurrentWorld(form).Orientation, uint8_t(South));
        QCOMPARE(form.ItemsSpinEdit->ReadStock(), 5);
        QVERIFY(!CurrentWorld(form).WorldModified);
        QCOMPARE(f.CellPixel(3, 5, 11, 17), kWhite);
    }

    void commandsThatReplaceTheWorldStopARun() {
        const struct {
            const char* name;
            void (WorldControl::*command)();
            bool stops;
        } commands[] = {{"reset", &WorldControl::AFresetMenuItemClick, true},
                        {"new", &WorldControl::NeuAFMenuItemClick, true},
                        {"load", &WorldControl::AFladenMenuItemClick, true},
                        {"save", &WorldControl::AFspeichernMenuItemClick, false},
                        {"save as", &WorldControl::AFspeichernunterMenuItemClick, false}};
        const QString path = Path(QStringLiteral("lauf.wlt"));
        QVERIFY(WriteAll(path, FileOf(GoodRecord())));
        for (const auto& command : commands) {
            FormFixture f;
            TNibboForm& form = *f.Form;
            f.Dialogs->ChooseNext(path);
            form.Session().World.AFladenMenuItemClick();
            RunOf(form).RunActive = true;
            form.MoveTimer->start();
            form.FeldEditorDrawGrid->setEnabled(false);
            f.Dialogs->ChooseNext(path);
            (form.Session().World.*command.command)();
            QVERIFY2(form.MoveTimer->isActive() != command.stops, command.name);
            QCOMPARE(RunOf(form).RunActive, !command.stops);
            QCOMPARE(form.FeldEditorDrawGrid->isEnabled(), command.stops);
        }
    }

    void refusedFilesChangeNothing() {
        const auto mutated = [](const std::function<void(WorldRecord&)>& change) {
            WorldRecord record = GoodRecord();
            change(record);
            return FileOf(record);
        };
        const struct {
            const char* name;
            QByteArray bytes;
            const char* reason;
        } files[] = {
            {"short", FileOf(GoodRecord()).left(1000), "Sie ist nur 1000 Bytes lang"},
            {"cell code", mutated([](WorldRecord& r) { r.Cells[CellIndex(5, 5)] = 12; }),
             "Spalte 5, Zeile 5"},
            {"border", mutated([](WorldRecord& r) { r.Cells[CellIndex(24, 3)] = 0; }), "Randfeld"},
            {"start outside", mutated([](WorldRecord& r) { r.StartColumn = 0; }), "Startfeld"},
            {"start on a wall", mutated([](WorldRecord& r) {
                 r.StartColumn = 8;
                 r.StartRow = 8;
             }),
             "ist eine Mauer"},
            {"orientation", mutated([](WorldRecord& r) { r.Orientation = 4; }), "Blickrichtung"},
            {"stock", mutated([](WorldRecord& r) { r.Stock = 251; }), "Vorrat"},
        };
        for (const auto& file : files) {
            FormFixture f;
            TNibboForm& form = *f.Form;
            const QString good = Path(QStringLiteral("gut.wlt"));
            QVERIFY(WriteAll(good, FileOf(GoodRecord())));
            f.Dialogs->ChooseNext(good);
            form.Session().World.AFladenMenuItemClick();
            Click(form, 10, 10, Qt::LeftButton, Qt::ShiftModifier);
            const World current = CurrentWorld(form);
            const WorldRecord stored = StoredWorld(form);
            const QString bad = Path(QStringLiteral("kaputt.wlt"));
            QVERIFY(WriteAll(bad, file.bytes));
            f.Dialogs->Clear();
            f.Dialogs->AnswerNext(true);
            f.Dialogs->ChooseNext(bad);
            form.Session().World.AFladenMenuItemClick();
            QCOMPARE(f.Dialogs->Errors.size(), 1);
            const QString error = f.Dialogs->Errors.first();
            QVERIFY2(error.startsWith(QDir::toNativeSeparators(bad) +
                                      QStringLiteral("\nDie Datei ist keine Nibbo-Welt: ")),
                     qPrintable(error));
            QVERIFY2(error.contains(QString::fromUtf8(file.reason)), qPrintable(error));
            QVERIFY2(SameWorld(CurrentWorld(form), current), file.name);
            QVERIFY2(SameRecord(StoredWorld(form), stored), file.name);
            QCOMPARE(form.ItemsSpinEdit->ReadStock(), 5);
            QCOMPARE(QString::fromStdString(WorldOf(form).FileName), good);
            QCOMPARE(StatusWorld(form), QStringLiteral("Welt: ") + good);
        }
    }

    void anUnreadableFileEndsTheCommandWithoutARepaint() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        const WorldRecord stored = StoredWorld(form);
        SetCell(CurrentWorld(form), 10, 10, 3); // not drawn: a repaint would show it
        for (const QString& name : {QStringLiteral("fehlt.wlt"), QString()}) {
            const QString path = name.isEmpty() ? dir_.path() : Path(name); // a missing file, a folder
            f.Dialogs->Clear();
            f.Dialogs->ChooseNext(path);
            form.Session().World.AFladenMenuItemClick();
            QCOMPARE(f.Dialogs->Errors.size(), 1);
            QVERIFY2(f.Dialogs->Errors.first().startsWith(
                         QDir::toNativeSeparators(path) +
                         QStringLiteral("\nDie Datei kann nicht geöffnet werden.")),
                     qPrintable(f.Dialogs->Errors.first()));
            QVERIFY(SameRecord(StoredWorld(form), stored));
            QCOMPARE(QString::fromStdString(WorldOf(form).FileName), QStringLiteral("welt.wlt"));
            QCOMPARE(f.CellPixel(10, 10, 4, 17), kPath);
        }
    }

    void aFailedSaveKeepsTheOldFile() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        Click(form, 5, 5, Qt::LeftButton, Qt::ControlModifier);

        // A folder that does not exist: the new name stands, the world stays unsaved, nothing is written.
        const QString missing = Path(QStringLiteral("nirgends/welt.wlt"));
        f.Dialogs->ChooseNext(missing);
        form.Session().World.AFspeichernunterMenuItemClick();
        QCOMPARE(f.Dialogs->Errors.size(), 1);
        QVERIFY2(f.Dialogs->Errors.first().startsWith(
                     QDir::toNativeSeparators(missing) +
                     QStringLiteral("\nDie Datei kann nicht angelegt werden. Der Ordner")),
                 qPrintable(f.Dialogs->Errors.first()));
        QCOMPARE(QString::fromStdString(WorldOf(form).FileName), missing);
        QCOMPARE(StatusWorld(form), QStringLiteral("Welt: ") + missing);
        QVERIFY(CurrentWorld(form).WorldModified);
        QVERIFY(!form.AFspeichernMenuItem->isEnabled());
        QVERIFY(!QFileInfo::exists(missing));

        // A read-only file is not replaced, by either command.
        const QString locked = Path(QStringLiteral("gesperrt.wlt"));
        QVERIFY(WriteAll(locked, QByteArray("old contents")));
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        f.Dialogs->Clear();
        f.Dialogs->ChooseNext(locked);
        form.Session().World.AFspeichernunterMenuItemClick();
        form.Session().World.AFspeichernMenuItemClick();
        QCOMPARE(f.Dialogs->Errors.size(), 2);
        for (const QString& error : f.Dialogs->Errors)
            QCOMPARE(error,
                     QDir::toNativeSeparators(locked) +
                         QStringLiteral("\nDie Datei kann nicht angelegt werden. Sie ist schreibgeschützt."));
        QCOMPARE(ReadAll(locked), QByteArray("old contents"));
        QVERIFY(CurrentWorld(form).WorldModified);
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner);
    }

    void aWorldBuiltWithTheMouseComesBackFromItsFile() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (int c = 4; c <= 12; ++c)
            Click(form, c, 4);              // a wall
        Click(form, 8, 4, Qt::RightButton); // a gap in it
        for (int i = 0; i < 3; ++i)
            Click(form, 6, 9, Qt::LeftButton, Qt::ShiftModifier);                     // 3 portions
        Click(form, 10, 9, Qt::RightButton, Qt::ShiftModifier);                       // 9 portions
        Click(form, 15, 6, Qt::LeftButton, Qt::AltModifier);                          // Alt: a wall
        Click(form, 20, 15, Qt::LeftButton, Qt::ControlModifier);                     // start, east
        Click(form, 20, 15, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier); // north
        // A double click is two presses: the figure turns twice.
        Click(form, 20, 15, Qt::LeftButton, Qt::ControlModifier);
        QTest::mouseDClick(form.FeldEditorDrawGrid, Qt::LeftButton, Qt::ControlModifier, CellCentre(20, 15));
        Click(form, 21, 15, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(CellAt(CurrentWorld(form), 8, 4), kFreePath);
        QCOMPARE(CellAt(CurrentWorld(form), 6, 9), 3);
        QCOMPARE(CellAt(CurrentWorld(form), 10, 9), 9);
        QCOMPARE(CellAt(CurrentWorld(form), 15, 6), kWall);
        QCOMPARE(CurrentWorld(form).Orientation, uint8_t(South));
        // What the editor drew cell by cell is what a whole repaint shows.
        const QImage built = Shown(form);
        QCOMPARE(Drawn(form), built);

        const QString path = Path(QStringLiteral("maus.wlt"));
        f.Dialogs->ChooseNext(path);
        form.Session().World.AFspeichernunterMenuItemClick();
        Click(form, 6, 9, Qt::RightButton);
        Click(form, 5, 5, Qt::LeftButton, Qt::ControlModifier);
        Click(form, 12, 12);
        QVERIFY(Shown(form) != built);
        f.Dialogs->AnswerNext(true);
        f.Dialogs->ChooseNext(path);
        form.Session().World.AFladenMenuItemClick();
        QCOMPARE(f.Dialogs->Errors, QStringList());
        QCOMPARE(Shown(form), built);
        QCOMPARE(Drawn(form), built);
    }
};

QTEST_MAIN(TestWorldMenu)
#include "test_world_menu.moc"
