// The menu "Aufzeichnen": recording mode, hand control by keys, recording files and the replay.
// The recording's flags, its file name, the replay's copy of the lines and the replay's timer live
// here, once.
#pragma once

#include "recording/replay.h"
#include "shell/front_end.h"
#include "shell/session_timer.h"

#include <string>

namespace nibbo {

class NibboSession;
namespace testing {
struct StateAccess;
}

struct RecordingState {
    bool Mode = false;    // recording mode is on: the editor holds the recording
    bool Active = false;  // a recording is being made: keys steer and are logged
    bool Unsaved = false; // the recording changed since it was started, loaded or saved
    std::string FileName;
    ReplayState Replay;
    SessionTimer AufzTimer; // one instruction of the replay per tick
};

class RecordingControl {
public:
    RecordingControl(NibboSession& session, FrontEnd& ui);

    const RecordingState& State() const { return state_; }

    // --- Handlers ---
    void AufzmodusanMenuItemClick();
    void AufzstartenMenuItemClick();
    void AufzbeendenMenuItemClick();
    void AufzwiederholenMenuItemClick();
    void AufzladenMenuItemClick();
    void AufzspeichernMenuItemClick();
    void AufzspeichernunterMenuItemClick();
    void AufzTimerTimer();
    // A key press, previewed before the control that has the focus gets it: with its virtual-key
    // code (a letter's is its capital's, whatever the modifiers).
    void FormKeyDown(int virtualKey);
    void StopReplay();
    // Start-up: recording mode is off.
    void Create();

    // "Aufzeichnung laden" from the point where the file is chosen, recording mode on. False when
    // the file could not be read (the command then ends without the closing repaint).
    bool LoadRecordingFile(const std::string& path);
    // Names the recording's file, also in the status bar while recording mode is on.
    void SetFileName(const std::string& name);

private:
    friend struct testing::StateAccess;

    void SetRecordingCommands(std::initializer_list<Command> commands, bool enabled);

    NibboSession& session_;
    FrontEnd& ui_;
    RecordingState state_;
};

} // namespace nibbo
