// The world as the user works on it: the menu "Nibbos Welt", the mouse editor on the world view,
// and the questions that protect an edited world. The current and the stored world and the world
// file's name live here, once; the other parts of the session read them and change them only
// through the functions below.
#pragma once

#include "shell/front_end.h"
#include "world/actions.h"
#include "world/editor.h"
#include "world/world.h"

#include <string>

namespace nibbo {

class NibboSession;
namespace testing {
struct StateAccess;
}

struct WorldState {
    World Current;
    WorldRecord Stored;
    std::string FileName;
    FileDialogSpec FeldSelectDialog;
    FileDialogSpec FeldSaveDialog;
};

class WorldControl {
public:
    WorldControl(NibboSession& session, FrontEnd& ui);

    const WorldState& State() const { return state_; }

    // --- Handlers ---
    void FeldEditorDrawGridMouseDown(EditorButton button, unsigned modifiers, int column, int row);
    void AFresetMenuItemClick();
    void NeuAFMenuItemClick();
    void AFladenMenuItemClick();
    void AFspeichernMenuItemClick();
    void AFspeichernunterMenuItemClick();

    // "Welt laden" from the point where the file is chosen. False when the file could not be read
    // (the command then ends without the closing repaint).
    bool LoadWorldFile(const std::string& path);
    // "Welt laden" with a world that the user chose elsewhere than in the open dialog, such as a
    // task's start world on the web page: the same question before an edited world is lost, the
    // same file name in the status bar, the same repaint. The working folder stays as it is.
    void LoadGivenWorld(const std::string& path);

    // --- For the rest of the session ---
    // Names the file, also in the status bar.
    void SetFileName(const std::string& name);
    // Start-up: the empty walled world under the default name; StoreCreated stores it.
    void Create();
    void StoreCreated();
    // Draws the whole current world.
    void Paint();
    // Before a run or a replay: unless the question about an edited world is answered Ja, the
    // world may be saved first; then the stored world comes back and is drawn.
    void RestoreForRun();
    // The figure in its cell in a frame of its chewing, the cell drawn anew beneath it.
    void DrawFigureFrame(int animationStep);
    // Whether the world may be left behind: it holds no edits, or the question is answered Ja.
    bool MayEnd(const char* question);
    // Where the figure's actions take place: the current world, the stock field and the world view.
    Stage ActionStage(int animationStep);

private:
    friend struct testing::StateAccess;

    // Reads and checks a world file into record, showing why not. False: nothing was read; a
    // refused file is read but not taken.
    enum class Reading { Loaded, Unreadable, Refused };
    Reading ReadWorldFile(const std::string& path, WorldRecord& record);
    bool WriteWorldFile(const std::string& path);

    NibboSession& session_;
    FrontEnd& ui_;
    WorldState state_;
};

} // namespace nibbo
