#include "resources/pictures.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>

namespace nibbo::pictures {

namespace {

// Mouth opening (half the angle of the wedge, in degrees) and whether the red bite shows, by frame.
struct FrameLook {
    qreal halfMouth;
    bool bite;
};
constexpr FrameLook kFrames[5] = {{0, false}, {28, false}, {50, false}, {50, true}, {28, true}};
constexpr int kRestingFrameLook = 1;

// The figure's eye, facing east.
constexpr qreal kEyeX = 12, kEyeY = 5, kEyeSize = 2;

// The icon: where the figure sits on its tile and how large it is, and the portion in front of it.
constexpr qreal kIconRadius = 5;
constexpr qreal kIconFigureX = 1.5, kIconFigureY = 3.5, kIconFigureScale = 0.72;
constexpr qreal kIconFoodX = 20, kIconFoodY = 11, kIconFoodSize = 3;

using PaintFunction = std::function<void(QPainter&)>;

QPixmap Render(int size, qreal dpr, const PaintFunction& paint) {
    QPixmap pixmap(qRound(size * dpr), qRound(size * dpr));
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(painter);
    return pixmap;
}

// The disabled form of a picture: light grey, half transparent.
void Grey(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 128 + qGray(line[x]) / 3;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) / 2);
        }
    }
}

// An icon that paints its picture anew for whatever pixel size a button, a menu or the window
// manager asks for, so that it is never a scaled copy of a picture made for another size.
class PictureIconEngine : public QIconEngine {
public:
    PictureIconEngine(PaintFunction paint, int logicalSize)
        : paint_(std::move(paint)), logicalSize_(logicalSize) {}

    QIconEngine* clone() const override { return new PictureIconEngine(paint_, logicalSize_); }
    QString key() const override { return QStringLiteral("nibbo-picture"); }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    bool isNull() override { return false; }

    // A picture of exactly `size` device pixels; the icon gives it the ratio of the device it is for.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        if (size.isEmpty()) return {};
        // Plain ARGB32, so that the greying below reads the colours directly.
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.scale(qreal(size.width()) / logicalSize_, qreal(size.height()) / logicalSize_);
            paint_(painter);
        }
        if (mode == QIcon::Disabled) Grey(image);
        return QPixmap::fromImage(image);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal scale = DeviceScale(*painter);
        QPixmap picture =
            pixmap(QSize(qRound(rect.width() * scale), qRound(rect.height() * scale)), mode, state);
        picture.setDevicePixelRatio(scale);
        painter->drawPixmap(rect.topLeft(), picture);
    }

private:
    PaintFunction paint_;
    int logicalSize_;
};

QString Number(qreal value) {
    return QString::number(value, 'g', 6);
}

} // namespace

void PaintWall(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRectF(0, 0, kCellSize, kCellSize), kWallDark);
    painter.fillRect(QRectF(3, 3, 19, 19), kWallLight);
    painter.restore();
}

void PaintFood(QPainter& painter, int portions) {
    static constexpr int kX[3] = {4, 11, 18};
    static constexpr int kY[3] = {17, 10, 3};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < portions && i < 9; ++i)
        painter.fillRect(QRectF(kX[i % 3], kY[i / 3], 4, 4), kFoodWhite);
    painter.restore();
}

void PaintFigure(QPainter& painter, int orientation, int frame) {
    const FrameLook look = kFrames[((frame % 5) + 5) % 5];
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Draw facing east and turn the whole picture; turning by quarters keeps the pixels aligned.
    painter.translate(12.5, 12.5);
    painter.rotate(-90.0 * (orientation & 3));
    painter.translate(-12.5, -12.5);

    const QRectF disc(0, 0, kCellSize, kCellSize);
    QPainterPath body;
    if (look.halfMouth <= 0) {
        body.addEllipse(disc);
    } else {
        body.moveTo(12.5, 12.5);
        body.arcTo(disc, look.halfMouth, 360.0 - 2 * look.halfMouth);
        body.closeSubpath();
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(kFigureYellow);
    painter.drawPath(body);

    if (look.bite) {
        painter.setBrush(QColor(220, 0, 0));
        painter.drawEllipse(QRectF(16, 10.5, 5, 4));
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRectF(kEyeX, kEyeY, kEyeSize, kEyeSize), Qt::black);
    painter.restore();
}

void PaintButton(QPainter& painter, Button button) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    switch (button) {
    case Button::Run: {
        painter.setBrush(QColor(0, 128, 0));
        const QPointF triangle[3] = {{4, 2}, {13, 8}, {4, 14}};
        painter.drawPolygon(triangle, 3);
        break;
    }
    case Button::Pause:
        painter.setBrush(QColor(0, 0, 160));
        painter.drawRect(QRectF(4, 2, 3, 12));
        painter.drawRect(QRectF(9, 2, 3, 12));
        break;
    case Button::Stop:
        painter.setBrush(QColor(160, 0, 0));
        painter.drawRect(QRectF(3, 3, 10, 10));
        break;
    case Button::Step: {
        painter.setBrush(QColor(0, 0, 160));
        painter.drawRect(QRectF(2, 2, 3, 12));
        painter.setBrush(QColor(0, 128, 0));
        const QPointF triangle[3] = {{7, 2}, {14, 8}, {7, 14}};
        painter.drawPolygon(triangle, 3);
        break;
    }
    case Button::Syntax: {
        QPen pen(QColor(220, 0, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const QPointF tick[3] = {{2.5, 8.5}, {6, 12.5}, {13.5, 3}};
        painter.drawPolyline(tick, 3);
        break;
    }
    }
    painter.restore();
}

void PaintAppIcon(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kPathColour);
    painter.drawRoundedRect(QRectF(0, 0, kCellSize, kCellSize), kIconRadius, kIconRadius);
    painter.fillRect(QRectF(kIconFoodX, kIconFoodY, kIconFoodSize, kIconFoodSize), kFoodWhite);
    painter.translate(kIconFigureX, kIconFigureY);
    painter.scale(kIconFigureScale, kIconFigureScale);
    PaintFigure(painter, 0, kRestingFrameLook);
    painter.restore();
}

QByteArray AppIconSvg() {
    // The figure's body: from the centre to the upper lip, round the back to the lower lip, closed.
    const qreal r = kCellSize / 2.0;
    const qreal mouth = qDegreesToRadians(kFrames[kRestingFrameLook].halfMouth);
    const QString lipX = Number(r + r * std::cos(mouth));
    const QString upperY = Number(r - r * std::sin(mouth)), lowerY = Number(r + r * std::sin(mouth));
    const QString size = Number(kCellSize);
    QString svg;
    svg += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    svg +=
        QStringLiteral(
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n")
            .arg(size);
    svg += QStringLiteral("  <rect width=\"%1\" height=\"%1\" rx=\"%2\" fill=\"%3\"/>\n")
               .arg(size, Number(kIconRadius), kPathColour.name());
    svg += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%3\" fill=\"%4\"/>\n")
               .arg(Number(kIconFoodX), Number(kIconFoodY), Number(kIconFoodSize), kFoodWhite.name());
    svg += QStringLiteral("  <g transform=\"translate(%1 %2) scale(%3)\">\n")
               .arg(Number(kIconFigureX), Number(kIconFigureY), Number(kIconFigureScale));
    svg += QStringLiteral("    <path d=\"M %1 %1 L %2 %3 A %1 %1 0 1 0 %2 %4 Z\" fill=\"%5\"/>\n")
               .arg(Number(r), lipX, upperY, lowerY, kFigureYellow.name());
    svg += QStringLiteral("    <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%3\" fill=\"#000000\"/>\n")
               .arg(Number(kEyeX), Number(kEyeY), Number(kEyeSize));
    svg += QStringLiteral("  </g>\n</svg>\n");
    return svg.toUtf8();
}

qreal DeviceScale(const QPainter& painter) {
    const QTransform transform = painter.deviceTransform();
    const qreal scale = std::hypot(transform.m11(), transform.m12());
    return scale > 0 ? scale : 1.0;
}

QPixmap WallPixmap(qreal dpr) {
    return Render(kCellSize, dpr, [](QPainter& p) { PaintWall(p); });
}

QPixmap FoodPixmap(int portions, qreal dpr) {
    return Render(kCellSize, dpr, [portions](QPainter& p) { PaintFood(p, portions); });
}

QPixmap FigurePixmap(int orientation, int frame, qreal dpr) {
    return Render(kCellSize, dpr, [orientation, frame](QPainter& p) { PaintFigure(p, orientation, frame); });
}

QIcon ButtonIcon(Button button) {
    return QIcon(new PictureIconEngine([button](QPainter& p) { PaintButton(p, button); }, kButtonSize));
}

QIcon AppIcon() {
    return QIcon(new PictureIconEngine([](QPainter& p) { PaintAppIcon(p); }, kCellSize));
}

} // namespace nibbo::pictures
