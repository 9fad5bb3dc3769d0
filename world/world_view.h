// The world view on screen: a grid of 24 x 20 cells of 25 x 25 pixels with 1-pixel silver lines.
// Everything inside the cells is drawn onto a surface that keeps what was drawn, so that drawing a
// single cell (the editor, the figure's moves, the chewing animation) shows exactly that change.
// A repaint that the window system asks for paints the whole world, as the main window's FormPaint
// does; a repaint that only shows cells drawn by the system itself just shows the surface.
#pragma once

#include "world/world_surface.h"

#include <QFrame>
#include <QRegion>
#include <functional>

namespace nibbo {

class TWorldGrid : public QFrame, public WorldCanvas {
    Q_OBJECT
public:
    TWorldGrid(const TImageList& pac, const TImageList& stein, const TImageList& item,
               QWidget* parent = nullptr);

    // Called for every repaint the window system asks for; it is expected to paint the whole world.
    std::function<void()> OnPaintWorld;
    // Called for every mouse press (double clicks included) with the point in the grid's pixels.
    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, QPoint)> OnMouseDown;

    // The cell (1-based column and row) under a point of the grid's client area, or (0, 0).
    static QPoint CellAt(QPoint point);
    // The rectangle of cell (c, r) in the grid's client area.
    static QRect CellRect(int column, int row);

    // What the surface holds now, in device pixels; the grid lines are part of it.
    const QImage& Surface() const { return surface_.Image(); }

    void FillPath(int column, int row) override;
    void DrawWallPicture(int column, int row) override;
    void DrawFoodPicture(int column, int row, int portions) override;
    void DrawFigurePicture(int column, int row, int image) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Drawn(int column, int row);

    TWorldSurface surface_;
    QRegion ownDirty_; // cells drawn by the system since the last paint event
    bool paintingWorld_ = false;
};

} // namespace nibbo
