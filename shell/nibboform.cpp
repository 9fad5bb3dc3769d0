#include "shell/nibboform.h"

#include "resources/pictures.h"
#include "shell/legend_picture.h"
#include "shell/prg_memo.h"
#include "shell/random.h"
#include "shell/spin_edit.h"
#include "windows/helpunit.h"
#include "windows/infounit.h"
#include "windows/tab_control.h"
#include "world/editor.h"
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
// Message lists longer than this give all their lines the height and width of the first.
constexpr std::size_t kMessagesMeasured = 1000;
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

EditorButton ToEditorButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return EditorButton::Left;
    case Qt::RightButton:
        return EditorButton::Right;
    case Qt::MiddleButton:
        return EditorButton::Middle;
    default:
        return EditorButton::Other;
    }
}

unsigned ToEditorModifiers(Qt::KeyboardModifiers shift) {
    unsigned modifiers = NoModifier;
    if (shift & Qt::ShiftModifier) modifiers |= ShiftKey;
    if (shift & Qt::ControlModifier) modifiers |= CtrlKey;
    if (shift & Qt::AltModifier) modifiers |= AltKey;
    return modifiers;
}

// Qt names a letter key by its capital, whatever Shift, Caps Lock, Ctrl or Alt do, and so does
// the virtual-key code; no other key has a virtual-key code of a letter.
int VirtualKeyCode(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    return 0;
}

QString FromUtf16(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

} // namespace

QString StatusBanner() {
    return QStringLiteral("Nibbo 1.0 – Dezember 2026");
}

TNibboForm::TNibboForm(std::unique_ptr<TDialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), PacImageList(MakePacImageList()), SteinImageList(MakeSteinImageList()),
      ItemImageList(MakeItemImageList()), Dialogs(std::move(dialogs)),
      session_(std::make_unique<NibboSession>(*this)) {
    if (!Dialogs) Dialogs = std::make_unique<TQtDialogs>(this);
    OnEnd = [] {
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
    // Its caption says whether recording mode is on: the session sets it.
    AufzmodusanMenuItem = AufzeichnenMenuItem->addAction(QString());
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
    // The intervals the session starts its timers with.
    MoveTimer = makeTimer("MoveTimer", session_->Run.State().MoveTimer.Interval());
    StepTimer = makeTimer("StepTimer", session_->Run.State().StepTimer.Interval());
    AufzTimer = makeTimer("AufzTimer", session_->Recording.State().AufzTimer.Interval());
}

void TNibboForm::ConnectHandlers() {
    NibboSession& session = *session_;
    FeldEditorDrawGrid->OnPaintWorld = [&session] { session.FormPaint(); };
    FeldEditorDrawGrid->OnMouseDown = [this](Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                             QPoint point) {
        FeldEditorDrawGridMouseDown(button, shift, point);
    };
    connect(PrgMemo, &QPlainTextEdit::textChanged, this, [&session] { session.Programs.PrgMemoChange(); });

    const auto onClick = [this](QToolButton* button, auto handler) {
        connect(button, &QToolButton::clicked, this, handler);
    };
    onClick(RunSpeedButton, [&session] { session.Run.RunSpeedButtonClick(); });
    onClick(PauseSpeedButton, [&session] { session.Run.PauseSpeedButtonClick(); });
    onClick(StopSpeedButton, [&session] { session.Run.StopSpeedButtonClick(); });
    onClick(StepSpeedButton, [&session] { session.Run.StepSpeedButtonClick(); });
    onClick(SyntaxSpeedButton, [&session] { session.Syntax.SyntaxSpeedButtonClick(); });

    connect(MoveTimer, &QTimer::timeout, this, [&session] { session.Run.MoveTimerTimer(); });
    connect(StepTimer, &QTimer::timeout, this, [&session] { session.Run.StepTimerTimer(); });
    connect(AufzTimer, &QTimer::timeout, this, [&session] { session.Recording.AufzTimerTimer(); });

    const auto onTrigger = [this](QAction* item, auto handler) {
        connect(item, &QAction::triggered, this, handler);
    };
    onTrigger(InfoMenuItem, [this] { InfoMenuItemClick(); });
    onTrigger(AFresetMenuItem, [&session] { session.World.AFresetMenuItemClick(); });
    onTrigger(NeuAFMenuItem, [&session] { session.World.NeuAFMenuItemClick(); });
    onTrigger(AFladenMenuItem, [&session] { session.World.AFladenMenuItemClick(); });
    onTrigger(AFspeichernMenuItem, [&session] { session.World.AFspeichernMenuItemClick(); });
    onTrigger(AFspeichernunterMenuItem, [&session] { session.World.AFspeichernunterMenuItemClick(); });
    onTrigger(AufzmodusanMenuItem, [&session] { session.Recording.AufzmodusanMenuItemClick(); });
    onTrigger(AufzstartenMenuItem, [&session] { session.Recording.AufzstartenMenuItemClick(); });
    onTrigger(AufzbeendenMenuItem, [&session] { session.Recording.AufzbeendenMenuItemClick(); });
    onTrigger(AufzwiederholenMenuItem, [&session] { session.Recording.AufzwiederholenMenuItemClick(); });
    onTrigger(AufzladenMenuItem, [&session] { session.Recording.AufzladenMenuItemClick(); });
    onTrigger(AufzspeichernMenuItem, [&session] { session.Recording.AufzspeichernMenuItemClick(); });
    onTrigger(AufzspeichernunterMenuItem,
              [&session] { session.Recording.AufzspeichernunterMenuItemClick(); });
    onTrigger(NeuPrgMenuItem, [&session] { session.Programs.NeuPrgMenuItemClick(); });
    onTrigger(PrgladenMenuItem, [&session] { session.Programs.PrgladenMenuItemClick(); });
    onTrigger(PrgspeichernMenuItem, [&session] { session.Programs.PrgspeichernMenuItemClick(); });
    onTrigger(PrgspeichernunterMenuItem, [&session] { session.Programs.PrgspeichernunterMenuItemClick(); });
    onTrigger(HilfeMenuItem, [this] { HilfeMenuItemClick(); });
    onTrigger(EndeMenuItem, [&session] { session.EndeMenuItemClick(); });
}

void TNibboForm::FormCreate() {
    // 1. The editor takes the Tab key and has tab stops every two character widths.
    PrgMemo->setTabChangesFocus(false);
    PrgMemo->SetTabStopsInCharacters(2);
    // 2. Key preview: every key press in this window reaches the session's FormKeyDown first.
    qApp->installEventFilter(this);
    // 3. The random numbers of the info window's show.
    SeedRandom();
    session_->FormCreate();
}

void TNibboForm::FeldEditorDrawGridMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                             QPoint point) {
    const QPoint cell = TWorldGrid::CellAt(point);
    session_->World.FeldEditorDrawGridMouseDown(ToEditorButton(button), ToEditorModifiers(shift), cell.x(),
                                                cell.y());
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

// --- The front end ---

void TNibboForm::ShowMessage(const std::string& text) {
    Dialogs->ShowMessage(QString::fromStdString(text));
}

bool TNibboForm::AskQuestion(const std::string& text) {
    return Dialogs->AskQuestion(QString::fromStdString(text));
}

void TNibboForm::ShowError(const std::string& text) {
    Dialogs->ShowError(QString::fromStdString(text));
}

std::optional<FileChoice> TNibboForm::ChooseFile(const FileDialogSpec& spec) {
    return Dialogs->ChooseFile(spec);
}

FileRead TNibboForm::ReadFileStart(const std::string& path, std::size_t count) {
    return nibbo::ReadFileStart(path, count);
}

FileRead TNibboForm::ReadTextFile(const std::string& path) {
    return ReadTextFileBytes(path);
}

std::string TNibboForm::SaveFile(const std::string& path, std::string_view bytes) {
    return nibbo::SaveFile(path, bytes);
}

std::u16string TNibboForm::EditorText() const {
    return PrgMemo->Text().toStdU16String();
}

void TNibboForm::SetEditorText(std::u16string_view text) {
    PrgMemo->SetText(FromUtf16(text));
}

void TNibboForm::AppendEditorLine(std::u16string_view line) {
    PrgMemo->AppendLine(FromUtf16(line));
}

void TNibboForm::SelectInEditor(int start, int length) {
    PrgMemo->SetSelection(start, length);
}

int TNibboForm::EditorSelStart() const {
    return PrgMemo->SelStart();
}

WorldCanvas& TNibboForm::Canvas() {
    return *FeldEditorDrawGrid;
}

StockField& TNibboForm::Stock() {
    return *ItemsSpinEdit;
}

int TNibboForm::SpeedPosition() const {
    return SpeedTrackBar->value();
}

void TNibboForm::SetCommandEnabled(Command command, bool enabled) {
    switch (command) {
    case Command::AFspeichern:
        return AFspeichernMenuItem->setEnabled(enabled);
    case Command::Aufzmodusan:
        return AufzmodusanMenuItem->setEnabled(enabled);
    case Command::Aufzstarten:
        return AufzstartenMenuItem->setEnabled(enabled);
    case Command::Aufzbeenden:
        return AufzbeendenMenuItem->setEnabled(enabled);
    case Command::Aufzwiederholen:
        return AufzwiederholenMenuItem->setEnabled(enabled);
    case Command::Aufzladen:
        return AufzladenMenuItem->setEnabled(enabled);
    case Command::Aufzspeichern:
        return AufzspeichernMenuItem->setEnabled(enabled);
    case Command::Aufzspeichernunter:
        return AufzspeichernunterMenuItem->setEnabled(enabled);
    case Command::ProgrammMenu:
        ProgrammMenuItem->setEnabled(enabled);
        return ProgrammMenuItem->menuAction()->setEnabled(enabled);
    case Command::Prgspeichern:
        return PrgspeichernMenuItem->setEnabled(enabled);
    case Command::RunButton:
        return RunSpeedButton->setEnabled(enabled);
    case Command::PauseButton:
        return PauseSpeedButton->setEnabled(enabled);
    case Command::StopButton:
        return StopSpeedButton->setEnabled(enabled);
    case Command::StepButton:
        return StepSpeedButton->setEnabled(enabled);
    case Command::SyntaxButton:
        return SyntaxSpeedButton->setEnabled(enabled);
    }
}

void TNibboForm::SetCommandCaption(Command command, const std::string& caption) {
    if (command == Command::Aufzmodusan) AufzmodusanMenuItem->setText(QString::fromStdString(caption));
}

void TNibboForm::SetControlEnabled(Control control, bool enabled) {
    switch (control) {
    case Control::WorldView:
        return FeldEditorDrawGrid->setEnabled(enabled);
    case Control::StockField:
        return ItemsSpinEdit->setEnabled(enabled);
    case Control::Editor:
        return PrgMemo->setEnabled(enabled);
    }
}

void TNibboForm::ShowFileName(FilePanel panel, const std::string& prefix, const std::string& name) {
    StatusPanels[panel == FilePanel::World ? 1 : 2]->ShowName(QString::fromStdString(prefix),
                                                              QString::fromStdString(name));
}

void TNibboForm::SetMessageList(const std::vector<std::string>& lines) {
    InfoListBox->clear();
    // Measuring every line of a list of many thousands takes seconds; a list that long is not read
    // to the end of its widest line.
    InfoListBox->setUniformItemSizes(lines.size() > kMessagesMeasured);
    QStringList items;
    items.reserve(qsizetype(lines.size()));
    for (const std::string& line : lines)
        items << QString::fromStdString(line);
    InfoListBox->addItems(items);
}

QTimer* TNibboForm::TimerOf(Timer timer) const {
    switch (timer) {
    case Timer::Move:
        return MoveTimer;
    case Timer::Step:
        return StepTimer;
    case Timer::Aufz:
        return AufzTimer;
    }
    return nullptr;
}

void TNibboForm::StartTimer(Timer timer, int interval) {
    TimerOf(timer)->start(interval);
}

void TNibboForm::StopTimer(Timer timer) {
    TimerOf(timer)->stop();
}

void TNibboForm::EndApplication() {
    OnEnd();
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
            session_->Recording.FormKeyDown(VirtualKeyCode(key->key()));
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
