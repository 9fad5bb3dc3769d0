#include "resources/pictures.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>

namespace nibbo::pictures {

namespace {

constexpr int kRestingFrameLook = 1;

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

} // namespace

void PaintPicture(QPainter& painter, const Picture& picture) {
    painter.save();
    painter.setPen(Qt::NoPen);
    if (picture.QuarterTurns != 0) {
        const qreal centre = picture.Size / 2.0;
        painter.translate(centre, centre);
        painter.rotate(-90.0 * picture.QuarterTurns);
        painter.translate(-centre, -centre);
    }
    for (const Shape& shape : picture.Shapes) {
        const QColor colour = Colour(shape.Colour);
        const QRectF box(shape.X, shape.Y, shape.Width, shape.Height);
        painter.setRenderHint(QPainter::Antialiasing, shape.Smooth);
        painter.setBrush(colour);
        switch (shape.Type) {
        case Shape::Box:
            if (shape.Smooth)
                painter.drawRect(box);
            else
                painter.fillRect(box, colour);
            break;
        case Shape::Ellipse: {
            QPainterPath path;
            path.addEllipse(box);
            painter.drawPath(path);
            break;
        }
        case Shape::Pie: {
            QPainterPath path;
            path.moveTo(box.center());
            path.arcTo(box, shape.StartAngle, shape.SpanAngle);
            path.closeSubpath();
            painter.drawPath(path);
            break;
        }
        case Shape::Polygon: {
            QPolygonF polygon;
            for (const Point& point : shape.Points)
                polygon << QPointF(point.X, point.Y);
            painter.drawPolygon(polygon);
            break;
        }
        case Shape::Polyline: {
            QPolygonF line;
            for (const Point& point : shape.Points)
                line << QPointF(point.X, point.Y);
            painter.setPen(QPen(colour, shape.PenWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.setBrush(Qt::NoBrush);
            painter.drawPolyline(line);
            painter.setPen(Qt::NoPen);
            break;
        }
        }
    }
    painter.restore();
}

void PaintWall(QPainter& painter) {
    PaintPicture(painter, WallPicture());
}

void PaintFood(QPainter& painter, int portions) {
    PaintPicture(painter, FoodPicture(portions));
}

void PaintFigure(QPainter& painter, int orientation, int frame) {
    PaintPicture(painter, FigurePicture(orientation, frame));
}

void PaintButton(QPainter& painter, Button button) {
    PaintPicture(painter, ButtonPicture(button));
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
