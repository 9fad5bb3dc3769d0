// MoveTimer paces the statements; after a statement that is followed by an animation it hands over
// to StepTimer, which draws five frames at a fifth of the statement interval and runs the next
// statement at its sixth tick.
#include "execution/run_control.h"

#include "shell/session.h"

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
    RunDisplay(FrontEnd& ui, SessionTimer& moveTimer) : ui_(ui), moveTimer_(moveTimer) {}

    void StatementFetched(const TAnweisung& statement) override {
        fetched_ = true;
        if (statement.SelStart > 0) selected_ = &statement;
    }

    void Show() const {
        if (!fetched_) return;
        const int interval = MoveInterval(ui_.SpeedPosition());
        // Setting an interval restarts a running timer; only a change of speed should.
        if (moveTimer_.Interval() != interval) moveTimer_.SetInterval(interval);
        if (selected_) ui_.SelectInEditor(selected_->SelStart - 1, selected_->SelLength);
    }

private:
    FrontEnd& ui_;
    SessionTimer& moveTimer_;
    bool fetched_ = false;
    const TAnweisung* selected_ = nullptr;
};

} // namespace

RunControl::RunControl(NibboSession& session, FrontEnd& ui)
    : session_(session),
      ui_(ui), state_{{}, false, false, 0, {ui, Timer::Move, 150}, {ui, Timer::Step, 1000}} {
}

void RunControl::SetLocked(bool locked) {
    for (const Control control : {Control::WorldView, Control::StockField, Control::Editor})
        ui_.SetControlEnabled(control, !locked);
}

bool RunControl::PrepareRun() {
    session_.World.RestoreForRun();
    session_.Syntax.SyntaxSpeedButtonClick();
    if (!session_.Syntax.State().Lines.empty() || !session_.World.State().Current.StartPlaced) return false;
    ResetRegisters(state_.Registers);
    SetLocked(true);
    return true;
}

void RunControl::RunSpeedButtonClick() {
    state_.StepMode = false;
    if (!PrepareRun()) return;
    state_.RunActive = true;
    // An animation still in progress is not cut short: the new run's first statement comes at its
    // end or at the first MoveTimer tick, whichever is earlier.
    state_.MoveTimer.Start();
}

void RunControl::StepSpeedButtonClick() {
    if (state_.StepMode) {
        if (state_.MoveTimer.IsActive())
            PauseSpeedButtonClick();
        else
            MoveTimerTimer();
    } else if (state_.RunActive) {
        PauseSpeedButtonClick();
    } else {
        if (!PrepareRun()) return;
        state_.StepMode = true;
        state_.RunActive = true;
        MoveTimerTimer();
    }
}

void RunControl::PauseSpeedButtonClick() {
    if (!state_.RunActive) {
        state_.StepMode = false;
        RunSpeedButtonClick();
        return;
    }
    state_.AnimationStep = 0;
    state_.StepMode = true;
    if (state_.MoveTimer.IsActive() || state_.StepTimer.IsActive()) {
        state_.MoveTimer.Stop();
        state_.StepTimer.Stop();
    } else {
        // Continued: one statement per MoveTimer tick, without animation while StepMode holds.
        state_.MoveTimer.Start();
    }
}

void RunControl::StopSpeedButtonClick() {
    state_.StepMode = false;
    state_.RunActive = false;
    HaltExecution();
}

void RunControl::MoveTimerTimer() {
    if (!state_.RunActive) return; // ticks belong to a run; without one there is nothing to execute
    state_.AnimationStep = 0;
    Stage stage = session_.World.ActionStage(state_.AnimationStep);
    RunDisplay display(ui_, state_.MoveTimer);
    const StepResult result =
        ExecuteStep(session_.Syntax.State().ProcTable, state_.Registers, stage, display);
    display.Show();
    switch (result.Outcome) {
    case StepOutcome::Executed:
        if (state_.MoveTimer.Interval() > kAnimatedAbove && !state_.StepMode) {
            state_.MoveTimer.Stop();
            state_.StepTimer.SetInterval(state_.MoveTimer.Interval() / 5);
            state_.StepTimer.Start();
        } else {
            // Only after a restart by Run can an animation of the old run still be playing; the
            // new run's first statement has come, and the old animation must not run another.
            state_.StepTimer.Stop();
        }
        break;
    case StepOutcome::Finished:
        HaltExecution();
        state_.StepMode = false;
        state_.RunActive = false;
        ui_.ShowMessage(kProgramFinishedMessage);
        ui_.SelectInEditor(ui_.EditorSelStart(), 0);
        session_.FormPaint();
        break;
    case StepOutcome::Failed:
        HaltExecution();
        state_.StepMode = false;
        state_.RunActive = false;
        ui_.ShowMessage(result.Message);
        session_.FormPaint();
        break;
    case StepOutcome::Silent:
        break;
    }
}

void RunControl::StepTimerTimer() {
    if (!state_.RunActive) return;
    if (state_.AnimationStep >= kAnimationTicks) {
        state_.StepTimer.Stop();
        state_.MoveTimer.Start();
        MoveTimerTimer();
        return;
    }
    ++state_.AnimationStep;
    session_.World.DrawFigureFrame(state_.AnimationStep);
}

void RunControl::HaltExecution() {
    state_.MoveTimer.Stop();
    state_.StepTimer.Stop();
    SetLocked(false);
}

} // namespace nibbo
