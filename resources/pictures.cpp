#include "resources/pictures.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace nibbo::pictures {

namespace {

// Mouth opening (half the angle of the wedge, in degrees) and whether the red bite shows, by frame.
struct FrameLook {
    qreal halfMouth;
    bool bite;
};
constexpr FrameLook kFrames[5] = {{0, false}, {28, false}, {50, false}, {50, true}, {28, true}};

QPixmap Render(int size, qreal dpr, const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(qRound(size * dpr), qRound(size * dpr));
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(painter);
    return pixmap;
}

QPixmap Greyed(const QPixmap& source) {
    QImage image = source.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 128 + qGray(line[x]) / 3;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) / 2);
        }
    }
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(source.devicePixelRatio());
    return result;
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
    for (int i = 0; i < portions && i < 9; ++i) painter.fillRect(QRectF(kX[i % 3], kY[i / 3], 4, 4), kFoodWhite);
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
    painter.fillRect(QRectF(12, 5, 2, 2), Qt::black);
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
    QIcon icon;
    for (qreal dpr : {1.0, 1.25, 1.5, 2.0}) {
        const QPixmap normal = Render(kButtonSize, dpr, [button](QPainter& p) { PaintButton(p, button); });
        icon.addPixmap(normal, QIcon::Normal);
        icon.addPixmap(Greyed(normal), QIcon::Disabled);
    }
    return icon;
}

} // namespace nibbo::pictures
