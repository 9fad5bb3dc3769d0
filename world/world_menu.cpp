// The world menu and the mouse editor of the main window.
#include "shell/nibboform.h"

namespace nibbo {

void TNibboForm::FeldEditorDrawGridMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, QPoint) {}
void TNibboForm::AFresetMenuItemClick() {}
void TNibboForm::NeuAFMenuItemClick() {}
void TNibboForm::AFladenMenuItemClick() {}
void TNibboForm::AFspeichernMenuItemClick() {}
void TNibboForm::AFspeichernunterMenuItemClick() {}

} // namespace nibbo
