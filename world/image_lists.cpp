#include "world/image_lists.h"

#include "resources/pictures.h"
#include "world/world_paint.h"

#include <QPainter>

namespace nibbo {

TImageList::TImageList(int count, Maker maker) : count_(count), maker_(std::move(maker)) {
}

QPixmap TImageList::Pixmap(int index, qreal dpr) const {
    if (index < 0 || index >= count_) return {};
    auto& pixmaps = cache_[dpr];
    if (pixmaps.isEmpty()) {
        pixmaps.reserve(count_);
        for (int i = 0; i < count_; ++i)
            pixmaps.append(maker_(i, dpr));
    }
    return pixmaps[index];
}

void TImageList::Draw(QPainter& painter, QPointF topLeft, int index) const {
    const QPixmap pixmap = Pixmap(index, pictures::DeviceScale(painter));
    if (!pixmap.isNull()) painter.drawPixmap(topLeft, pixmap);
}

TImageList MakePacImageList() {
    return TImageList(4 * kFigureFrames, [](int index, qreal dpr) {
        return pictures::FigurePixmap(index / kFigureFrames, index % kFigureFrames, dpr);
    });
}

TImageList MakeSteinImageList() {
    return TImageList(1, [](int, qreal dpr) { return pictures::WallPixmap(dpr); });
}

TImageList MakeItemImageList() {
    return TImageList(kMaxFood, [](int index, qreal dpr) { return pictures::FoodPixmap(index + 1, dpr); });
}

} // namespace nibbo
