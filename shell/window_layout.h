// The main window as data, for every front end that shows it (the desktop window, the web page):
// where each control stands, what the menus, buttons and labels say, which of the session's
// handlers each menu command and button calls, and the texts the window starts with. A front end
// builds its controls from these tables, so the window looks and reads the same everywhere.
#pragma once

#include "resources/picture_shapes.h"
#include "shell/front_end.h"

#include <array>
#include <optional>
#include <vector>

namespace nibbo {

class NibboSession;

struct Box {
    int Left, Top, Width, Height;
};

namespace layout {

// The client area under the menu bar: the controls at its top, the bottom panel, the status bar.
inline constexpr int kClientWidth = 1008;
inline constexpr int kClientHeight = 635;
inline constexpr Box kWorldView{1, 1, 628, 524};
inline constexpr Box kEditor{640, 0, 361, 529};
inline constexpr Box kPanel{0, 527, kClientWidth, 89};
inline constexpr int kStatusBarHeight = 19;
inline constexpr std::array<int, 3> kStatusPanelWidths{162, 400, 400};

// On the bottom panel.
inline constexpr Box kStockField{392, 24, 49, 22};
inline constexpr Box kSlider{456, 48, 174, 33}; // ends under the syntax button's right edge
inline constexpr Box kMessageList{640, 8, 361, 73};
inline constexpr int kButtonTop = 8;
inline constexpr int kButtonWidth = 23;
inline constexpr int kButtonHeight = 22;

} // namespace layout

struct Label {
    const char* Text;
    int Left, Top;
};

// The legend on the bottom panel: how the mouse builds a world.
enum class LegendPicture { Start, Wall, Path, Food };
struct LegendEntry {
    LegendPicture Picture;
    int Left, Top; // of the 25 x 25 picture
    Label Title, Hint;
};
const std::array<LegendEntry, 4>& Legend();
// A legend's picture, drawn over a square of the path colour: the figure at rest facing east, the
// wall, nothing (the bare path), five portions of food.
pictures::Picture LegendPictureShapes(LegendPicture picture);

// The names by which assistive technology calls the controls that have no label of their own; the
// stock field and the slider are called by their labels.
inline constexpr const char* kWorldViewName = "Weltansicht";
inline constexpr const char* kEditorName = "Programm";
inline constexpr const char* kMessageListName = "Meldungen";

inline constexpr Label kStockLabel{"Futter:", 392, 8};
inline constexpr Label kSpeedLabel{"Verzögerung:", 392, 56};

// The slider: positions 0..10, at 5 when the window opens.
inline constexpr int kSpeedMinimum = 0;
inline constexpr int kSpeedMaximum = 10;
inline constexpr int kSpeedAtStart = 5;

// The five picture buttons; their hints are their tooltips.
struct RunButton {
    Command Which; // RunButton, PauseButton, StopButton, StepButton or SyntaxButton
    pictures::Button Picture;
    const char* Hint;
    int Left;
};
const std::array<RunButton, 5>& RunButtons();
// The session's handler of a button.
void PressButton(NibboSession& session, Command which);

// The menu bar: menus of commands, and commands on the bar itself.
enum class MenuCommand {
    Info,
    AFreset,
    NeuAF,
    AFladen,
    AFspeichern,
    AFspeichernunter,
    Aufzmodusan,
    Aufzstarten,
    Aufzbeenden,
    Aufzwiederholen,
    Aufzladen,
    Aufzspeichern,
    Aufzspeichernunter,
    NeuPrg,
    Prgladen,
    Prgspeichern,
    Prgspeichernunter,
    Hilfe,
    Ende,
};
struct MenuItem {
    MenuCommand Which;
    const char* Caption;
    std::optional<Command> EnabledBy; // the session sets its enabled state; otherwise always enabled
    bool EnabledAtStart;
    const char* Shortcut; // in the portable form "Ctrl+Z", or nullptr
};
struct MenuBarEntry {
    const char* Caption;
    std::optional<Command> EnabledBy;
    std::optional<MenuCommand> Which; // a command on the bar itself; otherwise a menu of Items
    std::vector<MenuItem> Items;
};
const std::vector<MenuBarEntry>& MenuBar();
// The session's handler of a menu command. "Info" and "Hilfe" open the front end's own windows and
// are no commands of the session: false for them.
bool PerformMenuCommand(NibboSession& session, MenuCommand which);

// The message and question boxes: their titles and the question's buttons ("&" marks the letter
// that chooses a button with Alt).
inline constexpr const char* kMessageTitle = "Nibbo";
inline constexpr const char* kErrorTitle = "Fehler";
inline constexpr const char* kQuestionTitle = "Warnung";
inline constexpr const char* kYesButton = "&Ja";
inline constexpr const char* kNoButton = "&Nein";

// The program editor's text when the window opens: a comment of the taught language, then four
// empty lines.
extern const char* const kInitialProgram;
// The banner in the first panel of the status bar.
extern const char* const kStatusBanner;

} // namespace nibbo
