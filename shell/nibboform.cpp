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

// Message lists longer than this give all their lines the height and width of the first.
constexpr std::size_t kMessagesMeasured = 1000;

QRect Geometry(Box box) {
    return QRect(box.Left, box.Top, box.Width, box.Height);
}

QLabel* MakeLabel(const Label& text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text.Text), parent);
    label->move(text.Left, text.Top);
    label->adjustSize();
    return label;
}

QToolButton* MakeButton(QWidget* parent, const RunButton& entry) {
    auto* button = new QToolButton(parent);
    button->setGeometry(entry.Left, layout::kButtonTop, layout::kButtonWidth, layout::kButtonHeight);
    button->setIcon(pictures::ButtonIcon(entry.Picture));
    button->setIconSize(QSize(pictures::kButtonSize, pictures::kButtonSize));
    button->setToolTip(QString::fromUtf8(entry.Hint));
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
    return QString::fromUtf8(kStatusBanner);
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
    setFixedSize(layout::kClientWidth, layout::kClientHeight + menuBar()->sizeHint().height());
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
    client->setFixedSize(layout::kClientWidth, layout::kClientHeight - layout::kStatusBarHeight);
    setCentralWidget(client);

    FeldEditorDrawGrid = new TWorldGrid(PacImageList, SteinImageList, ItemImageList, client);
    FeldEditorDrawGrid->setObjectName(QStringLiteral("FeldEditorDrawGrid"));
    FeldEditorDrawGrid->move(layout::kWorldView.Left, layout::kWorldView.Top);

    Panel1 = new QWidget(client);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(Geometry(layout::kPanel));

    PrgMemo = new TPrgMemo(client);
    PrgMemo->setObjectName(QStringLiteral("PrgMemo"));
    PrgMemo->setGeometry(Geometry(layout::kEditor));
    PrgMemo->setPlainText(QString::fromUtf8(kInitialProgram));

    // The legend: how the mouse builds a world.
    TLegendPicture** legendPictures[] = {&LegendStartImage, &LegendWallImage, &LegendPathImage,
                                         &LegendFoodImage};
    for (const LegendEntry& entry : Legend()) {
        TLegendPicture*& picture = *legendPictures[int(entry.Picture)];
        picture = new TLegendPicture(
            [shapes = LegendPictureShapes(entry.Picture)](QPainter& p) { pictures::PaintPicture(p, shapes); },
            Panel1);
        picture->move(entry.Left, entry.Top);
        MakeLabel(entry.Title, Panel1);
        MakeLabel(entry.Hint, Panel1);
    }

    MakeLabel(kStockLabel, Panel1);
    ItemsSpinEdit = new TSpinEdit(Panel1);
    ItemsSpinEdit->setObjectName(QStringLiteral("ItemsSpinEdit"));
    ItemsSpinEdit->setGeometry(Geometry(layout::kStockField));

    QLabel* delayLabel = MakeLabel(kSpeedLabel, Panel1);
    SpeedTrackBar = new QSlider(Qt::Horizontal, Panel1);
    SpeedTrackBar->setObjectName(QStringLiteral("SpeedTrackBar"));
    // The slider ends under the syntax button. It starts at its place unless the label's text
    // reaches that far; then it starts one blank after the text, so that its groove and its handle
    // at 0 never cover the colon.
    const int sliderRight = layout::kSlider.Left + layout::kSlider.Width;
    const int sliderLeft =
        std::max(layout::kSlider.Left, delayLabel->geometry().right() + 1 +
                                           delayLabel->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    SpeedTrackBar->setGeometry(sliderLeft, layout::kSlider.Top, sliderRight - sliderLeft,
                               layout::kSlider.Height);
    SpeedTrackBar->setRange(kSpeedMinimum, kSpeedMaximum);
    SpeedTrackBar->setValue(kSpeedAtStart);
    SpeedTrackBar->setSingleStep(1);
    SpeedTrackBar->setPageStep(1);
    SpeedTrackBar->setTickPosition(QSlider::TicksBelow);
    SpeedTrackBar->setTickInterval(1);

    for (const RunButton& entry : RunButtons())
        ButtonOf(entry.Which) = MakeButton(Panel1, entry);

    InfoListBox = new QListWidget(Panel1);
    InfoListBox->setObjectName(QStringLiteral("InfoListBox"));
    InfoListBox->setGeometry(Geometry(layout::kMessageList));

    PrgMemo->raise();

    FeldEditorDrawGrid->setAccessibleName(QString::fromUtf8(kWorldViewName));
    PrgMemo->setAccessibleName(QString::fromUtf8(kEditorName));
    InfoListBox->setAccessibleName(QString::fromUtf8(kMessageListName));
    ItemsSpinEdit->setAccessibleName(QString::fromUtf8(kStockLabel.Text));
    SpeedTrackBar->setAccessibleName(QString::fromUtf8(kSpeedLabel.Text));

    DateiInfoStatusBar = new QStatusBar(this);
    DateiInfoStatusBar->setObjectName(QStringLiteral("DateiInfoStatusBar"));
    DateiInfoStatusBar->setSizeGripEnabled(false);
    DateiInfoStatusBar->setFixedHeight(layout::kStatusBarHeight);
    DateiInfoStatusBar->setContentsMargins(0, 0, 0, 0);
    const Qt::Alignment alignments[3] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignRight};
    for (int i = 0; i < 3; ++i) {
        StatusPanels[i] = new TStatusPanel(DateiInfoStatusBar);
        StatusPanels[i]->setFixedWidth(layout::kStatusPanelWidths[std::size_t(i)]);
        StatusPanels[i]->setAlignment(alignments[i] | Qt::AlignVCenter);
        // A thin sunken box round each panel, low enough that the text is not cut off. The text
        // keeps its distance from the box by the padding alone, so that the room for a file name
        // is the panel's contents.
        StatusPanels[i]->setFixedHeight(layout::kStatusBarHeight - 2);
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
    for (const MenuBarEntry& entry : MenuBar()) {
        const QString caption = QString::fromUtf8(entry.Caption);
        if (entry.Which) {
            menuItems_[*entry.Which] = bar->addAction(caption);
            continue;
        }
        QMenu* menu = bar->addMenu(caption);
        menus_.push_back(menu);
        for (const MenuItem& item : entry.Items) {
            QAction* action = menu->addAction(QString::fromUtf8(item.Caption));
            action->setEnabled(item.EnabledAtStart);
            if (item.Shortcut) {
                action->setShortcut(
                    QKeySequence(QString::fromUtf8(item.Shortcut), QKeySequence::PortableText));
                action->setShortcutContext(Qt::WindowShortcut);
            }
            menuItems_[item.Which] = action;
        }
    }
    ArbeitsfeldMenuItem = menus_.at(0);
    AufzeichnenMenuItem = menus_.at(1);
    ProgrammMenuItem = menus_.at(2);
    using M = MenuCommand;
    InfoMenuItem = menuItems_.at(M::Info);
    AFresetMenuItem = menuItems_.at(M::AFreset);
    NeuAFMenuItem = menuItems_.at(M::NeuAF);
    AFladenMenuItem = menuItems_.at(M::AFladen);
    AFspeichernMenuItem = menuItems_.at(M::AFspeichern);
    AFspeichernunterMenuItem = menuItems_.at(M::AFspeichernunter);
    AufzmodusanMenuItem = menuItems_.at(M::Aufzmodusan);
    AufzstartenMenuItem = menuItems_.at(M::Aufzstarten);
    AufzbeendenMenuItem = menuItems_.at(M::Aufzbeenden);
    AufzwiederholenMenuItem = menuItems_.at(M::Aufzwiederholen);
    AufzladenMenuItem = menuItems_.at(M::Aufzladen);
    AufzspeichernMenuItem = menuItems_.at(M::Aufzspeichern);
    AufzspeichernunterMenuItem = menuItems_.at(M::Aufzspeichernunter);
    NeuPrgMenuItem = menuItems_.at(M::NeuPrg);
    PrgladenMenuItem = menuItems_.at(M::Prgladen);
    PrgspeichernMenuItem = menuItems_.at(M::Prgspeichern);
    PrgspeichernunterMenuItem = menuItems_.at(M::Prgspeichernunter);
    HilfeMenuItem = menuItems_.at(M::Hilfe);
    EndeMenuItem = menuItems_.at(M::Ende);
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

    for (const RunButton& entry : RunButtons()) {
        connect(ButtonOf(entry.Which), &QToolButton::clicked, this,
                [&session, which = entry.Which] { PressButton(session, which); });
    }

    connect(MoveTimer, &QTimer::timeout, this, [&session] { session.Run.MoveTimerTimer(); });
    connect(StepTimer, &QTimer::timeout, this, [&session] { session.Run.StepTimerTimer(); });
    connect(AufzTimer, &QTimer::timeout, this, [&session] { session.Recording.AufzTimerTimer(); });

    for (const auto& [which, action] : menuItems_) {
        connect(action, &QAction::triggered, this, [this, which = which] {
            if (PerformMenuCommand(*session_, which)) return;
            if (which == MenuCommand::Info) InfoMenuItemClick();
            if (which == MenuCommand::Hilfe) HilfeMenuItemClick();
        });
    }
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
    case Command::PauseButton:
    case Command::StopButton:
    case Command::StepButton:
    case Command::SyntaxButton:
        return ButtonOf(command)->setEnabled(enabled);
    }
}

QToolButton*& TNibboForm::ButtonOf(Command button) {
    switch (button) {
    case Command::RunButton:
        return RunSpeedButton;
    case Command::PauseButton:
        return PauseSpeedButton;
    case Command::StopButton:
        return StopSpeedButton;
    case Command::StepButton:
        return StepSpeedButton;
    default:
        return SyntaxSpeedButton;
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
