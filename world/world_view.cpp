#include "world/world_view.h"

#include "resources/pictures.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace nibbo {

namespace {
constexpr int kClientWidth = kViewWidth;
constexpr int kClientHeight = kViewHeight;
constexpr int kBorder = 2;
} // namespace

TWorldGrid::TWorldGrid(const TImageList& pac, const TImageList& stein, const TImageList& item,
                       QWidget* parent)
    : QFrame(parent), pac_(pac), stein_(stein), item_(item) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorder);
    setFixedSize(kClientWidth + 2 * kBorder, kClientHeight + 2 * kBorder);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    EnsureSurface(devicePixelRatioF());
}

QPoint TWorldGrid::CellAt(QPoint point) {
    const CellPlace cell = CellAtPoint(point.x(), point.y());
    return {cell.Column, cell.Row};
}

QRect TWorldGrid::CellRect(int column, int row) {
    return {(column - 1) * kCellPitch, (row - 1) * kCellPitch, pictures::kCellSize, pictures::kCellSize};
}

bool TWorldGrid::EnsureSurface(qreal dpr) {
    if (!surface_.isNull() && surface_.devicePixelRatio() == dpr) return false;
    surface_ = QImage(qRound(kClientWidth * dpr), qRound(kClientHeight * dpr), QImage::Format_RGB32);
    surface_.setDevicePixelRatio(dpr);
    surface_.fill(pictures::kGridLine);
    QPainter painter(&surface_);
    for (int c = 1; c <= kColumns; ++c)
        for (int r = 1; r <= kRows; ++r)
            painter.fillRect(CellRect(c, r), pictures::kPathColour);
    return true;
}

void TWorldGrid::Drawn(int column, int row) {
    if (paintingWorld_) return; // the paint event in progress shows the whole surface anyway
    const QRect rect = CellRect(column, row);
    ownDirty_ += rect;
    update(rect.translated(kBorder, kBorder));
}

void TWorldGrid::FillPath(int column, int row) {
    if (!InGrid(column, row)) return;
    QPainter painter(&surface_);
    painter.fillRect(CellRect(column, row), pictures::kPathColour);
    Drawn(column, row);
}

void TWorldGrid::DrawWallPicture(int column, int row) {
    if (!InGrid(column, row)) return;
    QPainter painter(&surface_);
    stein_.Draw(painter, CellRect(column, row).topLeft(), 0);
    Drawn(column, row);
}

void TWorldGrid::DrawFoodPicture(int column, int row, int portions) {
    if (!InGrid(column, row)) return;
    QPainter painter(&surface_);
    item_.Draw(painter, CellRect(column, row).topLeft(), portions - 1);
    Drawn(column, row);
}

void TWorldGrid::DrawFigurePicture(int column, int row, int image) {
    if (!InGrid(column, row)) return;
    QPainter painter(&surface_);
    pac_.Draw(painter, CellRect(column, row).topLeft(), image);
    Drawn(column, row);
}

void TWorldGrid::paintEvent(QPaintEvent* event) {
    const QRegion client =
        event->region().translated(-kBorder, -kBorder) & QRect(0, 0, kClientWidth, kClientHeight);
    QPainter painter(this);
    // The ratio of the device painted on now: the window's screen, or an image the view is rendered
    // into. A surface of another ratio would be shown scaled and blurred, so it is made anew.
    const bool madeAnew = EnsureSurface(pictures::DeviceScale(painter));
    const bool askedBySystem = madeAnew || !(client - ownDirty_).isEmpty();
    ownDirty_ = QRegion();
    if (askedBySystem && OnPaintWorld) {
        paintingWorld_ = true;
        OnPaintWorld();
        paintingWorld_ = false;
    }
    painter.drawImage(QPoint(kBorder, kBorder), surface_);
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
