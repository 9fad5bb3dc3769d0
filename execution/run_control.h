// The run control: starting, pacing, pausing, single-stepping and stopping a program run, and the
// figure's chewing between two statements. The execution registers, the run's flags and its two
// timers live here, once.
#pragma once

#include "execution/engine.h"
#include "shell/front_end.h"
#include "shell/session_timer.h"

namespace nibbo {

class NibboSession;
namespace testing {
struct StateAccess;
}

struct RunState {
    ExecRegisters Registers; // ProcIndex, StatementIndex, ReturnStack
    bool RunActive = false;
    bool StepMode = false;
    int AnimationStep = 0;
    SessionTimer MoveTimer; // one statement per tick
    SessionTimer StepTimer; // the frames of the chewing between two statements
};

class RunControl {
public:
    RunControl(NibboSession& session, FrontEnd& ui);

    const RunState& State() const { return state_; }

    // --- Handlers ---
    void RunSpeedButtonClick();
    void PauseSpeedButtonClick();
    void StopSpeedButtonClick();
    void StepSpeedButtonClick();
    void MoveTimerTimer();
    void StepTimerTimer();
    // Before a run: the world restored, the program checked; false when it cannot run.
    bool PrepareRun();
    // Both timers off, the world view, the stock field and the editor unlocked.
    void HaltExecution();

    // --- For the rest of the session ---
    void Create() { state_.StepMode = false; }
    // The frame of the figure's chewing that hand control and the replay draw it with.
    int AnimationStep() const { return state_.AnimationStep; }

private:
    friend struct testing::StateAccess;

    void SetLocked(bool locked);

    NibboSession& session_;
    FrontEnd& ui_;
    RunState state_;
};

} // namespace nibbo
