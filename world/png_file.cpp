#include "world/png_file.h"

#include <array>

namespace nibbo {

namespace {

constexpr int kPaletteSize = 256;
constexpr uint8_t kFilterUp = 2;
constexpr uint8_t kColourTypeRgb = 2;
constexpr uint8_t kColourTypePalette = 3;
constexpr uint8_t kUnitMetre = 1;
// zlib's fastest level: the filtered rows are mostly zeros, which it packs at once.
constexpr int kFastestCompression = 1;

constexpr std::array<uint32_t, 256> CrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

uint32_t Crc(const QByteArray& bytes) {
    static constexpr std::array<uint32_t, 256> kTable = CrcTable();
    uint32_t c = 0xFFFFFFFFu;
    for (const char byte : bytes)
        c = kTable[(c ^ uint8_t(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void Append32(QByteArray& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char(value >> shift));
}

// A chunk: its length, its type and data, and the checksum of both.
void AppendChunk(QByteArray& file, const char* type, const QByteArray& data) {
    Append32(file, uint32_t(data.size()));
    const QByteArray typed = QByteArray(type) + data;
    file += typed;
    Append32(file, Crc(typed));
}

// Appends a row after its filter byte as its differences from the row above. Plain pointers in
// locals: through a vector, every byte written could change the vector's own pointers, and the
// compiler would read them anew for every byte.
uint8_t* PutRow(uint8_t* out, const std::vector<uint8_t>& rowBytes, const std::vector<uint8_t>& aboveBytes) {
    const uint8_t* row = rowBytes.data();
    const uint8_t* above = aboveBytes.data();
    const size_t size = rowBytes.size();
    *out++ = kFilterUp;
    for (size_t i = 0; i < size; ++i)
        out[i] = uint8_t(row[i] - above[i]);
    return out + size;
}

} // namespace

bool TPngEncoder::FilterIndexed(const QImage& picture) {
    const int width = picture.width(), height = picture.height();
    palette_.clear();
    row_.assign(size_t(width), 0);
    above_.assign(size_t(width), 0);
    filtered_.resize(qsizetype(size_t(width + 1) * size_t(height)));
    // The colours met so far, in an open-addressed table of their own: a row changes colour at every
    // grid line and every edge of a picture, and a general hash table would cost more than the rest.
    struct Entry {
        QRgb Colour = 0;
        int Index = -1;
    };
    constexpr size_t kEntries = 1024;
    std::array<Entry, kEntries> table{};
    int colours = 0;
    auto* out = reinterpret_cast<uint8_t*>(filtered_.data());
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        uint8_t* row = row_.data();
        QRgb last = ~in[0];
        uint8_t lastIndex = 0;
        for (int x = 0; x < width; ++x) {
            if (in[x] != last) {
                size_t at = (in[x] * 2654435761u >> 22) & (kEntries - 1);
                while (table[at].Index >= 0 && table[at].Colour != in[x])
                    at = (at + 1) & (kEntries - 1);
                if (table[at].Index < 0) {
                    if (colours == kPaletteSize) return false;
                    table[at] = {in[x], colours++};
                    palette_.append(char(qRed(in[x])));
                    palette_.append(char(qGreen(in[x])));
                    palette_.append(char(qBlue(in[x])));
                }
                last = in[x];
                lastIndex = uint8_t(table[at].Index);
            }
            row[x] = lastIndex;
        }
        out = PutRow(out, row_, above_);
        row_.swap(above_);
    }
    return true;
}

void TPngEncoder::FilterRgb(const QImage& picture) {
    const int width = picture.width(), height = picture.height();
    row_.assign(size_t(width) * 3, 0);
    above_.assign(size_t(width) * 3, 0);
    filtered_.resize(qsizetype((size_t(width) * 3 + 1) * size_t(height)));
    auto* out = reinterpret_cast<uint8_t*>(filtered_.data());
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        uint8_t* row = row_.data();
        for (int x = 0; x < width; ++x) {
            *row++ = uint8_t(qRed(in[x]));
            *row++ = uint8_t(qGreen(in[x]));
            *row++ = uint8_t(qBlue(in[x]));
        }
        out = PutRow(out, row_, above_);
        row_.swap(above_);
    }
}

QByteArray TPngEncoder::Encode(const QImage& picture, int dotsPerMetre) {
    const bool indexed = FilterIndexed(picture);
    if (!indexed) FilterRgb(picture);

    QByteArray header;
    Append32(header, uint32_t(picture.width()));
    Append32(header, uint32_t(picture.height()));
    header.append(char(8)); // bits per sample
    header.append(char(indexed ? kColourTypePalette : kColourTypeRgb));
    header.append(3, char(0)); // deflate, adaptive filtering, no interlace

    QByteArray resolution;
    Append32(resolution, uint32_t(dotsPerMetre));
    Append32(resolution, uint32_t(dotsPerMetre));
    resolution.append(char(kUnitMetre));

    QByteArray file("\x89PNG\r\n\x1a\n", 8);
    AppendChunk(file, "IHDR", header);
    if (indexed) AppendChunk(file, "PLTE", palette_);
    AppendChunk(file, "pHYs", resolution);
    // qCompress gives a zlib stream after four bytes of Qt's own length.
    AppendChunk(file, "IDAT", qCompress(filtered_, kFastestCompression).mid(4));
    AppendChunk(file, "IEND", {});
    return file;
}

} // namespace nibbo
