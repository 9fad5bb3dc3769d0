// The syntax check on the button "Syntax-Überprüfung".
#include "shell/nibboform.h"

namespace nibbo {

void TNibboForm::SyntaxSpeedButtonClick() {}
void TNibboForm::SelectErrorLine() {}

} // namespace nibbo
