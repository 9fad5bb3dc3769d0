// The records of the session's subsystems are theirs alone; tests reach them here to set up a
// state directly or to look at one, as no other part of the program may.
#pragma once

#include "shell/nibboform.h"

namespace nibbo::testing {

struct StateAccess {
    static WorldState& Of(WorldControl& control) { return control.state_; }
    static ProgramState& Of(SyntaxControl& control) { return control.state_; }
    static RunState& Of(RunControl& control) { return control.state_; }
    static RecordingState& Of(RecordingControl& control) { return control.state_; }
    static ProgramFileState& Of(ProgramFiles& control) { return control.state_; }
};

// The records of the window's session.
inline WorldState& WorldOf(TNibboForm& form) {
    return StateAccess::Of(form.Session().World);
}
inline ProgramState& ProgramOf(TNibboForm& form) {
    return StateAccess::Of(form.Session().Syntax);
}
inline RunState& RunOf(TNibboForm& form) {
    return StateAccess::Of(form.Session().Run);
}
inline RecordingState& RecordingOf(TNibboForm& form) {
    return StateAccess::Of(form.Session().Recording);
}
inline ProgramFileState& ProgramsOf(TNibboForm& form) {
    return StateAccess::Of(form.Session().Programs);
}
inline World& CurrentWorld(TNibboForm& form) {
    return WorldOf(form).Current;
}
inline WorldRecord& StoredWorld(TNibboForm& form) {
    return WorldOf(form).Stored;
}

} // namespace nibbo::testing
