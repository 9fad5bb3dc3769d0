// PNG files of pictures of the world, written here rather than by Qt's image writer: libpng, as Qt
// drives it, tries five filters on every row of a full-colour picture and cannot be told which to
// use. A world picture has few colours and repeats most rows; written with a palette and the filter
// "Up", which turns a repeated row into zeros, it is made faster and at half the size.
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <vector>

namespace nibbo {

class TPngEncoder {
public:
    // The picture as a PNG file, with a palette when it has no more than 256 colours and in full
    // colour otherwise, marked with the given resolution. The picture must be of Format_RGB32.
    QByteArray Encode(const QImage& picture, int dotsPerMetre);

private:
    // Fills filtered_ with the rows as palette indices; false when there are too many colours.
    bool FilterIndexed(const QImage& picture);
    void FilterRgb(const QImage& picture);

    // Kept from one picture to the next, so that their memory is not handed back to the system and
    // taken again for every picture.
    QByteArray filtered_; // each row: the filter byte, then its bytes as differences from the row above
    std::vector<uint8_t> row_, above_;
    QByteArray palette_;
};

} // namespace nibbo
