#include "shell/legend_picture.h"

#include "resources/pictures.h"

#include <QPainter>

namespace nibbo {

TLegendPicture::TLegendPicture(Painter paint, QWidget* parent) : QWidget(parent), paint_(std::move(paint)) {
    setFixedSize(pictures::kCellSize, pictures::kCellSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TLegendPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), pictures::kPathColour);
    paint_(painter);
}

} // namespace nibbo
