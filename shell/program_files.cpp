// The program menu: the editor's text as a program file, its name in the status bar, and the flag
// that protects an edited program.
#include "shell/nibboform.h"

#include "shell/prg_memo.h"
#include "shell/text_file.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

namespace nibbo {

namespace {
const char* const kDiscardProgram = "Das Programm wurde noch nicht gespeichert!  Löschen?";
} // namespace

void TNibboForm::PrgMemoChange() { ProgramModified = true; }

void TNibboForm::ClearProgram() {
    PrgMemo->Clear();
    ProgramModified = false;
    SetProgramFileName(QStringLiteral("programm.pas"));
}

bool TNibboForm::EditorTextIsSavable() {
    const std::optional<UnsavableCharacter> bad = FindUnsavableCharacter(PrgMemo->Text());
    if (!bad) return true;
    QTextCursor cursor(PrgMemo->document());
    cursor.setPosition(int(bad->Position));
    cursor.setPosition(int(bad->Position + bad->Length), QTextCursor::KeepAnchor);
    PrgMemo->setTextCursor(cursor);
    Dialogs->ShowMessage(bad->Message);
    return false;
}

bool TNibboForm::WriteEditorText(const QString& path) {
    if (!EditorTextIsSavable()) return false;
    const TextFileResult written = WriteTextFile(path, PrgMemo->Text());
    if (!written.Ok) Dialogs->ShowError(written.Error);
    return written.Ok;
}

std::optional<QString> TNibboForm::ReadEditorText(const QString& path) {
    const TextFileResult read = ReadTextFile(path);
    if (!read.Ok) {
        Dialogs->ShowError(read.Error);
        return std::nullopt;
    }
    return read.Text;
}

std::optional<QString> TNibboForm::ChooseProgramFile(FileDialogSpec& dialog, int filter, const QString& preset) {
    dialog.SelectedFilter = filter;
    dialog.PresetName = preset;
    const std::optional<FileChoice> choice = Dialogs->ChooseFile(dialog);
    if (!choice) return std::nullopt;
    const QString path = ChosenPath(*choice, dialog);
    QDir::setCurrent(QFileInfo(path).absolutePath());
    return path;
}

void TNibboForm::NeuPrgMenuItemClick() {
    StopSpeedButtonClick();
    ClearProgram();
    PrgspeichernMenuItem->setEnabled(false);
}

void TNibboForm::PrgladenMenuItemClick() {
    StopSpeedButtonClick();
    if (!ProgramModified || Dialogs->AskQuestion(QString::fromUtf8(kDiscardProgram))) {
        if (const std::optional<QString> path = ChooseProgramFile(PrgOpenDialog, 0, {})) {
            StopSpeedButtonClick();
            SetProgramFileName(*path);
            const std::optional<QString> text = ReadEditorText(*path);
            if (!text) return;
            PrgMemo->SetText(*text);
            ProgramModified = false;
            PrgspeichernMenuItem->setEnabled(true);
        }
    }
    FormPaint();
}

void TNibboForm::PrgspeichernMenuItemClick() {
    if (ProgramModified) {
        if (!WriteEditorText(ProgramFileName)) return;
        ProgramModified = false;
    }
    FormPaint();
}

void TNibboForm::PrgspeichernunterMenuItemClick() {
    // Text the file cannot hold is refused before a name is asked for.
    if (!EditorTextIsSavable()) return;
    if (const std::optional<QString> path = ChooseProgramFile(PrgSaveDialog, 0, ProgramFileName)) {
        SetProgramFileName(*path);
        if (!WriteEditorText(*path)) return;
        PrgspeichernMenuItem->setEnabled(true);
        ProgramModified = false;
    }
    FormPaint();
}

} // namespace nibbo
