// Everything the session asks of the front end that shows it: the desktop window, the web page, or
// the script of a test. The session holds the behaviour (what each command, click, key and timer
// tick does); a front end builds the controls, draws, forwards events and delivers timer ticks, and
// answers through this one interface. Texts are UTF-8; the editor's text is UTF-16, whose code
// units are the characters that every position in the program text counts.
#pragma once

#include "shell/file_io.h"
#include "world/world.h"
#include "world/world_paint.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nibbo {

// The menu items and buttons whose enabled state the session sets; the others are always enabled.
enum class Command {
    AFspeichern,
    Aufzmodusan,
    Aufzstarten,
    Aufzbeenden,
    Aufzwiederholen,
    Aufzladen,
    Aufzspeichern,
    Aufzspeichernunter,
    ProgrammMenu,
    Prgspeichern,
    RunButton,
    PauseButton,
    StopButton,
    StepButton,
    SyntaxButton,
};

// The controls a run locks.
enum class Control { WorldView, StockField, Editor };

// The timers: statements of a run, the chewing between them, and the instructions of a replay.
enum class Timer { Move, Step, Aufz };

// The status bar's panels that name a file: the world, and the program or the recording.
enum class FilePanel { World, Program };

struct FileFilter {
    std::string Label;   // "Nibbos Welt"
    std::string Pattern; // "*.wlt"
};

struct FileDialogSpec {
    enum Kind { Open, Save } Mode = Open;
    std::string Title;
    std::vector<FileFilter> Filters;
    int SelectedFilter = 0; // index into Filters
    std::string InitialFolder = ".";
    std::string PresetName;
};

struct FileChoice {
    std::string Path;
    int SelectedFilter = 0; // the filter selected when the dialog was confirmed
};

class FrontEnd {
public:
    virtual ~FrontEnd() = default;

    // --- Dialogs: modal; timers go on ticking while one is open ---
    // A plain message with one OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // A warning box titled "Warnung" with the buttons "&Ja" and "&Nein"; true only for Ja.
    virtual bool AskQuestion(const std::string& text) = 0;
    // A file that could not be read or written.
    virtual void ShowError(const std::string& text) = 0;
    // A file dialog; nothing when it was cancelled.
    virtual std::optional<FileChoice> ChooseFile(const FileDialogSpec& spec) = 0;

    // --- Files, as the file layer reads and writes them (see file_io.h) ---
    virtual FileRead ReadFileStart(const std::string& path, std::size_t count) = 0;
    virtual FileRead ReadTextFile(const std::string& path) = 0;
    virtual std::string SaveFile(const std::string& path, std::string_view bytes) = 0;

    // --- The program editor ---
    // The whole text with LF line breaks.
    virtual std::u16string EditorText() const = 0;
    // Replaces the whole text as one change; an equal text changes nothing.
    virtual void SetEditorText(std::u16string_view text) = 0;
    // Appends a whole line at the end, with its own line break.
    virtual void AppendEditorLine(std::u16string_view line) = 0;
    // Selection and caret in positions that count a line break as two characters, from 0.
    virtual void SelectInEditor(int start, int length) = 0;
    virtual int EditorSelStart() const = 0;

    // --- The world view, the stock field and the slider ---
    virtual WorldCanvas& Canvas() = 0;
    virtual StockField& Stock() = 0;
    virtual int SpeedPosition() const = 0; // 0..10

    // --- Enabled states, captions, the status bar and the message list ---
    virtual void SetCommandEnabled(Command command, bool enabled) = 0;
    virtual void SetCommandCaption(Command command, const std::string& caption) = 0;
    virtual void SetControlEnabled(Control control, bool enabled) = 0;
    virtual void ShowFileName(FilePanel panel, const std::string& prefix, const std::string& name) = 0;
    virtual void SetMessageList(const std::vector<std::string>& lines) = 0;

    // --- Timers: each tick comes back to the session's handler of that timer ---
    // Starts the timer, or starts it anew, with ticks `interval` milliseconds apart.
    virtual void StartTimer(Timer timer, int interval) = 0;
    virtual void StopTimer(Timer timer) = 0;

    // Ends the application.
    virtual void EndApplication() = 0;
};

} // namespace nibbo
