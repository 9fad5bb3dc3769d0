#include "windows/infounit.h"

#include "resources/pictures.h"
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

namespace nibbo {

namespace {

Extent ToExtent(QSize size) {
    return {size.width(), size.height()};
}

Area ToArea(QRect rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

uint32_t ToPosition(int value) {
    return uint32_t(std::max(value, 0));
}

QFont LabelFont(const InfoLabel& label) {
    QFont font;
    if (label.Font == InfoLabel::Title) {
        font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Nimbus Mono PS"),
                          QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
        font.setStyleHint(QFont::TypeWriter);
        font.setBold(true);
        font.setItalic(true);
    } else {
        font.setFamily(QStringLiteral("DejaVu Sans"));
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPixelSize(label.PixelSize);
    return font;
}

QLabel* MakeLabel(QWidget* parent, const InfoLabel& spec) {
    auto* label = new QLabel(QString::fromUtf8(spec.Text), parent);
    label->setObjectName(QLatin1String(spec.Name));
    label->setFont(LabelFont(spec));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, pictures::Colour(spec.Colour));
    label->setPalette(palette);
    label->move(spec.Place.Left, spec.Place.Top);
    label->adjustSize();
    if (spec.Place.Width > 0) {
        label->setWordWrap(spec.Wrapped);
        label->setAlignment(spec.Wrapped ? Qt::AlignLeft | Qt::AlignTop : Qt::AlignLeft | Qt::AlignVCenter);
        label->setGeometry(spec.Place.Left, spec.Place.Top, spec.Place.Width, spec.Place.Height);
    }
    return label;
}

} // namespace

void AdvanceShow(DemoShow& show, QSize client, QRect screen, QSize window,
                 const std::function<int(int)>& random) {
    AdvanceShow(show, ToExtent(client), ToArea(screen), ToExtent(window), random);
}

void KeepWindowOnScreen(DemoShow& show, QRect screen, QSize window) {
    KeepWindowOnScreen(show, ToArea(screen), ToExtent(window));
}

TInfoForm::TInfoForm(const TImageList& pacImageList, QWidget* parent)
    : QWidget(parent, Qt::Tool), Random(RandomBelow), pacImageList_(pacImageList) {
    setObjectName(QStringLiteral("InfoForm"));
    setWindowTitle(QString::fromUtf8(kInfoCaption));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(kInfoClientWidth, kInfoClientHeight);
    move(kInfoDesignLeft, kInfoDesignTop);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
    setAutoFillBackground(true);

    QLabel** members[] = {&TitelLabel,  &BeschreibungLabel, &VersionLabel,  &Autor1Label, &Autor2Label,
                          &Autor3Label, &Adresse1Label,     &Adresse2Label, &LizenzLabel, &DatumLabel};
    for (std::size_t i = 0; i < InfoLabels().size(); ++i)
        *members[i] = MakeLabel(this, InfoLabels()[i]);

    // The figure walks over every label but the last, which lies above it.
    PacImage = new QLabel(this);
    PacImage->setObjectName(QStringLiteral("PacImage"));
    PacImage->setGeometry(kDemoImageLeft, kDemoImageTop, kDemoSpriteSize, kDemoSpriteSize);
    PacImage->setPixmap(pacImageList_.Pixmap(FigureImage(0, 0), devicePixelRatioF()));
    PacImage->raise();
    (*members[InfoLabels().size() - 1])->raise();

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
    return screen ? screen->geometry() : QRect(0, 0, kInfoClientWidth, kInfoClientHeight);
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
