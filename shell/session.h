// The behaviour of the main window without any widget: one session owns the state of every part
// of the system once, in one record per subsystem, and answers every command, click, key press and
// timer tick. Each subsystem's handlers keep the names of the events they answer and live with the
// subsystem; they change another subsystem's record only through that subsystem's functions. A
// front end (the desktop window, the web page, a test's script) shows the session and forwards
// its events to it.
#pragma once

#include "execution/run_control.h"
#include "language/syntax_control.h"
#include "recording/recording_control.h"
#include "shell/front_end.h"
#include "shell/program_files.h"
#include "world/world_control.h"

#include <string>
#include <vector>

namespace nibbo {

class NibboSession {
public:
    explicit NibboSession(FrontEnd& ui);
    NibboSession(const NibboSession&) = delete;
    NibboSession& operator=(const NibboSession&) = delete;

    FrontEnd& Ui() { return ui_; }

    WorldControl World;
    SyntaxControl Syntax;
    RunControl Run;
    RecordingControl Recording;
    ProgramFiles Programs;

    // Start-up: the empty walled world stored, the default file names, no run, the editor's first
    // text counted as no change.
    void FormCreate();
    // The whole world drawn anew, as after every command and whenever the window system asks.
    void FormPaint();
    // The files named on the command line, each loaded in turn as its menu command loads the file
    // chosen in its dialog: a world (.wlt) as "Welt laden", a program (.pas) as "Programm laden", a
    // recording (.afz) as "Aufzeichnung laden" after recording mode is switched on. Any other file
    // gets a message and the program goes on as started.
    void OpenFiles(const std::vector<std::string>& names);
    // "Ende": ends the application unless an unsaved world is to be kept.
    void EndeMenuItemClick();

private:
    FrontEnd& ui_;
};

// The full path of a chosen file; a save dialog's choice without an extension gets the extension
// of the filter that was selected, so that the file shows in the open dialog later on.
std::string ChosenPath(const FileChoice& choice, const FileDialogSpec& spec);
// A path made absolute against the working folder, as a dialog names its file; unchanged when the
// working folder cannot be found.
std::string AbsolutePath(const std::string& path);

} // namespace nibbo
