// The records of the session's subsystems are theirs alone; tests reach them here to set up a
// state directly or to look at one, as no other part of the program may.
#pragma once

#include "shell/session.h"

namespace nibbo::testing {

struct StateAccess {
    static WorldState& Of(WorldControl& control) { return control.state_; }
    static ProgramState& Of(SyntaxControl& control) { return control.state_; }
    static RunState& Of(RunControl& control) { return control.state_; }
    static RecordingState& Of(RecordingControl& control) { return control.state_; }
    static ProgramFileState& Of(ProgramFiles& control) { return control.state_; }
};

// The records of the session of a front end: the main window, or a test's scripted front end.
// Templates, so that tests without widgets need not see the window.
inline WorldState& WorldOf(auto& owner) {
    return StateAccess::Of(owner.Session().World);
}
inline ProgramState& ProgramOf(auto& owner) {
    return StateAccess::Of(owner.Session().Syntax);
}
inline RunState& RunOf(auto& owner) {
    return StateAccess::Of(owner.Session().Run);
}
inline RecordingState& RecordingOf(auto& owner) {
    return StateAccess::Of(owner.Session().Recording);
}
inline ProgramFileState& ProgramsOf(auto& owner) {
    return StateAccess::Of(owner.Session().Programs);
}
inline World& CurrentWorld(auto& owner) {
    return WorldOf(owner).Current;
}
inline WorldRecord& StoredWorld(auto& owner) {
    return WorldOf(owner).Stored;
}

} // namespace nibbo::testing
