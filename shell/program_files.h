// The menu "Programm": the editor's text as a program file, its name in the status bar, and the
// flag that protects an edited program. The recording files go through the same dialogs and the
// same reading and writing of the editor's text.
#pragma once

#include "shell/front_end.h"

#include <optional>
#include <string>

namespace nibbo {

class NibboSession;
namespace testing {
struct StateAccess;
}

struct ProgramFileState {
    std::string FileName;
    bool Modified = false; // the editor's text changed since it was loaded, saved or cleared
    FileDialogSpec PrgOpenDialog;
    FileDialogSpec PrgSaveDialog;
};

class ProgramFiles {
public:
    ProgramFiles(NibboSession& session, FrontEnd& ui);

    const ProgramFileState& State() const { return state_; }

    // --- Handlers ---
    void PrgMemoChange();
    void NeuPrgMenuItemClick();
    void PrgladenMenuItemClick();
    void PrgspeichernMenuItemClick();
    void PrgspeichernunterMenuItemClick();

    // "Programm laden" from the point where the file is chosen. False when the file could not be
    // read (the command then ends without the closing repaint).
    bool LoadProgramFile(const std::string& path);

    // --- For the rest of the session ---
    // Names the file, also in the status bar.
    void SetFileName(const std::string& name);
    // Start-up: the default name.
    void Create();
    // An empty editor under the default name, unchanged.
    void ClearProgram();
    // Whether the editor's program may be dropped: it holds no changes, or the question is answered Ja.
    bool MayDiscard();
    // The editor's text counts as unchanged (a recording took its place, or start-up wrote it).
    void MarkUnchanged() { state_.Modified = false; }
    // Shows the program's name in its panel (the recording mode shares the panel).
    void ShowFileName();

    // False after marking a character of the editor's text that a file cannot hold and saying so.
    bool EditorTextIsSavable();
    // The editor's text into a file, refusing text the file cannot hold and reporting a file that
    // cannot be written; true when the file was written.
    bool WriteEditorText(const std::string& path);
    // A text file's contents with LF line breaks, or nothing after reporting why it cannot be read.
    std::optional<std::u16string> ReadEditorText(const std::string& path);
    // A file dialog with the program filters (open or save), the given filter selected and name
    // preset; the chosen file's folder becomes the working folder.
    std::optional<std::string> ChooseProgramFile(FileDialogSpec::Kind kind, int filter,
                                                 const std::string& preset);

private:
    friend struct testing::StateAccess;

    NibboSession& session_;
    FrontEnd& ui_;
    ProgramFileState state_;
};

// The editor's lines: its text split at line breaks; an empty last line is not a line, and an
// empty text has no lines.
std::size_t EditorLineCount(const FrontEnd& ui);

} // namespace nibbo
