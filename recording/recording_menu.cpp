// The menu "Aufzeichnen": recording mode, hand control by keys, recording files and the replay.
// The enabled states of the six items below the mode item follow the events that change them, not
// a state: every handler sets exactly the items its event concerns and checks the flags itself.
#include "shell/nibboform.h"

#include "recording/hand_control.h"
#include "recording/replay.h"
#include "shell/prg_memo.h"
#include "shell/spin_edit.h"
#include "world/world_view.h"

#include <QAction>
#include <QMenu>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

namespace nibbo {

namespace {

const char* const kDiscardProgram = "Das Programm wurde noch nicht gespeichert!  Löschen?";
const char* const kDiscardActiveRecording =
    "Die Aufzeichnung wurde noch nicht beendet/gespeichert!  Löschen?";
const char* const kDiscardRecording = "Die Aufzeichnung wurde noch nicht gespeichert!  Löschen?";
const char* const kEndRecordingFirst = "Erst die Aufzeichnung beenden!";
const char* const kWorldChanged = "Nibbos Welt wurde verändert! Zurücksetzen?";
const char* const kDefaultRecordingFile = "aufzeichnung.afz";
const char* const kDefaultProgramFile = "programm.pas";

// The recording filter of the program dialogs ("Aufzeichnung", "*.afz").
constexpr int kRecordingFilter = 1;

// The replay waits 80 ms per position of the speed slider, and 1 ms more.
constexpr int kReplayMsPerPosition = 80;

// Qt names a letter key by its capital, whatever Shift, Caps Lock, Ctrl or Alt do, and so does
// the virtual-key code; no other key has a virtual-key code of a letter.
int VirtualKeyCode(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    return 0;
}

void SetEnabled(std::initializer_list<QAction*> items, bool enabled) {
    for (QAction* item : items)
        item->setEnabled(enabled);
}

} // namespace

void TNibboForm::AufzmodusanMenuItemClick() {
    const std::initializer_list<QToolButton*> buttons = {RunSpeedButton, PauseSpeedButton, StepSpeedButton,
                                                         StopSpeedButton, SyntaxSpeedButton};
    if (!RecordingMode) {
        if (ProgramModified && !Dialogs->AskQuestion(QString::fromUtf8(kDiscardProgram))) return;
        StopSpeedButtonClick();
        PrgMemo->Clear();
        RecordingMode = true;
        AufzmodusanMenuItem->setText(QStringLiteral("Aufzeichnungsmodus aus"));
        ProgrammMenuItem->setEnabled(false);
        ProgrammMenuItem->menuAction()->setEnabled(false);
        for (QToolButton* button : buttons)
            button->setEnabled(false);
        StopReplay();
        SetRecordingFileName(QString::fromLatin1(kDefaultRecordingFile));
        SetEnabled({AufzspeichernMenuItem, AufzspeichernunterMenuItem}, false);
        return;
    }
    if (RecordingActive && !Dialogs->AskQuestion(QString::fromUtf8(kDiscardActiveRecording))) return;
    RecordingMode = false;
    RecordingActive = false;
    AufzmodusanMenuItem->setText(QStringLiteral("Aufzeichnungsmodus an"));
    ProgrammMenuItem->setEnabled(true);
    ProgrammMenuItem->menuAction()->setEnabled(true);
    for (QToolButton* button : buttons)
        button->setEnabled(true);
    SetEnabled({AufzstartenMenuItem, AufzbeendenMenuItem, AufzwiederholenMenuItem}, false);
    SetProgramFileName(QString::fromLatin1(kDefaultProgramFile));
    SetEnabled({AufzladenMenuItem, AufzspeichernMenuItem, AufzspeichernunterMenuItem}, false);
    PrgMemo->Clear();
    ProgramModified = false;
    AufzTimer->stop();
}

void TNibboForm::AufzstartenMenuItemClick() {
    if (!RecordingActive && CurrentWorld.StartPlaced &&
        (!RecordingUnsaved || Dialogs->AskQuestion(QString::fromUtf8(kDiscardRecording)))) {
        RecordingActive = true;
        PrgMemo->Clear();
        for (const char* line : kRecordingHead)
            PrgMemo->AppendLine(QString::fromLatin1(line));
        RecordingUnsaved = true;
        SetRecordingFileName(QString::fromLatin1(kDefaultRecordingFile));
        SetEnabled({AufzspeichernMenuItem, AufzspeichernunterMenuItem}, false);
    } else if (!CurrentWorld.StartPlaced) {
        Dialogs->ShowMessage(QString::fromUtf8(kNoFigureMessage));
    }
    FormPaint();
}

void TNibboForm::AufzbeendenMenuItemClick() {
    if (!RecordingActive) return;
    RecordingActive = false;
    PrgMemo->AppendLine(QString::fromLatin1(kRecordingEnd));
    SetEnabled({AufzspeichernMenuItem, AufzspeichernunterMenuItem}, true);
}

void TNibboForm::FormKeyDown(int key, Qt::KeyboardModifiers) {
    if (!RecordingActive) return;
    RecordingUnsaved = true;
    const std::optional<TSymbol> instruction = HandKeyInstruction(VirtualKeyCode(key));
    if (!instruction) return;
    // The press is logged before the action is tried, so a recording logs presses, failed ones too.
    PrgMemo->AppendLine(QString::fromLatin1(RecordingLine(*instruction)));
    Stage stage{CurrentWorld, *ItemsSpinEdit, *FeldEditorDrawGrid, AnimationStep};
    const std::optional<ActionResult> result = ActOnPlacedFigure(*instruction, stage);
    if (result && *result == ActionResult::Done) return;
    Dialogs->ShowMessage(QString::fromUtf8(result ? ActionMessage(*result) : kNoFigureMessage));
    FormPaint();
}

void TNibboForm::StopReplay() {
    AufzTimer->stop();
    SetEnabled({AufzstartenMenuItem, AufzbeendenMenuItem, AufzwiederholenMenuItem, AufzladenMenuItem,
                AufzspeichernunterMenuItem},
               true);
}

void TNibboForm::AufzladenMenuItemClick() {
    if (!RecordingActive || Dialogs->AskQuestion(QString::fromUtf8(kDiscardRecording))) {
        if (const std::optional<QString> path = ChooseProgramFile(PrgOpenDialog, kRecordingFilter, {})) {
            SetRecordingFileName(*path);
            const std::optional<QString> text = ReadEditorText(*path);
            if (!text) return;
            PrgMemo->SetText(*text);
            RecordingUnsaved = false;
            SetEnabled({AufzspeichernMenuItem, AufzspeichernunterMenuItem}, true);
        }
    }
    FormPaint();
}

void TNibboForm::AufzspeichernMenuItemClick() {
    if (RecordingActive) {
        Dialogs->ShowMessage(QString::fromUtf8(kEndRecordingFirst));
    } else {
        if (!WriteEditorText(RecordingFileName)) return;
        RecordingUnsaved = false;
    }
    FormPaint();
}

void TNibboForm::AufzspeichernunterMenuItemClick() {
    if (RecordingActive || PrgMemo->LineCount() == 0) {
        Dialogs->ShowMessage(QString::fromUtf8(kEndRecordingFirst));
    } else {
        // Text the file cannot hold is refused before a name is asked for.
        if (!EditorTextIsSavable()) return;
        if (const std::optional<QString> path =
                ChooseProgramFile(PrgSaveDialog, kRecordingFilter, RecordingFileName)) {
            SetRecordingFileName(*path);
            if (!WriteEditorText(*path)) return;
            AufzspeichernMenuItem->setEnabled(true);
            RecordingUnsaved = false;
        }
    }
    FormPaint();
}

void TNibboForm::AufzwiederholenMenuItemClick() {
    if (PrgMemo->LineCount() > 0 && CurrentWorld.StartPlaced && !RecordingActive) {
        // Unless the edits are to be dropped, the user may save them first; the reset below then
        // brings them back from the stored world.
        if (CurrentWorld.WorldModified && !Dialogs->AskQuestion(QString::fromUtf8(kWorldChanged)))
            AFspeichernunterMenuItemClick();
        RestoreWorld(StoredWorld, CurrentWorld, *ItemsSpinEdit);
        FormPaint();
        if (CurrentWorld.StartPlaced) {
            const ReplayHeader header = StartReplay(Replay, PrgMemo->CoreLines());
            if (header == ReplayHeader::Accepted) {
                SetEnabled({AufzstartenMenuItem, AufzbeendenMenuItem, AufzwiederholenMenuItem,
                            AufzladenMenuItem, AufzspeichernMenuItem, AufzspeichernunterMenuItem},
                           false);
                AufzTimer->start();
            } else {
                Dialogs->ShowMessage(QString::fromUtf8(ReplayHeaderMessage(header)));
                FormPaint();
            }
        }
    }
    if (!CurrentWorld.StartPlaced) {
        Dialogs->ShowMessage(QString::fromUtf8(kNoFigureMessage));
        FormPaint();
    }
}

void TNibboForm::AufzTimerTimer() {
    AufzTimer->setInterval(kReplayMsPerPosition * SpeedTrackBar->value() + 1);
    Stage stage{CurrentWorld, *ItemsSpinEdit, *FeldEditorDrawGrid, AnimationStep};
    const ReplayTick tick = ReplayStep(Replay, stage);
    if (tick.PlacesCaret) PrgMemo->SetSelection(tick.Caret, tick.SelectionLength);
    if (tick.End == ReplayEnd::None) return;
    // The timer stops before any message, so that no tick comes while the box is open.
    StopReplay();
    if (tick.Message.empty()) return;
    Dialogs->ShowMessage(QString::fromUtf8(tick.Message.c_str()));
    FormPaint();
}

} // namespace nibbo
