#include "world/world_paint.h"

namespace nibbo {

namespace {

bool IsFood(int32_t code) {
    return code >= 1 && code <= kMaxFood;
}

} // namespace

void PaintWorld(const World& world, WorldCanvas& canvas) {
    for (int c = 1; c <= kColumns; ++c) {
        for (int r = 1; r <= kRows; ++r) {
            const int32_t code = CellAt(world, c, r);
            if (code == kFreePath) {
                canvas.FillPath(c, r);
            } else if (IsFood(code)) {
                canvas.FillPath(c, r);
                canvas.DrawFoodPicture(c, r, code);
            } else if (code == kWall) {
                canvas.DrawWallPicture(c, r);
            }
        }
    }
    if (world.StartPlaced && InGrid(world.StartColumn, world.StartRow) && world.Orientation <= South)
        canvas.DrawFigurePicture(world.StartColumn, world.StartRow,
                                 FigureImage(world.Orientation, kRestingFrame));
}

void RedrawCell(const World& world, WorldCanvas& canvas, int column, int row) {
    if (!InGrid(column, row)) return;
    canvas.FillPath(column, row);
    const int32_t code = CellAt(world, column, row);
    if (IsFood(code)) canvas.DrawFoodPicture(column, row, code);
}

void DrawFigure(const World& world, WorldCanvas& canvas, int animationStep) {
    if (!InGrid(world.StartColumn, world.StartRow) || world.Orientation > South) return;
    const int frame = ((animationStep + 1) % kFigureFrames + kFigureFrames) % kFigureFrames;
    canvas.DrawFigurePicture(world.StartColumn, world.StartRow, FigureImage(world.Orientation, frame));
}

} // namespace nibbo
