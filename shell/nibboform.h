// The main window: the desktop front end of the session. It builds the controls, draws, forwards
// every widget event to the session's handler of that event and delivers the timers' ticks; all
// behaviour and all state of the subsystems live in the session (shell/session.h). Through the
// front-end interface the session asks its questions, shows its texts, reads and writes files,
// and sets the enabled states, the editor's text and selection, the status panels and the timers.
#pragma once

#include "shell/dialogs.h"
#include "shell/front_end.h"
#include "shell/session.h"
#include "shell/status_panel.h"
#include "world/image_lists.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QSlider;
class QStatusBar;
class QTimer;
class QToolButton;

namespace nibbo {

class TWorldGrid;
class TLegendPicture;
class TPrgMemo;
class TSpinEdit;
class TInfoForm;
class THelpForm;

class TNibboForm : public QMainWindow, public FrontEnd {
    Q_OBJECT
public:
    // Without dialogs the window shows Qt's; tests pass a scripted stand-in.
    explicit TNibboForm(std::unique_ptr<TDialogs> dialogs = nullptr, QWidget* parent = nullptr);
    ~TNibboForm() override;

    // --- Image lists (non-visual parts of the window) ---
    TImageList PacImageList;
    TImageList SteinImageList;
    TImageList ItemImageList;

    // --- Controls ---
    TWorldGrid* FeldEditorDrawGrid = nullptr;
    TPrgMemo* PrgMemo = nullptr;
    QWidget* Panel1 = nullptr;
    TLegendPicture* LegendStartImage = nullptr;
    TLegendPicture* LegendWallImage = nullptr;
    TLegendPicture* LegendPathImage = nullptr;
    TLegendPicture* LegendFoodImage = nullptr;
    TSpinEdit* ItemsSpinEdit = nullptr;
    QSlider* SpeedTrackBar = nullptr;
    QToolButton* RunSpeedButton = nullptr;
    QToolButton* PauseSpeedButton = nullptr;
    QToolButton* StopSpeedButton = nullptr;
    QToolButton* StepSpeedButton = nullptr;
    QToolButton* SyntaxSpeedButton = nullptr;
    QListWidget* InfoListBox = nullptr;
    QStatusBar* DateiInfoStatusBar = nullptr;
    TStatusPanel* StatusPanels[3] = {nullptr, nullptr, nullptr};

    // --- Menu bar ---
    QAction* InfoMenuItem = nullptr;
    QMenu* ArbeitsfeldMenuItem = nullptr;
    QAction* AFresetMenuItem = nullptr;
    QAction* NeuAFMenuItem = nullptr;
    QAction* AFladenMenuItem = nullptr;
    QAction* AFspeichernMenuItem = nullptr;
    QAction* AFspeichernunterMenuItem = nullptr;
    QMenu* AufzeichnenMenuItem = nullptr;
    QAction* AufzmodusanMenuItem = nullptr;
    QAction* AufzstartenMenuItem = nullptr;
    QAction* AufzbeendenMenuItem = nullptr;
    QAction* AufzwiederholenMenuItem = nullptr;
    QAction* AufzladenMenuItem = nullptr;
    QAction* AufzspeichernMenuItem = nullptr;
    QAction* AufzspeichernunterMenuItem = nullptr;
    QMenu* ProgrammMenuItem = nullptr;
    QAction* NeuPrgMenuItem = nullptr;
    QAction* PrgladenMenuItem = nullptr;
    QAction* PrgspeichernMenuItem = nullptr;
    QAction* PrgspeichernunterMenuItem = nullptr;
    QAction* HilfeMenuItem = nullptr;
    QAction* EndeMenuItem = nullptr;

    // --- Timers ---
    QTimer* MoveTimer = nullptr;
    QTimer* StepTimer = nullptr;
    QTimer* AufzTimer = nullptr;

    // --- The two other windows, created after this one ---
    QPointer<TInfoForm> InfoForm;
    QPointer<THelpForm> HelpForm;

    std::unique_ptr<TDialogs> Dialogs;
    // Ends the application; tests replace it to see that "Ende" went through.
    std::function<void()> OnEnd;

    NibboSession& Session() { return *session_; }

    // Start-up: the window's own part (the editor's tab stops, key preview, the random numbers),
    // then the session's.
    void FormCreate();

    // A press on the world view, mapped from its point to its cell for the session's handler.
    void FeldEditorDrawGridMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point);

    // --- Bar commands that open the other windows ---
    void InfoMenuItemClick();
    void HilfeMenuItemClick();

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
    WorldCanvas& Canvas() override;
    StockField& Stock() override;
    int SpeedPosition() const override;
    void SetCommandEnabled(Command command, bool enabled) override;
    void SetCommandCaption(Command command, const std::string& caption) override;
    void SetControlEnabled(Control control, bool enabled) override;
    void ShowFileName(FilePanel panel, const std::string& prefix, const std::string& name) override;
    void SetMessageList(const std::vector<std::string>& lines) override;
    void StartTimer(Timer timer, int interval) override;
    void StopTimer(Timer timer) override;
    void EndApplication() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    void BuildTimers();
    void ConnectHandlers();
    QTimer* TimerOf(Timer timer) const;

    std::unique_ptr<NibboSession> session_;

    // The key press last previewed and the widget it was previewed at: a press that no widget
    // accepts travels on to that widget's parents and is not previewed again there.
    const QEvent* previewedKey_ = nullptr;
    QPointer<QWidget> previewedAt_;
};

// The banner in the first panel of the status bar.
QString StatusBanner();

} // namespace nibbo
