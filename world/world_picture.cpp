#include "world/world_picture.h"

#include <cmath>

namespace nibbo {

namespace {

constexpr double kInchesPerMetre = 1 / 0.0254;
constexpr int kScreenDpi = 96;

} // namespace

TWorldPictures::TWorldPictures()
    : pac_(MakePacImageList()), stein_(MakeSteinImageList()), item_(MakeItemImageList()),
      surface_(pac_, stein_, item_) {
}

QImage TWorldPictures::Raster(const World& world, int scale) {
    surface_.Reset(scale);
    PaintWorld(world, surface_);
    return surface_.Image();
}

QByteArray TWorldPictures::Png(const World& world, int scale) {
    return png_.Encode(Raster(world, scale), int(std::lround(kScreenDpi * scale * kInchesPerMetre)));
}

} // namespace nibbo
