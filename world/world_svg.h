// The world view as an SVG document, for pictures that print sharp at any size. The cells come
// from the same PaintWorld as on screen, each picture from the same painting function as the image
// lists, recorded as shapes instead of pixels; the grid is the surface's. Every picture used is
// defined once and placed in its cells by reference, so that a world is a few kilobytes.
#pragma once

#include "world/world_paint.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nibbo {

class TWorldSvg final : public WorldCanvas {
public:
    void FillPath(int column, int row) override;
    void DrawWallPicture(int column, int row) override;
    void DrawFoodPicture(int column, int row, int portions) override;
    void DrawFigurePicture(int column, int row, int image) override;

    // The <svg> element: the grid, the definitions of the pictures drawn and the cells in their
    // order. The pictures' ids begin with idPrefix, so that several worlds can stand in one page.
    std::string Element(std::string_view idPrefix = {}) const;

private:
    void Add(int column, int row, int picture);

    // What was drawn into each cell since it was last filled with the path colour, in order.
    std::array<std::vector<uint8_t>, kCellCount> layers_;
};

// The world as a fresh surface shows it after a repaint of the whole world, as an SVG file.
std::string WorldSvg(const World& world);

// The same picture as an element for an HTML page; idPrefix keeps the ids of its pictures apart
// from those of the page's other worlds.
std::string WorldSvgElement(const World& world, std::string_view idPrefix);

} // namespace nibbo
