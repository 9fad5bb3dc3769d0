#include "world/world_view.h"

#include "resources/pictures.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace nibbo {

namespace {
constexpr int kBorder = 2;
} // namespace

TWorldGrid::TWorldGrid(const TImageList& pac, const TImageList& stein, const TImageList& item,
                       QWidget* parent)
    : QFrame(parent), surface_(pac, stein, item) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorder);
    setFixedSize(kViewWidth + 2 * kBorder, kViewHeight + 2 * kBorder);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_.Ensure(devicePixelRatioF());
}

QPoint TWorldGrid::CellAt(QPoint point) {
    const CellPlace cell = CellAtPoint(point.x(), point.y());
    return {cell.Column, cell.Row};
}

QRect TWorldGrid::CellRect(int column, int row) {
    return TWorldSurface::CellRect(column, row);
}

void TWorldGrid::Drawn(int column, int row) {
    // The paint event in progress shows the whole surface anyway.
    if (paintingWorld_ || !InGrid(column, row)) return;
    const QRect rect = CellRect(column, row);
    ownDirty_ += rect;
    update(rect.translated(kBorder, kBorder));
}

void TWorldGrid::FillPath(int column, int row) {
    surface_.FillPath(column, row);
    Drawn(column, row);
}

void TWorldGrid::DrawWallPicture(int column, int row) {
    surface_.DrawWallPicture(column, row);
    Drawn(column, row);
}

void TWorldGrid::DrawFoodPicture(int column, int row, int portions) {
    surface_.DrawFoodPicture(column, row, portions);
    Drawn(column, row);
}

void TWorldGrid::DrawFigurePicture(int column, int row, int image) {
    surface_.DrawFigurePicture(column, row, image);
    Drawn(column, row);
}

void TWorldGrid::paintEvent(QPaintEvent* event) {
    const QRegion client =
        event->region().translated(-kBorder, -kBorder) & QRect(0, 0, kViewWidth, kViewHeight);
    QPainter painter(this);
    // The ratio of the device painted on now: the window's screen, or an image the view is rendered
    // into. A surface of another ratio would be shown scaled and blurred, so it is made anew.
    const bool madeAnew = surface_.Ensure(pictures::DeviceScale(painter));
    const bool askedBySystem = madeAnew || !(client - ownDirty_).isEmpty();
    ownDirty_ = QRegion();
    if (askedBySystem && OnPaintWorld) {
        paintingWorld_ = true;
        OnPaintWorld();
        paintingWorld_ = false;
    }
    painter.drawImage(QPoint(kBorder, kBorder), surface_.Image());
    drawFrame(&painter);
}

void TWorldGrid::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown)
        OnMouseDown(event->button(), event->modifiers(),
                    event->position().toPoint() - QPoint(kBorder, kBorder));
    QFrame::mousePressEvent(event);
}

void TWorldGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is a press like any other.
    mousePressEvent(event);
}

} // namespace nibbo
