// Pictures of worlds for the commands that write them (render, --report, aufgaben): Qt's GUI layer started
// without a display, and the world drawn by the world view's own painting code.
#pragma once

#include "world/world_picture.h"
#include "world/world_svg.h"

#include <QGuiApplication>
#include <memory>
#include <string>

namespace nibbo::batch {

class PictureMaker {
public:
    // Starts Qt's GUI layer on the offscreen platform, unless QT_QPA_PLATFORM names another one. The
    // other commands never start it: they need no display and start as fast as without pictures.
    PictureMaker();

    QByteArray Png(const World& world, int scale) { return pictures_->Png(world, scale); }
    QByteArray Thumbnail(const World& world, int size) { return pictures_->Thumbnail(world, size); }
    std::string Svg(const World& world) { return WorldSvg(world); }
    // The same picture inside a page that holds several: each with its own idPrefix.
    std::string SvgElement(const World& world, std::string_view idPrefix) {
        return WorldSvgElement(world, idPrefix);
    }

private:
    int argc_ = 1;
    char name_[12] = "nibbo-batch";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> application_; // declared first, so gone last: the pictures need it
    std::unique_ptr<TWorldPictures> pictures_;
};

} // namespace nibbo::batch
