#include "shell/nibboform.h"

#include "resources/pictures.h"
#include "shell/legend_picture.h"
#include "shell/prg_memo.h"
#include "shell/random.h"
#include "shell/spin_edit.h"
#include "windows/helpunit.h"
#include "windows/infounit.h"
#include "windows/tab_control.h"
#include "world/world_paint.h"
#include "world/world_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

namespace nibbo {

namespace {

constexpr int kClientWidth = 1008;
constexpr int kClientHeight = 635;
constexpr int kStatusBarHeight = 19;
constexpr int kPanelHeight = 89;
constexpr int kPanelTop = 527;
constexpr int kSliderLeft = 456;
constexpr int kSliderRight = 630; // the syntax button's right edge

// The memo's text at start: a comment of the taught language, then four empty lines.
const char* const kInitialProgram = "{\n"
                                    "  Nibbo - Programmieren lernen mit Nibbo\n"
                                    "  Version 1.0, Dezember 2026\n"
                                    "  Das Nibbo-Team, für den Informatikunterricht\n"
                                    "}\n"
                                    "\n"
                                    "\n"
                                    "\n"
                                    "\n";

QLabel* MakeLabel(const QString& text, QWidget* parent, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

TLegendPicture* MakeLegendPicture(QWidget* parent, int left, int top, TLegendPicture::Painter paint) {
    auto* picture = new TLegendPicture(std::move(paint), parent);
    picture->move(left, top);
    return picture;
}

QToolButton* MakeButton(QWidget* parent, int left, pictures::Button picture, const QString& hint) {
    auto* button = new QToolButton(parent);
    button->setGeometry(left, 8, 23, 22);
    button->setIcon(pictures::ButtonIcon(picture));
    button->setIconSize(QSize(pictures::kButtonSize, pictures::kButtonSize));
    button->setToolTip(hint);
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// Shows one of the two tool windows, or brings it to the front if it is already open.
void ShowToolWindow(QWidget* window) {
    if (window->isMinimized()) window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

QString StatusBanner() {
    return QStringLiteral("Nibbo 1.0 – Dezember 2026");
}

TNibboForm::TNibboForm(std::unique_ptr<TDialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), PacImageList(MakePacImageList()), SteinImageList(MakeSteinImageList()),
      ItemImageList(MakeItemImageList()), Dialogs(std::move(dialogs)) {
    if (!Dialogs) Dialogs = std::make_unique<TQtDialogs>(this);
    EndApplication = [] {
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    };
    setObjectName(QStringLiteral("NibboForm"));
    setWindowTitle(QStringLiteral("Nibbo"));
    // A narrow interface font of 11 pixels: the legend and the labels of the bottom panel stand close.
    QFont windowFont(QStringLiteral("DejaVu Sans Condensed"));
    windowFont.setStyleHint(QFont::SansSerif);
    windowFont.setPixelSize(11);
    setFont(windowFont);

    BuildControls();
    BuildMenus();
    BuildTimers();
    BuildDialogSpecs();
    ConnectHandlers();

    // Fixed size: the client area below the menu bar is 1008 x 635.
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowMinimizeButtonHint |
                    Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint) &
                   ~Qt::WindowMaximizeButtonHint);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }

    FormCreate();
    FeldEditorDrawGrid->setFocus();
}

TNibboForm::~TNibboForm() {
    if (qApp) qApp->removeEventFilter(this);
}

void TNibboForm::BuildControls() {
    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight - kStatusBarHeight);
    setCentralWidget(client);

    FeldEditorDrawGrid = new TWorldGrid(PacImageList, SteinImageList, ItemImageList, client);
    FeldEditorDrawGrid->setObjectName(QStringLiteral("FeldEditorDrawGrid"));
    FeldEditorDrawGrid->move(1, 1);

    Panel1 = new QWidget(client);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, kPanelTop, kClientWidth, kPanelHeight);

    PrgMemo = new TPrgMemo(client);
    PrgMemo->setObjectName(QStringLiteral("PrgMemo"));
    PrgMemo->setGeometry(640, 0, 361, 529);
    PrgMemo->setPlainText(QString::fromUtf8(kInitialProgram));

    // The legend: how the mouse builds a world.
    LegendStartImage = MakeLegendPicture(Panel1, 8, 8, [this](QPainter& p) {
        PacImageList.Draw(p, QPointF(0, 0), FigureImage(East, kRestingFrame));
    });
    MakeLabel(QStringLiteral("Startposition / Orientierung"), Panel1, 40, 8);
    MakeLabel(QStringLiteral("Strg + linke Maustaste"), Panel1, 40, 24);
    LegendWallImage =
        MakeLegendPicture(Panel1, 8, 48, [this](QPainter& p) { SteinImageList.Draw(p, QPointF(0, 0), 0); });
    MakeLabel(QStringLiteral("Mauer"), Panel1, 40, 48);
    MakeLabel(QStringLiteral("linke Maustaste"), Panel1, 40, 64);
    LegendPathImage = MakeLegendPicture(Panel1, 192, 8, [](QPainter&) {});
    MakeLabel(QStringLiteral("Weg"), Panel1, 232, 8);
    MakeLabel(QStringLiteral("rechte Maustaste"), Panel1, 232, 24);
    LegendFoodImage =
        MakeLegendPicture(Panel1, 192, 48, [this](QPainter& p) { ItemImageList.Draw(p, QPointF(0, 0), 4); });
    MakeLabel(QStringLiteral("Futter"), Panel1, 232, 44);
    MakeLabel(QStringLiteral("Shift + linke/rechte Maustaste"), Panel1, 232, 60);

    MakeLabel(QStringLiteral("Futter:"), Panel1, 392, 8);
    ItemsSpinEdit = new TSpinEdit(Panel1);
    ItemsSpinEdit->setObjectName(QStringLiteral("ItemsSpinEdit"));
    ItemsSpinEdit->setGeometry(392, 24, 49, 22);

    QLabel* delayLabel = MakeLabel(QStringLiteral("Verzögerung:"), Panel1, 392, 56);
    SpeedTrackBar = new QSlider(Qt::Horizontal, Panel1);
    SpeedTrackBar->setObjectName(QStringLiteral("SpeedTrackBar"));
    // The slider ends under the syntax button. It starts at 456 unless the label's text reaches
    // that far; then it starts one blank after the text, so that its groove and its handle at 0
    // never cover the colon.
    const int sliderLeft =
        std::max(kSliderLeft, delayLabel->geometry().right() + 1 +
                                  delayLabel->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    SpeedTrackBar->setGeometry(sliderLeft, 48, kSliderRight - sliderLeft, 33);
    SpeedTrackBar->setRange(0, 10);
    SpeedTrackBar->setValue(5);
    SpeedTrackBar->setSingleStep(1);
    SpeedTrackBar->setPageStep(1);
    SpeedTrackBar->setTickPosition(QSlider::TicksBelow);
    SpeedTrackBar->setTickInterval(1);

    RunSpeedButton = MakeButton(Panel1, 472, pictures::Button::Run, QStringLiteral("Run"));
    PauseSpeedButton = MakeButton(Panel1, 504, pictures::Button::Pause, QStringLiteral("Pause / Weiter"));
    StopSpeedButton = MakeButton(Panel1, 536, pictures::Button::Stop, QStringLiteral("Stopp"));
    StepSpeedButton = MakeButton(Panel1, 568, pictures::Button::Step, QStringLiteral("Einzelschritt"));
    SyntaxSpeedButton =
        MakeButton(Panel1, 608, pictures::Button::Syntax, QStringLiteral("Syntax-Überprüfung"));

    InfoListBox = new QListWidget(Panel1);
    InfoListBox->setObjectName(QStringLiteral("InfoListBox"));
    InfoListBox->setGeometry(640, 8, 361, 73);

    PrgMemo->raise();

    DateiInfoStatusBar = new QStatusBar(this);
    DateiInfoStatusBar->setObjectName(QStringLiteral("DateiInfoStatusBar"));
    DateiInfoStatusBar->setSizeGripEnabled(false);
    DateiInfoStatusBar->setFixedHeight(kStatusBarHeight);
    DateiInfoStatusBar->setContentsMargins(0, 0, 0, 0);
    const int widths[3] = {162, 400, 400};
    const Qt::Alignment alignments[3] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignRight};
    for (int i = 0; i < 3; ++i) {
        StatusPanels[i] = new TStatusPanel(DateiInfoStatusBar);
        StatusPanels[i]->setFixedWidth(widths[i]);
        StatusPanels[i]->setAlignment(alignments[i] | Qt::AlignVCenter);
        // A thin sunken box round each panel, low enough that the text is not cut off. The text
        // keeps its distance from the box by the padding alone, so that the room for a file name
        // is the panel's contents.
        StatusPanels[i]->setFixedHeight(kStatusBarHeight - 2);
        StatusPanels[i]->setIndent(0);
        StatusPanels[i]->setStyleSheet(QStringLiteral("QLabel { border: 1px solid; border-color: #a0a0a0 "
                                                      "#ffffff #ffffff #a0a0a0; padding: 0px 6px; }"));
        DateiInfoStatusBar->addWidget(StatusPanels[i]);
    }
    StatusPanels[0]->setText(StatusBanner());
    setStatusBar(DateiInfoStatusBar);
}

void TNibboForm::BuildMenus() {
    QMenuBar* bar = menuBar();
    InfoMenuItem = bar->addAction(QStringLiteral("Info"));

    ArbeitsfeldMenuItem = bar->addMenu(QStringLiteral("Nibbos Welt"));
    AFresetMenuItem = ArbeitsfeldMenuItem->addAction(QStringLiteral("Welt zurücksetzen"));
    AFresetMenuItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    AFresetMenuItem->setShortcutContext(Qt::WindowShortcut);
    NeuAFMenuItem = ArbeitsfeldMenuItem->addAction(QStringLiteral("neue Welt"));
    AFladenMenuItem = ArbeitsfeldMenuItem->addAction(QStringLiteral("Welt laden"));
    AFspeichernMenuItem = ArbeitsfeldMenuItem->addAction(QStringLiteral("Welt speichern"));
    AFspeichernMenuItem->setEnabled(false);
    AFspeichernunterMenuItem = ArbeitsfeldMenuItem->addAction(QStringLiteral("Welt speichern unter ..."));

    AufzeichnenMenuItem = bar->addMenu(QStringLiteral("Aufzeichnen"));
    AufzmodusanMenuItem = AufzeichnenMenuItem->addAction(QStringLiteral("Aufzeichnungsmodus an"));
    AufzstartenMenuItem = AufzeichnenMenuItem->addAction(QStringLiteral("Aufzeichnung starten"));
    AufzbeendenMenuItem = AufzeichnenMenuItem->addAction(QStringLiteral("Aufzeichnung beenden"));
    AufzwiederholenMenuItem = AufzeichnenMenuItem->addAction(QStringLiteral("Aufzeichnung abspielen"));
    AufzladenMenuItem = AufzeichnenMenuItem->addAction(QStringLiteral("Aufzeichnung laden"));
    AufzspeichernMenuItem = AufzeichnenMenuItem->addAction(QStringLiteral("Aufzeichnung speichern"));
    AufzspeichernunterMenuItem = AufzeichnenMenuItem->addAction(QStringLiteral("Aufz. speichern unter ..."));
    for (QAction* item : {AufzstartenMenuItem, AufzbeendenMenuItem, AufzwiederholenMenuItem,
                          AufzladenMenuItem, AufzspeichernMenuItem, AufzspeichernunterMenuItem})
        item->setEnabled(false);

    ProgrammMenuItem = bar->addMenu(QStringLiteral("Programm"));
    NeuPrgMenuItem = ProgrammMenuItem->addAction(QStringLiteral("neues Programm"));
    PrgladenMenuItem = ProgrammMenuItem->addAction(QStringLiteral("Programm laden"));
    PrgspeichernMenuItem = ProgrammMenuItem->addAction(QStringLiteral("Programm speichern"));
    PrgspeichernMenuItem->setEnabled(false);
    PrgspeichernunterMenuItem = ProgrammMenuItem->addAction(QStringLiteral("Prg speichern unter ..."));

    HilfeMenuItem = bar->addAction(QStringLiteral("Hilfe"));
    EndeMenuItem = bar->addAction(QStringLiteral("Ende"));
}

void TNibboForm::BuildTimers() {
    const auto makeTimer = [this](const char* name, int interval) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QLatin1String(name));
        timer->setTimerType(Qt::PreciseTimer);
        timer->setInterval(interval);
        return timer;
    };
    MoveTimer = makeTimer("MoveTimer", 150);
    StepTimer = makeTimer("StepTimer", 1000);
    AufzTimer = makeTimer("AufzTimer", 150);
}

void TNibboForm::BuildDialogSpecs() {
    const FileFilter world{QStringLiteral("Nibbos Welt"), QStringLiteral("*.wlt")};
    FeldSelectDialog = {
        FileDialogSpec::Open, QStringLiteral("Nibbos Welt laden"), {world}, 0, QStringLiteral("."), {}};
    FeldSaveDialog = {
        FileDialogSpec::Save, QStringLiteral("Nibbos Welt speichern"), {world}, 0, QStringLiteral("."), {}};
    const QList<FileFilter> programs{{QStringLiteral("Pascal"), QStringLiteral("*.pas")},
                                     {QStringLiteral("Aufzeichnung"), QStringLiteral("*.afz")}};
    PrgOpenDialog = {
        FileDialogSpec::Open, QStringLiteral("Programm laden"), programs, 0, QStringLiteral("."), {}};
    PrgSaveDialog = {
        FileDialogSpec::Save, QStringLiteral("Programm speichern"), programs, 0, QStringLiteral("."), {}};
}

void TNibboForm::ConnectHandlers() {
    FeldEditorDrawGrid->OnPaintWorld = [this] { FormPaint(); };
    FeldEditorDrawGrid->OnMouseDown = [this](Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                             QPoint point) {
        FeldEditorDrawGridMouseDown(button, shift, point);
    };
    connect(PrgMemo, &QPlainTextEdit::textChanged, this, &TNibboForm::PrgMemoChange);

    connect(RunSpeedButton, &QToolButton::clicked, this, &TNibboForm::RunSpeedButtonClick);
    connect(PauseSpeedButton, &QToolButton::clicked, this, &TNibboForm::PauseSpeedButtonClick);
    connect(StopSpeedButton, &QToolButton::clicked, this, &TNibboForm::StopSpeedButtonClick);
    connect(StepSpeedButton, &QToolButton::clicked, this, &TNibboForm::StepSpeedButtonClick);
    connect(SyntaxSpeedButton, &QToolButton::clicked, this, &TNibboForm::SyntaxSpeedButtonClick);

    connect(MoveTimer, &QTimer::timeout, this, &TNibboForm::MoveTimerTimer);
    connect(StepTimer, &QTimer::timeout, this, &TNibboForm::StepTimerTimer);
    connect(AufzTimer, &QTimer::timeout, this, &TNibboForm::AufzTimerTimer);

    connect(InfoMenuItem, &QAction::triggered, this, &TNibboForm::InfoMenuItemClick);
    connect(AFresetMenuItem, &QAction::triggered, this, &TNibboForm::AFresetMenuItemClick);
    connect(NeuAFMenuItem, &QAction::triggered, this, &TNibboForm::NeuAFMenuItemClick);
    connect(AFladenMenuItem, &QAction::triggered, this, &TNibboForm::AFladenMenuItemClick);
    connect(AFspeichernMenuItem, &QAction::triggered, this, &TNibboForm::AFspeichernMenuItemClick);
    connect(AFspeichernunterMenuItem, &QAction::triggered, this, &TNibboForm::AFspeichernunterMenuItemClick);
    connect(AufzmodusanMenuItem, &QAction::triggered, this, &TNibboForm::AufzmodusanMenuItemClick);
    connect(AufzstartenMenuItem, &QAction::triggered, this, &TNibboForm::AufzstartenMenuItemClick);
    connect(AufzbeendenMenuItem, &QAction::triggered, this, &TNibboForm::AufzbeendenMenuItemClick);
    connect(AufzwiederholenMenuItem, &QAction::triggered, this, &TNibboForm::AufzwiederholenMenuItemClick);
    connect(AufzladenMenuItem, &QAction::triggered, this, &TNibboForm::AufzladenMenuItemClick);
    connect(AufzspeichernMenuItem, &QAction::triggered, this, &TNibboForm::AufzspeichernMenuItemClick);
    connect(AufzspeichernunterMenuItem, &QAction::triggered, this,
            &TNibboForm::AufzspeichernunterMenuItemClick);
    connect(NeuPrgMenuItem, &QAction::triggered, this, &TNibboForm::NeuPrgMenuItemClick);
    connect(PrgladenMenuItem, &QAction::triggered, this, &TNibboForm::PrgladenMenuItemClick);
    connect(PrgspeichernMenuItem, &QAction::triggered, this, &TNibboForm::PrgspeichernMenuItemClick);
    connect(PrgspeichernunterMenuItem, &QAction::triggered, this,
            &TNibboForm::PrgspeichernunterMenuItemClick);
    connect(HilfeMenuItem, &QAction::triggered, this, &TNibboForm::HilfeMenuItemClick);
    connect(EndeMenuItem, &QAction::triggered, this, &TNibboForm::EndeMenuItemClick);
}

void TNibboForm::FormCreate() {
    // 1. The editor takes the Tab key and has tab stops every two character widths.
    PrgMemo->setTabChangesFocus(false);
    PrgMemo->SetTabStopsInCharacters(2);
    // 2. Key preview: every key press in this window reaches FormKeyDown first.
    qApp->installEventFilter(this);
    // 3. The random numbers of the info window's show.
    SeedRandom();
    // 4.-8.
    ClearWorld(CurrentWorld);
    SetWorldFileName(QStringLiteral("welt.wlt"));
    SetProgramFileName(QStringLiteral("programm.pas"));
    StoreWorld(CurrentWorld, *ItemsSpinEdit, StoredWorld);
    StepMode = false;
    // The initial comment is no change of the program.
    ProgramModified = false;
}

void TNibboForm::FormPaint() {
    PaintWorld(CurrentWorld, *FeldEditorDrawGrid);
}

void TNibboForm::SetWorldFileName(const QString& name) {
    WorldFileName = name;
    StatusPanels[1]->ShowName(QStringLiteral("Welt: "), name);
}

void TNibboForm::SetProgramFileName(const QString& name) {
    ProgramFileName = name;
    if (!RecordingMode) StatusPanels[2]->ShowName(QStringLiteral("Prg.: "), name);
}

void TNibboForm::SetRecordingFileName(const QString& name) {
    RecordingFileName = name;
    if (RecordingMode) StatusPanels[2]->ShowName(QStringLiteral("Aufz.: "), name);
}

void TNibboForm::InfoMenuItemClick() {
    if (!InfoForm) return;
    InfoForm->DemoTimer->start();
    ShowToolWindow(InfoForm);
}

void TNibboForm::HilfeMenuItemClick() {
    if (!HelpForm) return;
    ShowToolWindow(HelpForm);
    // Selecting a tab from here raises no change event; the explicit call puts the first page in front.
    HelpForm->RegelTabControl->SetTabIndex(0);
    HelpForm->RegelTabControlChange();
}

void TNibboForm::EndeMenuItemClick() {
    if (!CurrentWorld.WorldModified ||
        Dialogs->AskQuestion(
            QStringLiteral("Nibbos Welt ist noch nicht gespeichert!  Trotzdem Editor verlassen?"))) {
        EndApplication();
        return;
    }
    FormPaint();
}

bool TNibboForm::eventFilter(QObject* watched, QEvent* event) {
    // "Welt zurücksetzen" keeps its shortcut wherever the focus is in this window: a control that
    // would take the key for itself (undo in a text field) is not asked.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(
            QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
        if (widget && widget->window() == this && pressed == AFresetMenuItem->shortcut()) {
            event->ignore();
            return true;
        }
    }
    // Key preview: a key press reaches the handler once, before the widget that has the focus, and
    // goes on to that widget afterwards.
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        // The handler may have moved the focus (a message box), so that the parents a press travels
        // on to would look like its first receiver.
        const bool travelling = event == previewedKey_ && widget && previewedAt_ && widget != previewedAt_ &&
                                widget->isAncestorOf(previewedAt_);
        QWidget* focus = QApplication::focusWidget();
        const bool forFocus = widget && (widget == focus || (!focus && widget == this));
        if (!travelling && forFocus && widget->window() == this) {
            auto* key = static_cast<QKeyEvent*>(event);
            FormKeyDown(key->key(), key->modifiers());
            previewedKey_ = event;
            previewedAt_ = widget;
        }
    } else {
        // Only the press itself reaches the filter while it travels on.
        previewedKey_ = nullptr;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TNibboForm::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program at once, without a question.
    event->accept();
    QCoreApplication::quit();
}

} // namespace nibbo
