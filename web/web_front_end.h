// The web page: the front end of the session in a browser. The page's script builds the controls
// from the window's tables (page_layout.h), draws, forwards every event of its controls to the
// handlers below and delivers the timers' ticks; this class answers the session through the
// front-end interface by calling the page's script. Questions, messages and file dialogs wait for
// the pupil's answer: the session is suspended until the page's dialog closes, while the timers
// go on ticking, as under a modal box of the desktop.
#pragma once

#include "shell/front_end.h"
#include "shell/session.h"
#include "shell/window_layout.h"
#include "windows/demo_show.h"

#include <memory>

namespace nibbo {

class WebFrontEnd final : public FrontEnd, public WorldCanvas, public StockField {
public:
    WebFrontEnd();
    WebFrontEnd(const WebFrontEnd&) = delete;
    WebFrontEnd& operator=(const WebFrontEnd&) = delete;

    NibboSession& Session() { return *session_; }

    // Start-up: the session's FormCreate over the page the script has built.
    void FormCreate();

    // --- Events of the page ---
    void MenuItemClick(MenuCommand which);
    // A press on the world view at a point of its cells' area, in the view's pixels.
    void WorldViewMouseDown(EditorButton button, unsigned modifiers, int x, int y);
    // The stock field lost the focus: a typed number is held to the bounds, other text becomes 0.
    void StockFieldLeft();
    // One step of the info window's show, on the page's area, for the window's outer size.
    void DemoTimerTimer(Area screen, Extent window);

    // --- The front end ---
    void ShowMessage(const std::string& text) override;
    bool AskQuestion(const std::string& text) override;
    void ShowError(const std::string& text) override;
    std::optional<FileChoice> ChooseFile(const FileDialogSpec& spec) override;
    FileRead ReadFileStart(const std::string& path, std::size_t count) override;
    FileRead ReadTextFile(const std::string& path) override;
    std::string SaveFile(const std::string& path, std::string_view bytes) override;
    std::u16string EditorText() const override;
    void SetEditorText(std::u16string_view text) override;
    void AppendEditorLine(std::u16string_view line) override;
    void SelectInEditor(int start, int length) override;
    int EditorSelStart() const override;
    WorldCanvas& Canvas() override { return *this; }
    StockField& Stock() override { return *this; }
    int SpeedPosition() const override;
    void SetCommandEnabled(Command command, bool enabled) override;
    void SetCommandCaption(Command command, const std::string& caption) override;
    void SetControlEnabled(Control control, bool enabled) override;
    void ShowFileName(FilePanel panel, const std::string& prefix, const std::string& name) override;
    void SetMessageList(const std::vector<std::string>& lines) override;
    void StartTimer(Timer timer, int interval) override;
    void StopTimer(Timer timer) override;
    void EndApplication() override;

    // --- The world view ---
    void FillPath(int column, int row) override;
    void DrawWallPicture(int column, int row) override;
    void DrawFoodPicture(int column, int row, int portions) override;
    void DrawFigurePicture(int column, int row, int image) override;

    // --- The stock field ---
    int ReadStock() const override;
    void WriteStock(int value) override;

private:
    // A dialog that waits for its answer suspends the session; while it is open, the timers' ticks
    // run the session again, and a message they show cannot wait in turn: it is shown at once.
    class Waiting;
    bool waiting_ = false;

    std::unique_ptr<NibboSession> session_;
    DemoShow show_;
};

} // namespace nibbo
