// The run control: starting, pacing, pausing, single-stepping and stopping a program run, and the
// figure's chewing between two statements. MoveTimer paces the statements; after a statement that
// is followed by an animation it hands over to StepTimer, which draws five frames at a fifth of the
// statement interval and runs the next statement at its sixth tick.
#include "shell/nibboform.h"

#include "shell/prg_memo.h"
#include "shell/spin_edit.h"
#include "world/world_paint.h"
#include "world/world_view.h"

#include <QListWidget>
#include <QSlider>
#include <QTimer>

namespace nibbo {

namespace {

// Intervals above this many milliseconds are followed by the animation.
constexpr int kAnimatedAbove = 100;
constexpr int kAnimationTicks = 5; // frames drawn; the sixth tick runs the next statement

// Milliseconds from one MoveTimer tick to the next at a slider position (0..10).
int MoveInterval(int position) {
    return position * 80 + 1;
}

// What a step shows of the statements it fetches: the text of the last one that has text of its
// own selected in the editor, and the pace taken from the slider as it stands now, so that moving
// the slider takes effect at the next statement. A step that runs through a chain of block ends
// fetches several statements, but only its last selection can ever be seen, so it is set once.
class RunDisplay : public StepObserver {
public:
    explicit RunDisplay(TNibboForm& form) : form_(form) {}

    void StatementFetched(const TAnweisung& statement) override {
        fetched_ = true;
        if (statement.SelStart > 0) selected_ = &statement;
    }

    void Show() const {
        if (!fetched_) return;
        const int interval = MoveInterval(form_.SpeedTrackBar->value());
        // Setting an interval restarts a running timer; only a change of speed should.
        if (form_.MoveTimer->interval() != interval) form_.MoveTimer->setInterval(interval);
        if (selected_) form_.PrgMemo->SetSelection(selected_->SelStart - 1, selected_->SelLength);
    }

private:
    TNibboForm& form_;
    bool fetched_ = false;
    const TAnweisung* selected_ = nullptr;
};

} // namespace

bool TNibboForm::PrepareRun() {
    // An edited world may be saved before the stored one comes back; cancelling loses the edits.
    if (CurrentWorld.WorldModified &&
        !Dialogs->AskQuestion(QStringLiteral("Nibbos Welt wurde verändert! Zurücksetzen?")))
        AFspeichernunterMenuItemClick();
    RestoreWorld(StoredWorld, CurrentWorld, *ItemsSpinEdit);
    FormPaint();
    SyntaxSpeedButtonClick();
    if (InfoListBox->count() > 0 || !CurrentWorld.StartPlaced) return false;
    ResetRegisters(Registers);
    FeldEditorDrawGrid->setEnabled(false);
    ItemsSpinEdit->setEnabled(false);
    PrgMemo->setEnabled(false);
    return true;
}

void TNibboForm::RunSpeedButtonClick() {
    StepMode = false;
    if (!PrepareRun()) return;
    RunActive = true;
    // An animation still in progress is not cut short: the new run's first statement comes at its
    // end or at the first MoveTimer tick, whichever is earlier.
    MoveTimer->start();
}

void TNibboForm::StepSpeedButtonClick() {
    if (StepMode) {
        if (MoveTimer->isActive())
            PauseSpeedButtonClick();
        else
            MoveTimerTimer();
    } else if (RunActive) {
        PauseSpeedButtonClick();
    } else {
        if (!PrepareRun()) return;
        StepMode = true;
        RunActive = true;
        MoveTimerTimer();
    }
}

void TNibboForm::PauseSpeedButtonClick() {
    if (!RunActive) {
        StepMode = false;
        RunSpeedButtonClick();
        return;
    }
    AnimationStep = 0;
    StepMode = true;
    if (MoveTimer->isActive() || StepTimer->isActive()) {
        MoveTimer->stop();
        StepTimer->stop();
    } else {
        // Continued: one statement per MoveTimer tick, without animation while StepMode holds.
        MoveTimer->start();
    }
}

void TNibboForm::StopSpeedButtonClick() {
    StepMode = false;
    RunActive = false;
    HaltExecution();
}

void TNibboForm::MoveTimerTimer() {
    if (!RunActive) return; // ticks belong to a run; without one there is nothing to execute
    AnimationStep = 0;
    Stage stage{CurrentWorld, *ItemsSpinEdit, *FeldEditorDrawGrid, AnimationStep};
    RunDisplay display(*this);
    const StepResult result = ExecuteStep(ProcTable, Registers, stage, display);
    display.Show();
    switch (result.Outcome) {
    case StepOutcome::Executed:
        if (MoveTimer->interval() > kAnimatedAbove && !StepMode) {
            MoveTimer->stop();
            StepTimer->setInterval(MoveTimer->interval() / 5);
            StepTimer->start();
        } else {
            // Only after a restart by Run can an animation of the old run still be playing; the
            // new run's first statement has come, and the old animation must not run another.
            StepTimer->stop();
        }
        break;
    case StepOutcome::Finished:
        HaltExecution();
        StepMode = false;
        RunActive = false;
        Dialogs->ShowMessage(QStringLiteral("Programm beendet!"));
        PrgMemo->SetSelection(PrgMemo->SelStart(), 0);
        FormPaint();
        break;
    case StepOutcome::Failed:
        HaltExecution();
        StepMode = false;
        RunActive = false;
        Dialogs->ShowMessage(QString::fromUtf8(result.Message));
        FormPaint();
        break;
    case StepOutcome::Silent:
        break;
    }
}

void TNibboForm::StepTimerTimer() {
    if (!RunActive) return;
    if (AnimationStep >= kAnimationTicks) {
        StepTimer->stop();
        MoveTimer->start();
        MoveTimerTimer();
        return;
    }
    ++AnimationStep;
    RedrawCell(CurrentWorld, *FeldEditorDrawGrid, CurrentWorld.StartColumn, CurrentWorld.StartRow);
    DrawFigure(CurrentWorld, *FeldEditorDrawGrid, AnimationStep);
}

void TNibboForm::HaltExecution() {
    MoveTimer->stop();
    StepTimer->stop();
    FeldEditorDrawGrid->setEnabled(true);
    ItemsSpinEdit->setEnabled(true);
    PrgMemo->setEnabled(true);
}

} // namespace nibbo
