#include "windows/infounit.h"

#include "shell/random.h"
#include "world/image_lists.h"
#include "world/world_paint.h"

#include <QGuiApplication>
#include <QHideEvent>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace nibbo {

namespace {

constexpr int kClientWidth = 445;
constexpr int kClientHeight = 419;
constexpr int kDesignLeft = 432;
constexpr int kDesignTop = 123;
constexpr int kDemoInterval = 100;
constexpr int kTurnChance = 12; // one tick in twelve draws a new direction

const QColor kRed{255, 0, 0};
const QColor kLime{0, 255, 0};
const QColor kSkyBlue{166, 202, 240};
const QColor kTeal{0, 128, 128};

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QFont& font,
                  const QColor& colour, QPoint place) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->move(place);
    label->adjustSize();
    return label;
}

// A label whose text wraps within a box of its own size.
QLabel* MakeParagraph(QWidget* parent, const char* name, const QString& text, const QFont& font,
                      const QColor& colour, QRect box) {
    QLabel* label = MakeLabel(parent, name, text, font, colour, box.topLeft());
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(box);
    return label;
}

QFont SansFont(int pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

// Turns at an edge: a walker that would step over the edge in its present direction turns back.
// The tests look at the present direction only, so a turn at a corner waits for the next tick.
uint8_t TurnAtEdges(uint8_t direction, int64_t left, int64_t top, QSize size, QRect area) {
    switch (direction) {
    case 0:
        if (left + size.width() + kDemoStep > int64_t(area.x()) + area.width()) return 2;
        break;
    case 1:
        if (top < int64_t(area.y()) + kDemoStep) return 3;
        break;
    case 2:
        if (left < int64_t(area.x()) + kDemoStep) return 0;
        break;
    case 3:
        if (top + size.height() + kDemoStep > int64_t(area.y()) + area.height()) return 1;
        break;
    }
    return direction;
}

void StepInDirection(uint8_t direction, uint32_t& left, uint32_t& top) {
    switch (direction) {
    case 0:
        left += kDemoStep;
        break;
    case 1:
        top -= kDemoStep;
        break;
    case 2:
        left -= kDemoStep;
        break;
    case 3:
        top += kDemoStep;
        break;
    }
}

uint32_t ToPosition(int64_t value) {
    return uint32_t(std::clamp<int64_t>(value, 0, std::numeric_limits<uint32_t>::max()));
}

} // namespace

void AdvanceShow(DemoShow& show, QSize client, QRect screen, QSize window,
                 const std::function<int(int)>& random) {
    show.Frame = (show.Frame + 1) % kFigureFrames;

    if (random(kTurnChance) == 0) show.FigureDirection = uint8_t(random(4) & 3);
    show.FigureDirection = TurnAtEdges(show.FigureDirection, show.FigureLeft, show.FigureTop,
                                       QSize(kDemoSpriteSize, kDemoSpriteSize), QRect(QPoint(0, 0), client));
    StepInDirection(show.FigureDirection, show.FigureLeft, show.FigureTop);

    if (random(kTurnChance) == 0) show.WindowDirection = uint8_t(random(4) & 3);
    show.WindowDirection = TurnAtEdges(show.WindowDirection, show.WindowLeft, show.WindowTop, window, screen);
    StepInDirection(show.WindowDirection, show.WindowLeft, show.WindowTop);
}

void KeepWindowOnScreen(DemoShow& show, QRect screen, QSize window) {
    const int64_t maxLeft =
        std::max<int64_t>(screen.x(), int64_t(screen.x()) + screen.width() - window.width());
    const int64_t maxTop =
        std::max<int64_t>(screen.y(), int64_t(screen.y()) + screen.height() - window.height());
    show.WindowLeft = ToPosition(std::clamp<int64_t>(show.WindowLeft, screen.x(), maxLeft));
    show.WindowTop = ToPosition(std::clamp<int64_t>(show.WindowTop, screen.y(), maxTop));
}

TInfoForm::TInfoForm(const TImageList& pacImageList, QWidget* parent)
    : QWidget(parent, Qt::Tool), Random(RandomBelow), pacImageList_(pacImageList) {
    setObjectName(QStringLiteral("InfoForm"));
    setWindowTitle(QStringLiteral("Nibbo Info"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    move(kDesignLeft, kDesignTop);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
    setAutoFillBackground(true);

    QFont titleFont;
    titleFont.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Nimbus Mono PS"),
                           QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
    titleFont.setStyleHint(QFont::TypeWriter);
    titleFont.setPixelSize(48);
    titleFont.setBold(true);
    titleFont.setItalic(true);
    TitelLabel = MakeLabel(this, "TitelLabel", QStringLiteral("Nibbo"), titleFont, kRed, {151, 24});
    TitelLabel->setGeometry(151, 24, 145, 55);
    TitelLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    BeschreibungLabel = MakeParagraph(
        this, "BeschreibungLabel",
        QStringLiteral("Nibbo ist eine Lernumgebung für die ersten Schritte im Programmieren. Du steuerst "
                       "Nibbo mit den Tasten und mit eigenen Pascal-Programmen durch seine Welt."),
        SansFont(13), kLime, {24, 96, 381, 48});

    VersionLabel =
        MakeLabel(this, "VersionLabel", QStringLiteral("Version 1.0"), SansFont(15), kSkyBlue, {24, 160});
    DatumLabel =
        MakeLabel(this, "DatumLabel", QStringLiteral("Dezember 2026"), SansFont(15), kSkyBlue, {24, 176});

    Autor1Label = MakeLabel(this, "Autor1Label", QStringLiteral("Idee und Programm: das Nibbo-Team"),
                            SansFont(17), kSkyBlue, {24, 200});
    Autor2Label = MakeLabel(this, "Autor2Label", QStringLiteral("Bilder und Hilfetexte: das Nibbo-Team"),
                            SansFont(17), kSkyBlue, {24, 224});
    Autor3Label = MakeLabel(this, "Autor3Label", QStringLiteral("Danke an alle Testklassen!"), SansFont(17),
                            kSkyBlue, {24, 248});

    Adresse1Label = MakeParagraph(this, "Adresse1Label",
                                  QStringLiteral("Nibbo – Programmieren lernen im Informatikunterricht"),
                                  SansFont(13), kLime, {24, 288, 232, 32});
    Adresse2Label = MakeParagraph(
        this, "Adresse2Label",
        QStringLiteral(
            "Für Schulen und für alle, die programmieren lernen wollen. Ideen und Hinweise sind willkommen."),
        SansFont(13), kLime, {24, 326, 351, 32});

    LizenzLabel =
        MakeParagraph(this, "LizenzLabel",
                      QStringLiteral("GNU GPL 3 oder später: nutzen, kopieren, ändern, weitergeben; "
                                     "Änderungen bleiben frei. Ohne Gewähr."),
                      SansFont(13), kTeal, {24, 376, 373, 32});

    // The figure walks over every label but the second version line, which lies above it.
    PacImage = new QLabel(this);
    PacImage->setObjectName(QStringLiteral("PacImage"));
    PacImage->setGeometry(80, 40, kDemoSpriteSize, kDemoSpriteSize);
    PacImage->setPixmap(pacImageList_.Pixmap(FigureImage(0, 0), devicePixelRatioF()));
    PacImage->raise();
    DatumLabel->raise();

    DemoTimer = new QTimer(this);
    DemoTimer->setObjectName(QStringLiteral("DemoTimer"));
    DemoTimer->setInterval(kDemoInterval);
    connect(DemoTimer, &QTimer::timeout, this, &TInfoForm::DemoTimerTimer);

    FormCreate();
}

void TInfoForm::FormCreate() {
    SeedRandom();
    Show.Frame = 0;
    Show.FigureDirection = 0;
    Show.FigureLeft = 40;
    Show.FigureTop = 40;
    Show.WindowLeft = ToPosition(pos().x());
    Show.WindowTop = ToPosition(pos().y());
}

QRect TInfoForm::ScreenRect() const {
    QScreen* screen = this->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, kClientWidth, kClientHeight);
}

QSize TInfoForm::OuterSize() const {
    return frameGeometry().size();
}

void TInfoForm::DemoTimerTimer() {
    KeepWindowOnScreen(Show, ScreenRect(), OuterSize());
    move(int(Show.WindowLeft), int(Show.WindowTop));
    PacImage->setPixmap(pacImageList_.Pixmap(FigureImage(Show.FigureDirection, int(Show.Frame)),
                                             PacImage->devicePixelRatioF()));
    PacImage->move(int(Show.FigureLeft), int(Show.FigureTop));
    AdvanceShow(Show, size(), ScreenRect(), OuterSize(), Random);
}

void TInfoForm::FormHide() {
    DemoTimer->stop();
}

void TInfoForm::showEvent(QShowEvent* event) {
    // Placed in the middle of the screen whenever it is shown; the next tick of the show moves it on
    // to where its walk stands.
    if (!event->spontaneous()) {
        QRect frame = frameGeometry();
        frame.moveCenter(ScreenRect().center());
        move(frame.topLeft());
    }
    QWidget::showEvent(event);
}

void TInfoForm::hideEvent(QHideEvent* event) {
    // A window minimised with the others is no hiding of the window itself.
    if (!event->spontaneous()) FormHide();
    QWidget::hideEvent(event);
}

} // namespace nibbo
