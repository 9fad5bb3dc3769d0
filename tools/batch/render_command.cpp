// nibbo-batch render [--scale N] WELT BILD: the world as the window's world view shows it after
// "Welt laden", written as a PNG or SVG picture for a worksheet. The picture's kind follows its
// name's extension; a PNG is drawn at N device pixels per pixel of the view, crisp for print.
// nibbo-batch thumbnail [--size N] WELT BILD: the same picture fitted into N x N pixels, for the
// file manager's thumbnails.
#include "batch.h"
#include "options.h"
#include "picture_maker.h"

#include <algorithm>
#include <cctype>
#include <ostream>

namespace nibbo::batch {

namespace {

constexpr uint64_t kDefaultScale = 2;
constexpr uint64_t kLargestScale = 8;
constexpr uint64_t kDefaultThumbnailSize = 256;
constexpr uint64_t kLargestThumbnailSize = 1024;

bool EndsWith(const std::string& path, const std::string& extension) {
    if (path.size() < extension.size()) return false;
    return std::equal(extension.begin(), extension.end(), path.end() - ptrdiff_t(extension.size()),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

} // namespace

int RenderCommand(const Invocation& call) {
    const std::optional<Options> options = ParseOptions(call, {"--scale"}, {});
    if (!options || options->Words.size() != 2) return BadUsage(call);
    const std::string& worldPath = options->Words[0];
    const std::string& picturePath = options->Words[1];
    const bool png = EndsWith(picturePath, ".png");
    if (!png && !EndsWith(picturePath, ".svg")) {
        call.Err << "nibbo-batch: " << picturePath
                 << ": der Name des Bildes endet nicht auf .png oder .svg\n";
        return BadUsage(call);
    }
    uint64_t scale = kDefaultScale;
    if (const std::string* text = options->Value("--scale")) {
        const std::optional<uint64_t> value = ParseCount(*text, 1, kLargestScale);
        if (!value || !png) {
            call.Err << "nibbo-batch: --scale braucht eine ganze Zahl von 1 bis " << kLargestScale
                     << " und gilt nur für PNG-Bilder\n";
            return BadUsage(call);
        }
        scale = *value;
    }

    WorldState state;
    if (const int loaded = LoadWorld(call, &worldPath, state); loaded != kExitClean) return loaded;
    PictureMaker maker;
    if (png) {
        const QByteArray bytes = maker.Png(state.Current, int(scale));
        return SaveOutput(call, picturePath, {bytes.constData(), size_t(bytes.size())});
    }
    return SaveOutput(call, picturePath, maker.Svg(state.Current));
}

int ThumbnailCommand(const Invocation& call) {
    const std::optional<Options> options = ParseOptions(call, {"--size"}, {});
    if (!options || options->Words.size() != 2) return BadUsage(call);
    uint64_t size = kDefaultThumbnailSize;
    if (const std::string* text = options->Value("--size")) {
        const std::optional<uint64_t> value = ParseCount(*text, 1, kLargestThumbnailSize);
        if (!value) {
            call.Err << "nibbo-batch: --size braucht eine ganze Zahl von 1 bis " << kLargestThumbnailSize
                     << "\n";
            return BadUsage(call);
        }
        size = *value;
    }
    WorldState state;
    if (const int loaded = LoadWorld(call, &options->Words[0], state); loaded != kExitClean) return loaded;
    PictureMaker maker;
    const QByteArray bytes = maker.Thumbnail(state.Current, int(size));
    return SaveOutput(call, options->Words[1], {bytes.constData(), size_t(bytes.size())});
}

} // namespace nibbo::batch
