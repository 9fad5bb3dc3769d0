// A world as a picture file, for worksheets and reports: drawn onto a fresh surface of the world
// view by the same painting code, so that it shows exactly what the window shows after loading the
// world. Needs a QGuiApplication (the offscreen platform is enough), for the image lists' pixmaps.
#pragma once

#include "world/png_file.h"
#include "world/world_surface.h"

#include <QByteArray>
#include <QImage>

namespace nibbo {

class TWorldPictures {
public:
    TWorldPictures();

    // The world view's client area at a device pixel ratio, as after a repaint of the whole world.
    QImage Raster(const World& world, int scale);
    // The same as a PNG file, marked with a resolution of scale times 96 dpi, so that a document it is
    // put into shows it at the same size whatever the scale.
    QByteArray Png(const World& world, int scale);
    // A PNG for a file manager's thumbnail: the picture fitted into size x size pixels, its longer
    // side exactly size long, drawn at the least scale that is not smaller and then reduced.
    QByteArray Thumbnail(const World& world, int size);

private:
    TImageList pac_;
    TImageList stein_;
    TImageList item_;
    TWorldSurface surface_;
    TPngEncoder png_;
};

} // namespace nibbo
