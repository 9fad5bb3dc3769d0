// The run control: starting, pacing, pausing, single-stepping and stopping a program run.
#include "shell/nibboform.h"

#include "shell/prg_memo.h"
#include "shell/spin_edit.h"
#include "world/world_view.h"

#include <QTimer>

namespace nibbo {

void TNibboForm::RunSpeedButtonClick() {}
void TNibboForm::PauseSpeedButtonClick() {}
void TNibboForm::StepSpeedButtonClick() {}
void TNibboForm::MoveTimerTimer() {}
void TNibboForm::StepTimerTimer() {}
bool TNibboForm::PrepareRun() { return false; }

void TNibboForm::StopSpeedButtonClick() {
    StepMode = false;
    RunActive = false;
    HaltExecution();
}

void TNibboForm::HaltExecution() {
    MoveTimer->stop();
    StepTimer->stop();
    FeldEditorDrawGrid->setEnabled(true);
    ItemsSpinEdit->setEnabled(true);
    PrgMemo->setEnabled(true);
}

} // namespace nibbo
