// The menu "Aufzeichnen": recording mode, hand control by keys, recording files and the replay.
#include "shell/nibboform.h"

namespace nibbo {

void TNibboForm::AufzmodusanMenuItemClick() {}
void TNibboForm::AufzstartenMenuItemClick() {}
void TNibboForm::AufzbeendenMenuItemClick() {}
void TNibboForm::AufzwiederholenMenuItemClick() {}
void TNibboForm::AufzladenMenuItemClick() {}
void TNibboForm::AufzspeichernMenuItemClick() {}
void TNibboForm::AufzspeichernunterMenuItemClick() {}
void TNibboForm::AufzTimerTimer() {}
void TNibboForm::StopReplay() {}
void TNibboForm::FormKeyDown(int, Qt::KeyboardModifiers) {}

} // namespace nibbo
