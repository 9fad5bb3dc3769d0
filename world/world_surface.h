// The drawing surface of the world view: an image of the view's client area that holds the grid
// lines and everything drawn inside the cells, and keeps it. The window shows it on screen;
// nibbo-batch writes it to a picture file, so a picture is exactly what the window shows.
#pragma once

#include "world/image_lists.h"
#include "world/world_paint.h"

#include <QImage>
#include <QRect>

namespace nibbo {

class TWorldSurface final : public WorldCanvas {
public:
    TWorldSurface(const TImageList& pac, const TImageList& stein, const TImageList& item);

    // The rectangle of cell (c, r) in the client area.
    static QRect CellRect(int column, int row);

    // Makes the surface anew for a device pixel ratio: grid lines round empty path cells.
    void Reset(qreal dpr);
    // Makes the surface anew only for another device pixel ratio. True when it did; then the surface
    // needs the whole world.
    bool Ensure(qreal dpr);
    // What the surface holds now, in device pixels.
    const QImage& Image() const { return image_; }

    // Cells outside the grid are not drawn.
    void FillPath(int column, int row) override;
    void DrawWallPicture(int column, int row) override;
    void DrawFoodPicture(int column, int row, int portions) override;
    void DrawFigurePicture(int column, int row, int image) override;

private:
    void DrawPicture(const TImageList& list, int column, int row, int index);

    const TImageList& pac_;
    const TImageList& stein_;
    const TImageList& item_;
    QImage image_;
};

} // namespace nibbo
