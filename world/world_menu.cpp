// The world menu and the mouse editor of the main window. A world file is read and checked in full
// before anything changes, and saved in one step, so a failed save never costs the previous file.
#include "shell/nibboform.h"

#include "shell/spin_edit.h"
#include "shell/text_file.h"
#include "world/editor.h"
#include "world/world_file.h"
#include "world/world_view.h"

#include <QDir>
#include <QFileInfo>

namespace nibbo {

namespace {

const char* const kDefaultWorldFile = "welt.wlt";

QString UnsavedWorldQuestion() {
    return QStringLiteral("Nibbos aktuelle Welt wurde noch nicht gespeichert!  Löschen?");
}

QString NoStartMessage() {
    return QStringLiteral("Kein Startfeld vorhanden!");
}

enum class Reading { Loaded, Unreadable, Refused };

// Reads and checks a world file; on success the record holds it. Shows its own error messages.
Reading ReadWorldFile(const QString& path, TDialogs& dialogs, WorldRecord& record) {
    const FileRead read = ReadFileStart(LocalPath(path), kWorldFileSize);
    if (!read.Ok()) {
        dialogs.ShowError(FileProblem(path, read.Problem));
        return Reading::Unreadable;
    }
    const WorldFileReading reading =
        DecodeWorldFile({reinterpret_cast<const uint8_t*>(read.Bytes.data()), read.Bytes.size()});
    if (!reading.Record) {
        dialogs.ShowError(FileProblem(path, reading.Problem));
        return Reading::Refused;
    }
    record = *reading.Record;
    return Reading::Loaded;
}

// Writes the stored world to path; the old file stays as it was unless all of the new one was
// written. Shows its own error messages.
bool WriteWorldFile(const QString& path, const WorldRecord& record, TDialogs& dialogs) {
    const WorldFileBytes bytes = EncodeWorldFile(record);
    const std::string problem =
        SaveFile(LocalPath(path), {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    if (!problem.empty()) dialogs.ShowError(FileProblem(path, problem));
    return problem.empty();
}

EditorButton ToEditorButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return EditorButton::Left;
    case Qt::RightButton:
        return EditorButton::Right;
    case Qt::MiddleButton:
        return EditorButton::Middle;
    default:
        return EditorButton::Other;
    }
}

unsigned ToEditorModifiers(Qt::KeyboardModifiers shift) {
    unsigned modifiers = NoModifier;
    if (shift & Qt::ShiftModifier) modifiers |= ShiftKey;
    if (shift & Qt::ControlModifier) modifiers |= CtrlKey;
    if (shift & Qt::AltModifier) modifiers |= AltKey;
    return modifiers;
}

} // namespace

void TNibboForm::FeldEditorDrawGridMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                             QPoint point) {
    const QPoint cell = TWorldGrid::CellAt(point);
    EditorMouseDown(CurrentWorld, *FeldEditorDrawGrid, ToEditorButton(button), ToEditorModifiers(shift),
                    cell.x(), cell.y());
}

void TNibboForm::AFresetMenuItemClick() {
    StopSpeedButtonClick();
    RestoreWorld(StoredWorld, CurrentWorld, *ItemsSpinEdit);
    FormPaint();
}

void TNibboForm::NeuAFMenuItemClick() {
    if (CurrentWorld.WorldModified && !Dialogs->AskQuestion(UnsavedWorldQuestion())) return;
    StopSpeedButtonClick();
    ClearWorld(CurrentWorld);
    StoreWorld(CurrentWorld, *ItemsSpinEdit, StoredWorld);
    FormPaint();
    SetWorldFileName(QString::fromLatin1(kDefaultWorldFile));
    AFspeichernMenuItem->setEnabled(false);
    CurrentWorld.WorldModified = false;
}

void TNibboForm::AFladenMenuItemClick() {
    if (!CurrentWorld.WorldModified || Dialogs->AskQuestion(UnsavedWorldQuestion())) {
        if (const std::optional<FileChoice> choice = Dialogs->ChooseFile(FeldSelectDialog)) {
            const QString path = ChosenPath(*choice, FeldSelectDialog);
            QDir::setCurrent(QFileInfo(path).absolutePath());
            StopSpeedButtonClick();
            WorldRecord record = StoredWorld;
            switch (ReadWorldFile(path, *Dialogs, record)) {
            case Reading::Unreadable:
                return;
            case Reading::Refused:
                break;
            case Reading::Loaded:
                StoredWorld = record;
                RestoreWorld(StoredWorld, CurrentWorld, *ItemsSpinEdit);
                CurrentWorld.StartPlaced = true;
                SetWorldFileName(path);
                AFspeichernMenuItem->setEnabled(true);
                CurrentWorld.WorldModified = false;
                break;
            }
        }
    }
    FormPaint();
}

void TNibboForm::AFspeichernMenuItemClick() {
    if (!CurrentWorld.StartPlaced) {
        Dialogs->ShowMessage(NoStartMessage());
    } else {
        StoreWorld(CurrentWorld, *ItemsSpinEdit, StoredWorld);
        if (!WriteWorldFile(WorldFileName, StoredWorld, *Dialogs)) return;
        CurrentWorld.WorldModified = false;
    }
    FormPaint();
}

void TNibboForm::AFspeichernunterMenuItemClick() {
    FeldSaveDialog.PresetName = WorldFileName;
    if (!CurrentWorld.StartPlaced) {
        Dialogs->ShowMessage(NoStartMessage());
    } else if (const std::optional<FileChoice> choice = Dialogs->ChooseFile(FeldSaveDialog)) {
        StoreWorld(CurrentWorld, *ItemsSpinEdit, StoredWorld);
        SetWorldFileName(ChosenPath(*choice, FeldSaveDialog));
        if (!WriteWorldFile(WorldFileName, StoredWorld, *Dialogs)) return;
        CurrentWorld.WorldModified = false;
        AFspeichernMenuItem->setEnabled(true);
    }
    FormPaint();
}

} // namespace nibbo
