// The world menu and the mouse editor. A world file is read and checked in full before anything
// changes, and saved in one step, so a failed save never costs the previous file.
#include "world/world_control.h"

#include "shell/program_files.h"
#include "shell/session.h"
#include "world/world_file.h"
#include "world/world_paint.h"

#include <filesystem>

namespace nibbo {

namespace {

const char* const kDefaultWorldFile = "welt.wlt";
const char* const kUnsavedWorld = "Nibbos aktuelle Welt wurde noch nicht gespeichert!  Löschen?";
const char* const kPrefix = "Welt: ";
const char* const kWorldChanged = "Nibbos Welt wurde verändert! Zurücksetzen?";

FileDialogSpec WorldDialog(FileDialogSpec::Kind kind, const char* title) {
    return {kind, title, {{"Nibbos Welt", "*.wlt"}}, 0, ".", {}};
}

} // namespace

WorldControl::WorldControl(NibboSession& session, FrontEnd& ui) : session_(session), ui_(ui) {
    state_.FeldSelectDialog = WorldDialog(FileDialogSpec::Open, "Nibbos Welt laden");
    state_.FeldSaveDialog = WorldDialog(FileDialogSpec::Save, "Nibbos Welt speichern");
}

void WorldControl::Create() {
    ClearWorld(state_.Current);
    SetFileName(kDefaultWorldFile);
}

void WorldControl::StoreCreated() {
    StoreWorld(state_.Current, ui_.Stock(), state_.Stored);
}

void WorldControl::Paint() {
    PaintWorld(state_.Current, ui_.Canvas());
}

Stage WorldControl::ActionStage(int animationStep) {
    return {state_.Current, ui_.Stock(), ui_.Canvas(), animationStep};
}

void WorldControl::DrawFigureFrame(int animationStep) {
    RedrawCell(state_.Current, ui_.Canvas(), state_.Current.StartColumn, state_.Current.StartRow);
    DrawFigure(state_.Current, ui_.Canvas(), animationStep);
}

void WorldControl::RestoreForRun() {
    // Cancelling the dialog that follows a No loses the edits.
    if (state_.Current.WorldModified && !ui_.AskQuestion(kWorldChanged)) AFspeichernunterMenuItemClick();
    RestoreWorld(state_.Stored, state_.Current, ui_.Stock());
    session_.FormPaint();
}

void WorldControl::SetFileName(const std::string& name) {
    state_.FileName = name;
    ui_.ShowFileName(FilePanel::World, kPrefix, name);
}

WorldControl::Reading WorldControl::ReadWorldFile(const std::string& path, WorldRecord& record) {
    const FileRead read = ui_.ReadFileStart(path, kWorldFileSize);
    if (!read.Ok()) {
        ui_.ShowError(FileMessage(path, read.Problem));
        return Reading::Unreadable;
    }
    const WorldFileReading reading =
        DecodeWorldFile({reinterpret_cast<const uint8_t*>(read.Bytes.data()), read.Bytes.size()});
    if (!reading.Record) {
        ui_.ShowError(FileMessage(path, reading.Problem));
        return Reading::Refused;
    }
    record = *reading.Record;
    return Reading::Loaded;
}

bool WorldControl::WriteWorldFile(const std::string& path) {
    const WorldFileBytes bytes = EncodeWorldFile(state_.Stored);
    const std::string problem =
        ui_.SaveFile(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    if (!problem.empty()) ui_.ShowError(FileMessage(path, problem));
    return problem.empty();
}

void WorldControl::FeldEditorDrawGridMouseDown(EditorButton button, unsigned modifiers, int column, int row) {
    EditorMouseDown(state_.Current, ui_.Canvas(), button, modifiers, column, row);
}

void WorldControl::AFresetMenuItemClick() {
    session_.Run.StopSpeedButtonClick();
    RestoreWorld(state_.Stored, state_.Current, ui_.Stock());
    session_.FormPaint();
}

void WorldControl::NeuAFMenuItemClick() {
    if (state_.Current.WorldModified && !ui_.AskQuestion(kUnsavedWorld)) return;
    session_.Run.StopSpeedButtonClick();
    ClearWorld(state_.Current);
    StoreWorld(state_.Current, ui_.Stock(), state_.Stored);
    session_.FormPaint();
    SetFileName(kDefaultWorldFile);
    ui_.SetCommandEnabled(Command::AFspeichern, false);
    state_.Current.WorldModified = false;
}

void WorldControl::AFladenMenuItemClick() {
    if (!state_.Current.WorldModified || ui_.AskQuestion(kUnsavedWorld)) {
        if (const std::optional<FileChoice> choice = ui_.ChooseFile(state_.FeldSelectDialog)) {
            const std::string path = ChosenPath(*choice, state_.FeldSelectDialog);
            std::error_code ignored;
            std::filesystem::current_path(std::filesystem::path(path).parent_path(), ignored);
            if (!LoadWorldFile(path)) return;
        }
    }
    session_.FormPaint();
}

void WorldControl::LoadGivenWorld(const std::string& path) {
    if (MayEnd(kUnsavedWorld) && !LoadWorldFile(path)) return;
    session_.FormPaint();
}

bool WorldControl::LoadWorldFile(const std::string& path) {
    session_.Run.StopSpeedButtonClick();
    WorldRecord record = state_.Stored;
    switch (ReadWorldFile(path, record)) {
    case Reading::Unreadable:
        return false;
    case Reading::Refused:
        break;
    case Reading::Loaded:
        state_.Stored = record;
        RestoreWorld(state_.Stored, state_.Current, ui_.Stock());
        state_.Current.StartPlaced = true;
        SetFileName(path);
        ui_.SetCommandEnabled(Command::AFspeichern, true);
        state_.Current.WorldModified = false;
        break;
    }
    return true;
}

void WorldControl::AFspeichernMenuItemClick() {
    if (!state_.Current.StartPlaced) {
        ui_.ShowMessage(kNoStartMessage);
    } else {
        StoreWorld(state_.Current, ui_.Stock(), state_.Stored);
        if (!WriteWorldFile(state_.FileName)) return;
        state_.Current.WorldModified = false;
    }
    session_.FormPaint();
}

void WorldControl::AFspeichernunterMenuItemClick() {
    state_.FeldSaveDialog.PresetName = state_.FileName;
    if (!state_.Current.StartPlaced) {
        ui_.ShowMessage(kNoStartMessage);
    } else if (const std::optional<FileChoice> choice = ui_.ChooseFile(state_.FeldSaveDialog)) {
        StoreWorld(state_.Current, ui_.Stock(), state_.Stored);
        SetFileName(ChosenPath(*choice, state_.FeldSaveDialog));
        if (!WriteWorldFile(state_.FileName)) return;
        state_.Current.WorldModified = false;
        ui_.SetCommandEnabled(Command::AFspeichern, true);
    }
    session_.FormPaint();
}

bool WorldControl::MayEnd(const char* question) {
    return !state_.Current.WorldModified || ui_.AskQuestion(question);
}

} // namespace nibbo
