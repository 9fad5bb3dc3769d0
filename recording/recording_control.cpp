// The enabled states of the six items below the mode item follow the events that change them, not
// a state: every handler sets exactly the items its event concerns and checks the flags itself.
#include "recording/recording_control.h"

#include "language/program_text.h"
#include "recording/hand_control.h"
#include "shell/session.h"
#include "shell/windows1252.h"

namespace nibbo {

namespace {

const char* const kDiscardActiveRecording =
    "Die Aufzeichnung wurde noch nicht beendet/gespeichert!  Löschen?";
const char* const kDiscardRecording = "Die Aufzeichnung wurde noch nicht gespeichert!  Löschen?";
const char* const kEndRecordingFirst = "Erst die Aufzeichnung beenden!";
const char* const kDefaultRecordingFile = "aufzeichnung.afz";
const char* const kPrefix = "Aufz.: ";
const char* const kModeOn = "Aufzeichnungsmodus an";
const char* const kModeOff = "Aufzeichnungsmodus aus";

// The recording filter of the program dialogs ("Aufzeichnung", "*.afz").
constexpr int kRecordingFilter = 1;

// The replay waits 80 ms per position of the speed slider, and 1 ms more.
constexpr int kReplayMsPerPosition = 80;

constexpr Command kButtons[] = {Command::RunButton, Command::PauseButton, Command::StepButton,
                                Command::StopButton, Command::SyntaxButton};

} // namespace

RecordingControl::RecordingControl(NibboSession& session, FrontEnd& ui)
    : session_(session), ui_(ui), state_{false, false, false, {}, {}, {ui, Timer::Aufz, 150}} {
}

void RecordingControl::Create() {
    ui_.SetCommandCaption(Command::Aufzmodusan, kModeOn);
}

void RecordingControl::SetRecordingCommands(std::initializer_list<Command> commands, bool enabled) {
    for (const Command command : commands)
        ui_.SetCommandEnabled(command, enabled);
}

void RecordingControl::SetFileName(const std::string& name) {
    state_.FileName = name;
    if (state_.Mode) ui_.ShowFileName(FilePanel::Program, kPrefix, name);
}

void RecordingControl::AufzmodusanMenuItemClick() {
    if (!state_.Mode) {
        if (!session_.Programs.MayDiscard()) return;
        session_.Run.StopSpeedButtonClick();
        ui_.SetEditorText({});
        state_.Mode = true;
        ui_.SetCommandCaption(Command::Aufzmodusan, kModeOff);
        ui_.SetCommandEnabled(Command::ProgrammMenu, false);
        for (const Command button : kButtons)
            ui_.SetCommandEnabled(button, false);
        StopReplay();
        SetFileName(kDefaultRecordingFile);
        SetRecordingCommands({Command::Aufzspeichern, Command::Aufzspeichernunter}, false);
        return;
    }
    if (state_.Active && !ui_.AskQuestion(kDiscardActiveRecording)) return;
    state_.Mode = false;
    state_.Active = false;
    ui_.SetCommandCaption(Command::Aufzmodusan, kModeOn);
    ui_.SetCommandEnabled(Command::ProgrammMenu, true);
    for (const Command button : kButtons)
        ui_.SetCommandEnabled(button, true);
    SetRecordingCommands({Command::Aufzstarten, Command::Aufzbeenden, Command::Aufzwiederholen}, false);
    session_.Programs.ClearProgram();
    SetRecordingCommands({Command::Aufzladen, Command::Aufzspeichern, Command::Aufzspeichernunter}, false);
    state_.AufzTimer.Stop();
}

void RecordingControl::AufzstartenMenuItemClick() {
    if (!state_.Active && session_.World.State().Current.StartPlaced &&
        (!state_.Unsaved || ui_.AskQuestion(kDiscardRecording))) {
        state_.Active = true;
        ui_.SetEditorText({});
        for (const char* line : kRecordingHead)
            ui_.AppendEditorLine(DecodeWindows1252(line));
        state_.Unsaved = true;
        SetFileName(kDefaultRecordingFile);
        SetRecordingCommands({Command::Aufzspeichern, Command::Aufzspeichernunter}, false);
    } else if (!session_.World.State().Current.StartPlaced) {
        ui_.ShowMessage(kNoFigureMessage);
    }
    session_.FormPaint();
}

void RecordingControl::AufzbeendenMenuItemClick() {
    if (!state_.Active) return;
    state_.Active = false;
    ui_.AppendEditorLine(DecodeWindows1252(kRecordingEnd));
    SetRecordingCommands({Command::Aufzspeichern, Command::Aufzspeichernunter}, true);
}

void RecordingControl::FormKeyDown(int virtualKey) {
    if (!state_.Active) return;
    state_.Unsaved = true;
    const std::optional<TSymbol> instruction = HandKeyInstruction(virtualKey);
    if (!instruction) return;
    // The press is logged before the action is tried, so a recording logs presses, failed ones too.
    ui_.AppendEditorLine(DecodeWindows1252(RecordingLine(*instruction)));
    Stage stage = session_.World.ActionStage(session_.Run.AnimationStep());
    const std::optional<ActionResult> result = ActOnPlacedFigure(*instruction, stage);
    if (result && *result == ActionResult::Done) return;
    ui_.ShowMessage(result ? ActionMessage(*result) : kNoFigureMessage);
    session_.FormPaint();
}

void RecordingControl::StopReplay() {
    state_.AufzTimer.Stop();
    SetRecordingCommands({Command::Aufzstarten, Command::Aufzbeenden, Command::Aufzwiederholen,
                          Command::Aufzladen, Command::Aufzspeichernunter},
                         true);
}

void RecordingControl::AufzladenMenuItemClick() {
    if (!state_.Active || ui_.AskQuestion(kDiscardRecording)) {
        if (const std::optional<std::string> path =
                session_.Programs.ChooseProgramFile(FileDialogSpec::Open, kRecordingFilter, {}))
            if (!LoadRecordingFile(*path)) return;
    }
    session_.FormPaint();
}

bool RecordingControl::LoadRecordingFile(const std::string& path) {
    SetFileName(path);
    const std::optional<std::u16string> text = session_.Programs.ReadEditorText(path);
    if (!text) return false;
    ui_.SetEditorText(*text);
    state_.Unsaved = false;
    SetRecordingCommands({Command::Aufzspeichern, Command::Aufzspeichernunter}, true);
    return true;
}

void RecordingControl::AufzspeichernMenuItemClick() {
    if (state_.Active) {
        ui_.ShowMessage(kEndRecordingFirst);
    } else {
        if (!session_.Programs.WriteEditorText(state_.FileName)) return;
        state_.Unsaved = false;
    }
    session_.FormPaint();
}

void RecordingControl::AufzspeichernunterMenuItemClick() {
    if (state_.Active || EditorLineCount(ui_) == 0) {
        ui_.ShowMessage(kEndRecordingFirst);
    } else {
        // Text the file cannot hold is refused before a name is asked for.
        if (!session_.Programs.EditorTextIsSavable()) return;
        if (const std::optional<std::string> path = session_.Programs.ChooseProgramFile(
                FileDialogSpec::Save, kRecordingFilter, state_.FileName)) {
            SetFileName(*path);
            if (!session_.Programs.WriteEditorText(*path)) return;
            ui_.SetCommandEnabled(Command::Aufzspeichern, true);
            state_.Unsaved = false;
        }
    }
    session_.FormPaint();
}

void RecordingControl::AufzwiederholenMenuItemClick() {
    const bool startPlaced = session_.World.State().Current.StartPlaced;
    if (EditorLineCount(ui_) > 0 && startPlaced && !state_.Active) {
        // Unless the edits are to be dropped, the user may save them first; the reset then brings
        // them back from the stored world.
        session_.World.RestoreForRun();
        if (session_.World.State().Current.StartPlaced) {
            const ReplayHeader header =
                StartReplay(state_.Replay, PackProgramText(CoreBytes(ui_.EditorText())));
            if (header == ReplayHeader::Accepted) {
                SetRecordingCommands({Command::Aufzstarten, Command::Aufzbeenden, Command::Aufzwiederholen,
                                      Command::Aufzladen, Command::Aufzspeichern,
                                      Command::Aufzspeichernunter},
                                     false);
                state_.AufzTimer.Start();
            } else {
                ui_.ShowMessage(ReplayHeaderMessage(header));
                session_.FormPaint();
            }
        }
    }
    if (!session_.World.State().Current.StartPlaced) {
        ui_.ShowMessage(kNoFigureMessage);
        session_.FormPaint();
    }
}

void RecordingControl::AufzTimerTimer() {
    state_.AufzTimer.SetInterval(kReplayMsPerPosition * ui_.SpeedPosition() + 1);
    Stage stage = session_.World.ActionStage(session_.Run.AnimationStep());
    const ReplayTick tick = ReplayStep(state_.Replay, stage);
    if (tick.PlacesCaret) ui_.SelectInEditor(tick.Caret, tick.SelectionLength);
    if (tick.End == ReplayEnd::None) return;
    // The timer stops before any message, so that no tick comes while the box is open.
    StopReplay();
    if (tick.Message.empty()) return;
    ui_.ShowMessage(tick.Message);
    session_.FormPaint();
}

} // namespace nibbo
