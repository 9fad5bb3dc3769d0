// A front end without widgets for tests and fuzz targets: it shows the session as the desktop
// window would, but to a script. It records every text it is shown, in order, answers questions
// and file dialogs from the script, holds the editor's text with the window's rules, the enabled
// states, captions, status panels, message list, stock field and slider, keeps a pixel-free view
// of the world, and runs the timers on a clock of its own that the test advances. Files are real
// files, read and written by the file layer. Plain C++, so that a fuzz target can use it too.
#pragma once

#include "shell/front_end.h"
#include "shell/session.h"
#include "support/state_access.h"

#include <array>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace nibbo::testing {

// What one cell of the world view shows, as far as the pictures go.
struct ShownCell {
    enum Ground : uint8_t { Nothing, Path, Wall } Base = Nothing;
    int Food = 0;    // portions of the food picture drawn over the ground, 0 for none
    int Figure = -1; // the figure's picture drawn over it, -1 for none
    friend bool operator==(const ShownCell&, const ShownCell&) = default;
};

// A canvas that keeps what every cell shows instead of pixels. A drawing outside the grid or of a
// picture that does not exist is noted in Faults and draws nothing.
class CellView : public WorldCanvas {
public:
    void FillPath(int column, int row) override;
    void DrawWallPicture(int column, int row) override;
    void DrawFoodPicture(int column, int row, int portions) override;
    void DrawFigurePicture(int column, int row, int image) override;

    const ShownCell& At(int column, int row) const { return cells_[std::size_t(CellIndex(column, row))]; }
    // Where a figure is shown, in grid order.
    std::vector<std::pair<int, int>> FigureCells() const;
    // The cells that do not show the world: walls and paths, the food on every cell but the
    // figure's (taking food up or putting it down draws nothing until the next repaint), and the
    // figure on its cell alone, if it is placed. One line per cell, "c r: what is wrong".
    std::vector<std::string> Differences(const World& world) const;

    std::vector<std::string> Faults;
    long Calls = 0;

private:
    ShownCell* Cell(int column, int row, const char* what);
    std::array<ShownCell, kCellCount> cells_{};
};

class ScriptedFrontEnd : public FrontEnd {
public:
    ScriptedFrontEnd();

    // The session whose handlers the editor's changes and the timers' ticks go to.
    void Attach(NibboSession& session) { session_ = &session; }

    // --- What was shown, in order: "message: ...", "question: ...", "error: ...", "open: <title>",
    // "save: <title>"; and each kind on its own ---
    std::vector<std::string> Log;
    std::vector<std::string> Messages;
    std::vector<std::string> Questions;
    std::vector<std::string> Errors;
    std::vector<FileDialogSpec> FileDialogs;

    // --- The script: answers to the next questions and choices of the next file dialogs, in
    // order. Without one, a question is answered by AnswerUnscripted (No when it is empty) and a
    // dialog by ChooseUnscripted (cancelled when it is empty); either way Unscripted counts it. ---
    std::deque<bool> Answers;
    std::deque<std::optional<FileChoice>> Files;
    std::function<bool(const std::string& question)> AnswerUnscripted;
    std::function<std::optional<FileChoice>(const FileDialogSpec&)> ChooseUnscripted;
    int Unscripted = 0;
    // Called while a dialog is open, before it is answered: timers tick on under a modal dialog.
    std::function<void()> WhileDialogOpen;

    void AnswerNext(bool yes) { Answers.push_back(yes); }
    // A file chosen with the dialog's selected filter, or with the given one.
    void ChooseNext(const std::string& path, int filter = -1) { Files.push_back(FileChoice{path, filter}); }
    void CancelNext() { Files.push_back(std::nullopt); }
    // Forgets what was shown, what was written and what was scripted.
    void ClearLog();

    // --- The editor, as the pupil uses it ---
    // Replaces the selection by the text at the caret, as typing or pasting does; a line break of
    // any kind becomes one LF. Does nothing while the editor is disabled.
    void Type(std::u16string_view text);
    // The selection's length, line breaks counted as two characters.
    int EditorSelLength() const;
    // The selected text.
    std::u16string SelectedText() const;
    // The editor's lines, as the window counts them.
    std::vector<std::u16string> EditorLines() const;

    // A key press as the window previews it: the session's handler first, then, when the editor
    // has the focus and is enabled, a letter, digit or blank is typed as well.
    void PressKey(char16_t key, bool editorHasFocus);

    // --- Controls the session reads or enables ---
    CellView View;
    PlainStockField StockEdit; // the stock field
    int Speed = 5;             // the slider, 0..10; the window's starts in the middle
    bool IsEnabled(Command command) const { return commands_.at(command); }
    bool IsEnabled(Control control) const { return controls_.at(control); }
    // A caption the session gave a command, or "" when it never set one.
    std::string Caption(Command command) const;
    // A status panel's text: the prefix followed by the name.
    std::string Panel(FilePanel panel) const;
    std::vector<std::string> MessageList;
    bool Ended = false;

    // --- Timers on the front end's own clock, in milliseconds ---
    struct TimerState {
        bool Running = false;
        int Interval = 0;
        long Due = 0; // when its next tick comes
    };
    const TimerState& TimerOf(Timer timer) const { return timers_.at(timer); }
    bool IsRunning(Timer timer) const { return TimerOf(timer).Running; }
    long Now() const { return now_; }
    // Delivers the tick that is due next, as the window's event loop would, and moves the clock
    // there. False when no timer runs.
    bool TickNext();
    // Delivers ticks until no timer runs or `limit` ticks were delivered; gives their number.
    int TickUntilIdle(int limit);

    // --- The front end ---
    void ShowMessage(const std::string& text) override;
    bool AskQuestion(const std::string& text) override;
    void ShowError(const std::string& text) override;
    std::optional<FileChoice> ChooseFile(const FileDialogSpec& spec) override;
    FileRead ReadFileStart(const std::string& path, std::size_t count) override;
    FileRead ReadTextFile(const std::string& path) override;
    std::string SaveFile(const std::string& path, std::string_view bytes) override;
    std::u16string EditorText() const override { return text_; }
    void SetEditorText(std::u16string_view text) override;
    void AppendEditorLine(std::u16string_view line) override;
    void SelectInEditor(int start, int length) override;
    int EditorSelStart() const override;
    WorldCanvas& Canvas() override { return View; }
    nibbo::StockField& Stock() override { return StockEdit; }
    int SpeedPosition() const override { return Speed; }
    void SetCommandEnabled(Command command, bool enabled) override { commands_[command] = enabled; }
    void SetCommandCaption(Command command, const std::string& caption) override {
        captions_[command] = caption;
    }
    void SetControlEnabled(Control control, bool enabled) override { controls_[control] = enabled; }
    void ShowFileName(FilePanel panel, const std::string& prefix, const std::string& name) override {
        panels_[panel] = prefix + name;
    }
    void SetMessageList(const std::vector<std::string>& lines) override { MessageList = lines; }
    void StartTimer(Timer timer, int interval) override;
    void StopTimer(Timer timer) override { timers_[timer].Running = false; }
    void EndApplication() override { Ended = true; }

    // Every file the session wrote, with the bytes it was given, and whether the write succeeded.
    struct Saved {
        std::string Path;
        std::string Bytes;
        bool Written = false;
    };
    std::vector<Saved> Saves;

protected:
    NibboSession* AttachedSession() const { return session_; }

private:
    // Runs WhileDialogOpen once for the outermost dialog: a dialog opened by a tick under another
    // dialog gets no ticks of its own, so that the script always ends.
    void DialogOpens();
    // Positions with line breaks counted as two, and the editor's own.
    int DocumentPosition(int crlfPosition) const;
    int CrlfPosition(int documentPosition) const;
    void ReplaceText(std::size_t from, std::size_t to, std::u16string_view text);

    NibboSession* session_ = nullptr;
    std::u16string text_;
    std::size_t anchor_ = 0; // the selection, in the editor's own positions
    std::size_t caret_ = 0;
    std::map<Command, bool> commands_;
    std::map<Control, bool> controls_;
    std::map<Command, std::string> captions_;
    std::map<FilePanel, std::string> panels_;
    std::map<Timer, TimerState> timers_;
    long now_ = 0;
    int dialogDepth_ = 0;
};

// A session shown by a scripted front end in a folder of its own, created as the window creates
// it and painted once, as the window is when it is shown. The folder is the working folder while
// the fixture lives, and is removed with it.
struct SessionFixture {
    explicit SessionFixture(std::u16string_view initialProgram = {});
    ~SessionFixture();
    SessionFixture(const SessionFixture&) = delete;
    SessionFixture& operator=(const SessionFixture&) = delete;

    ScriptedFrontEnd Ui;
    NibboSession& Session() { return *session_; }
    // A path in the fixture's folder.
    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
    // Writes a file into the fixture's folder and gives its path.
    std::string WriteFile(const std::string& name, std::string_view bytes) const;

private:
    std::filesystem::path folder_;
    std::filesystem::path previousFolder_;
    std::unique_ptr<NibboSession> session_;
};

// Makes a folder of its own in `base`, by default the system's temporary folder.
std::filesystem::path MakeTemporaryFolder(const char* prefix, const std::filesystem::path& base = {});

} // namespace nibbo::testing
