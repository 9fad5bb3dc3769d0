// How the core draws the world without knowing the screen: it tells a canvas which picture goes
// into which cell. The world view on screen is one canvas; tests use canvases that record calls.
#pragma once

#include "world/world.h"

namespace nibbo {

// Images of the figure: orientation * 5 + frame; frame 1 is the resting picture.
inline constexpr int kFigureFrames = 5;
inline constexpr int kRestingFrame = 1;
constexpr int FigureImage(int orientation, int frame) {
    return orientation * kFigureFrames + frame;
}

class WorldCanvas {
public:
    virtual ~WorldCanvas() = default;
    // Fills the cell's rectangle with the path colour.
    virtual void FillPath(int column, int row) = 0;
    // The wall picture, covering the whole cell.
    virtual void DrawWallPicture(int column, int row) = 0;
    // The food picture for 1..9 portions, drawn transparently over what the cell shows.
    virtual void DrawFoodPicture(int column, int row, int portions) = 0;
    // Figure image 0..19, drawn transparently over what the cell shows.
    virtual void DrawFigurePicture(int column, int row, int image) = 0;
};

// A canvas that draws nothing: the batch tool and the benchmarks run the world without a screen.
class NullCanvas final : public WorldCanvas {
public:
    void FillPath(int, int) override {}
    void DrawWallPicture(int, int) override {}
    void DrawFoodPicture(int, int, int) override {}
    void DrawFigurePicture(int, int, int) override {}
};

// The whole world: every cell by its code, then the figure in its resting frame if a start is
// placed. Codes outside 0..10 draw nothing.
void PaintWorld(const World& world, WorldCanvas& canvas);

// One cell without the figure: the path colour and, if the cell holds food, its food picture.
void RedrawCell(const World& world, WorldCanvas& canvas, int column, int row);

// The figure at its column and row, with frame (animationStep + 1) mod 5.
void DrawFigure(const World& world, WorldCanvas& canvas, int animationStep);

} // namespace nibbo
