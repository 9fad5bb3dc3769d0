// The program menu: the editor's text as a program file.
#include "shell/nibboform.h"

namespace nibbo {

void TNibboForm::PrgMemoChange() { ProgramModified = true; }
void TNibboForm::ClearProgram() {}
void TNibboForm::NeuPrgMenuItemClick() {}
void TNibboForm::PrgladenMenuItemClick() {}
void TNibboForm::PrgspeichernMenuItemClick() {}
void TNibboForm::PrgspeichernunterMenuItemClick() {}

} // namespace nibbo
