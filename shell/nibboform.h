// The main window. It owns all state of the system for the whole life of the program: the current
// and the stored world, the file names, the compiled program, the scanner position, the execution
// registers and run flags, and the recording state, one instance each. The core routines work on
// these records; the window draws, asks and paces. Its handlers carry the names of the component
// and the event they answer; their definitions live with the subsystem they belong to.
#pragma once

#include "execution/engine.h"
#include "language/program_model.h"
#include "language/scanner.h"
#include "recording/replay.h"
#include "shell/dialogs.h"
#include "shell/status_panel.h"
#include "world/image_lists.h"
#include "world/world.h"

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

class TNibboForm : public QMainWindow {
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

    // --- File dialogs ---
    FileDialogSpec FeldSelectDialog;
    FileDialogSpec FeldSaveDialog;
    FileDialogSpec PrgOpenDialog;
    FileDialogSpec PrgSaveDialog;

    // --- The two other windows, created after this one ---
    QPointer<TInfoForm> InfoForm;
    QPointer<THelpForm> HelpForm;

    // --- State owned by the window ---
    World CurrentWorld;
    WorldRecord StoredWorld;
    QString WorldFileName;
    QString ProgramFileName;
    QString RecordingFileName;
    bool ProgramModified = false;

    TProcTable ProcTable;    // the compiled program
    ScannerPosition Scanner; // the syntax check's reading position
    ExecRegisters Registers; // ProcIndex, StatementIndex, ReturnStack
    bool RunActive = false;
    bool StepMode = false;
    int AnimationStep = 0;

    bool RecordingMode = false;
    bool RecordingActive = false;
    bool RecordingUnsaved = false;
    ReplayState Replay;

    std::unique_ptr<TDialogs> Dialogs;
    // Ends the application; tests replace it to see that "Ende" went through.
    std::function<void()> EndApplication;

    // --- Start-up and painting ---
    void FormCreate();
    void FormPaint();
    void FormKeyDown(int key, Qt::KeyboardModifiers shift);

    // --- World view and world menu ---
    void FeldEditorDrawGridMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point);
    void AFresetMenuItemClick();
    void NeuAFMenuItemClick();
    void AFladenMenuItemClick();
    void AFspeichernMenuItemClick();
    void AFspeichernunterMenuItemClick();
    void SetWorldFileName(const QString& name);

    // --- Syntax check ---
    void SyntaxSpeedButtonClick();
    void SelectErrorLine();

    // --- Run control ---
    void RunSpeedButtonClick();
    void PauseSpeedButtonClick();
    void StopSpeedButtonClick();
    void StepSpeedButtonClick();
    void MoveTimerTimer();
    void StepTimerTimer();
    bool PrepareRun();
    void HaltExecution();

    // --- Program files ---
    void PrgMemoChange();
    void ClearProgram();
    void NeuPrgMenuItemClick();
    void PrgladenMenuItemClick();
    void PrgspeichernMenuItemClick();
    void PrgspeichernunterMenuItemClick();
    void SetProgramFileName(const QString& name);
    // False after marking a character of the editor's text that a file cannot hold and saying so.
    bool EditorTextIsSavable();
    // The editor's text into a file, refusing text the file cannot hold and reporting a file that
    // cannot be written; true when the file was written.
    bool WriteEditorText(const QString& path);
    // A text file's contents, or nothing after reporting why it cannot be read.
    std::optional<QString> ReadEditorText(const QString& path);
    // A file dialog with the program filters; the chosen file's folder becomes the working folder.
    std::optional<QString> ChooseProgramFile(FileDialogSpec& dialog, int filter, const QString& preset);

    // --- Recording and replay ---
    void AufzmodusanMenuItemClick();
    void AufzstartenMenuItemClick();
    void AufzbeendenMenuItemClick();
    void AufzwiederholenMenuItemClick();
    void AufzladenMenuItemClick();
    void AufzspeichernMenuItemClick();
    void AufzspeichernunterMenuItemClick();
    void AufzTimerTimer();
    void StopReplay();
    void SetRecordingFileName(const QString& name);

    // --- Bar commands ---
    void InfoMenuItemClick();
    void HilfeMenuItemClick();
    void EndeMenuItemClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    void BuildTimers();
    void BuildDialogSpecs();
    void ConnectHandlers();

    // The key press last previewed and the widget it was previewed at: a press that no widget
    // accepts travels on to that widget's parents and is not previewed again there.
    const QEvent* previewedKey_ = nullptr;
    QPointer<QWidget> previewedAt_;
};

// The banner in the first panel of the status bar.
QString StatusBanner();

} // namespace nibbo
