#include "world/world_picture.h"

#include <algorithm>
#include <cmath>

namespace nibbo {

namespace {

constexpr double kInchesPerMetre = 1 / 0.0254;
constexpr int kScreenDpi = 96;
// Larger thumbnails are enlarged from this scale: file managers ask for at most 1024 pixels.
constexpr int kLargestThumbnailScale = 4;

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

QByteArray TWorldPictures::Thumbnail(const World& world, int size) {
    const QImage plain = Raster(world, 1);
    const int longer = std::max(plain.width(), plain.height());
    const int scale = std::clamp((size + longer - 1) / longer, 1, kLargestThumbnailScale);
    const QImage drawn = scale == 1 ? plain : Raster(world, scale);
    const QImage fitted = drawn.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_RGB32);
    return png_.Encode(fitted, int(std::lround(kScreenDpi * kInchesPerMetre)));
}

} // namespace nibbo
