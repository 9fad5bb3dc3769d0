#include "world/world_picture.h"

#include <QBuffer>
#include <QImageWriter>
#include <array>
#include <cmath>

namespace nibbo {

namespace {

constexpr double kInchesPerMetre = 1 / 0.0254;
constexpr int kScreenDpi = 96;
// zlib's fastest level (Qt maps quality 80 to it): the pictures are large areas of few colours,
// which it packs almost as well as its best level at a fraction of the time.
constexpr int kFastestPngQuality = 80;
constexpr int kPaletteSize = 256;

// The same pixels with a palette, when there are no more colours than a palette holds, as in every
// world picture; otherwise the image as it is. Qt's PNG writer packs a palette picture about five
// times faster than one of full colours, and smaller; Qt's own conversion would change the colours
// of a picture with too many.
QImage WithPalette(const QImage& image) {
    QImage indexed(image.size(), QImage::Format_Indexed8);
    QList<QRgb> palette;
    // The colours met so far, in an open-addressed table of their own: a row changes colour at every
    // grid line and every edge of a picture, and a general hash table would cost more than the rest.
    struct Entry {
        QRgb Colour = 0;
        int Index = -1;
    };
    constexpr size_t kEntries = 1024;
    std::array<Entry, kEntries> table{};
    QRgb last = 0;
    uchar lastIndex = 0;
    bool any = false;
    const int width = image.width(), height = image.height();
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const QRgb colour = in[x];
            if (!any || colour != last) {
                size_t at = (colour * 2654435761u >> 22) & (kEntries - 1);
                while (table[at].Index >= 0 && table[at].Colour != colour)
                    at = (at + 1) & (kEntries - 1);
                if (table[at].Index < 0) {
                    if (palette.size() == kPaletteSize) return image;
                    table[at] = {colour, int(palette.size())};
                    palette.append(colour);
                }
                any = true;
                last = colour;
                lastIndex = uchar(table[at].Index);
            }
            out[x] = lastIndex;
        }
    }
    indexed.setColorTable(palette);
    return indexed;
}

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
    QImage image = WithPalette(Raster(world, scale));
    const int dotsPerMetre = int(std::lround(kScreenDpi * scale * kInchesPerMetre));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(kFastestPngQuality);
    writer.write(image);
    return bytes;
}

} // namespace nibbo
