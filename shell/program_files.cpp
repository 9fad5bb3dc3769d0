// The program menu: the editor's text as a program file, its name in the status bar, and the flag
// that protects an edited program.
#include "shell/program_files.h"

#include "shell/session.h"
#include "shell/windows1252.h"

#include <filesystem>

namespace nibbo {

namespace {

const char* const kDiscardProgram = "Das Programm wurde noch nicht gespeichert!  Löschen?";
const char* const kDefaultProgramFile = "programm.pas";
const char* const kPrefix = "Prg.: ";
const char* const kCannotHold = "Das markierte Zeichen „%s“ kann in der Datei nicht gespeichert werden. "
                                "Bitte entferne oder ersetze es; es wurde nichts gespeichert.";

FileDialogSpec ProgramDialog(FileDialogSpec::Kind kind, const char* title) {
    return {kind, title, {{"Pascal", "*.pas"}, {"Aufzeichnung", "*.afz"}}, 0, ".", {}};
}

} // namespace

std::size_t EditorLineCount(const FrontEnd& ui) {
    const std::u16string text = ui.EditorText();
    std::size_t count = 0;
    for (const char16_t ch : text)
        if (ch == u'\n') ++count;
    return text.empty() || text.back() == u'\n' ? count : count + 1;
}

ProgramFiles::ProgramFiles(NibboSession& session, FrontEnd& ui) : session_(session), ui_(ui) {
    state_.PrgOpenDialog = ProgramDialog(FileDialogSpec::Open, "Programm laden");
    state_.PrgSaveDialog = ProgramDialog(FileDialogSpec::Save, "Programm speichern");
}

void ProgramFiles::Create() {
    SetFileName(kDefaultProgramFile);
}

void ProgramFiles::SetFileName(const std::string& name) {
    state_.FileName = name;
    ShowFileName();
}

void ProgramFiles::ShowFileName() {
    if (!session_.Recording.State().Mode) ui_.ShowFileName(FilePanel::Program, kPrefix, state_.FileName);
}

void ProgramFiles::PrgMemoChange() {
    state_.Modified = true;
}

bool ProgramFiles::MayDiscard() {
    return !state_.Modified || ui_.AskQuestion(kDiscardProgram);
}

void ProgramFiles::ClearProgram() {
    ui_.SetEditorText({});
    state_.Modified = false;
    SetFileName(kDefaultProgramFile);
}

bool ProgramFiles::EditorTextIsSavable() {
    const std::u16string text = ui_.EditorText();
    const std::optional<std::size_t> at = FirstUnencodable(text);
    if (!at) return true;
    const bool pair = text[*at] >= 0xD800 && text[*at] < 0xDC00 && *at + 1 < text.size();
    const std::size_t length = pair ? 2 : 1;
    // The position counts line breaks as two characters, as every selection does.
    std::size_t breaks = 0;
    for (std::size_t i = 0; i < *at; ++i)
        if (text[i] == u'\n') ++breaks;
    ui_.SelectInEditor(int(*at + breaks), int(length));
    std::string message = kCannotHold;
    message.replace(message.find("%s"), 2, Utf8FromUtf16(std::u16string_view(text).substr(*at, length)));
    ui_.ShowMessage(message);
    return false;
}

bool ProgramFiles::WriteEditorText(const std::string& path) {
    if (!EditorTextIsSavable()) return false;
    std::u16string text = ui_.EditorText();
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (const char ch : CoreBytes(text)) {
        if (ch == '\n') bytes += '\r';
        bytes += ch;
    }
    const std::string problem = ui_.SaveFile(path, bytes);
    if (!problem.empty()) ui_.ShowError(FileMessage(path, problem));
    return problem.empty();
}

std::optional<std::u16string> ProgramFiles::ReadEditorText(const std::string& path) {
    const FileRead read = ui_.ReadTextFile(path);
    if (!read.Ok()) {
        ui_.ShowError(FileMessage(path, read.Problem));
        return std::nullopt;
    }
    return NormalizeLineBreaks(DecodeWindows1252(read.Bytes));
}

std::optional<std::string> ProgramFiles::ChooseProgramFile(FileDialogSpec::Kind kind, int filter,
                                                           const std::string& preset) {
    FileDialogSpec& dialog = kind == FileDialogSpec::Open ? state_.PrgOpenDialog : state_.PrgSaveDialog;
    dialog.SelectedFilter = filter;
    dialog.PresetName = preset;
    const std::optional<FileChoice> choice = ui_.ChooseFile(dialog);
    if (!choice) return std::nullopt;
    const std::string path = ChosenPath(*choice, dialog);
    std::error_code ignored;
    std::filesystem::current_path(std::filesystem::path(path).parent_path(), ignored);
    return path;
}

void ProgramFiles::NeuPrgMenuItemClick() {
    session_.Run.StopSpeedButtonClick();
    ClearProgram();
    ui_.SetCommandEnabled(Command::Prgspeichern, false);
}

void ProgramFiles::PrgladenMenuItemClick() {
    session_.Run.StopSpeedButtonClick();
    if (MayDiscard()) {
        if (const std::optional<std::string> path = ChooseProgramFile(FileDialogSpec::Open, 0, {}))
            if (!LoadProgramFile(*path)) return;
    }
    session_.FormPaint();
}

bool ProgramFiles::LoadProgramFile(const std::string& path) {
    session_.Run.StopSpeedButtonClick();
    SetFileName(path);
    const std::optional<std::u16string> text = ReadEditorText(path);
    if (!text) return false;
    ui_.SetEditorText(*text);
    state_.Modified = false;
    ui_.SetCommandEnabled(Command::Prgspeichern, true);
    return true;
}

void ProgramFiles::PrgspeichernMenuItemClick() {
    if (state_.Modified) {
        if (!WriteEditorText(state_.FileName)) return;
        state_.Modified = false;
    }
    session_.FormPaint();
}

void ProgramFiles::PrgspeichernunterMenuItemClick() {
    // Text the file cannot hold is refused before a name is asked for.
    if (!EditorTextIsSavable()) return;
    if (const std::optional<std::string> path = ChooseProgramFile(FileDialogSpec::Save, 0, state_.FileName)) {
        SetFileName(*path);
        if (!WriteEditorText(*path)) return;
        ui_.SetCommandEnabled(Command::Prgspeichern, true);
        state_.Modified = false;
    }
    session_.FormPaint();
}

} // namespace nibbo
