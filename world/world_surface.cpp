#include "world/world_surface.h"

#include "resources/pictures.h"

#include <QPainter>

namespace nibbo {

TWorldSurface::TWorldSurface(const TImageList& pac, const TImageList& stein, const TImageList& item)
    : pac_(pac), stein_(stein), item_(item) {
}

QRect TWorldSurface::CellRect(int column, int row) {
    return {(column - 1) * kCellPitch, (row - 1) * kCellPitch, pictures::kCellSize, pictures::kCellSize};
}

bool TWorldSurface::Ensure(qreal dpr) {
    if (!image_.isNull() && image_.devicePixelRatio() == dpr) return false;
    Reset(dpr);
    return true;
}

void TWorldSurface::Reset(qreal dpr) {
    // A picture after another of the same ratio reuses the memory.
    if (image_.isNull() || image_.devicePixelRatio() != dpr) {
        image_ = QImage(qRound(kViewWidth * dpr), qRound(kViewHeight * dpr), QImage::Format_RGB32);
        image_.setDevicePixelRatio(dpr);
    }
    image_.fill(pictures::kGridLine);
    QPainter painter(&image_);
    for (int c = 1; c <= kColumns; ++c)
        for (int r = 1; r <= kRows; ++r)
            painter.fillRect(CellRect(c, r), pictures::kPathColour);
}

void TWorldSurface::FillPath(int column, int row) {
    if (!InGrid(column, row)) return;
    QPainter painter(&image_);
    painter.fillRect(CellRect(column, row), pictures::kPathColour);
}

void TWorldSurface::DrawWallPicture(int column, int row) {
    DrawPicture(stein_, column, row, 0);
}

void TWorldSurface::DrawFoodPicture(int column, int row, int portions) {
    DrawPicture(item_, column, row, portions - 1);
}

void TWorldSurface::DrawFigurePicture(int column, int row, int image) {
    DrawPicture(pac_, column, row, image);
}

void TWorldSurface::DrawPicture(const TImageList& list, int column, int row, int index) {
    if (!InGrid(column, row)) return;
    QPainter painter(&image_);
    list.Draw(painter, CellRect(column, row).topLeft(), index);
}

} // namespace nibbo
