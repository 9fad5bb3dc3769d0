// The world file: the stored world written out as 1936 bytes, little-endian, without a header.
//   offset    0: 480 cells of 4 bytes, column by column (cell (c, r) at ((c - 1) * 20 + (r - 1)) * 4)
//   offset 1920: start column, 4 bytes
//   offset 1924: start row, 4 bytes
//   offset 1928: orientation, 1 byte
//   offset 1929: 3 bytes kept from the last loaded file
//   offset 1932: stock, 4 bytes
// Reading refuses every file that the program could not have written, so that a loaded world always
// has its border ring of walls, a start inside it on a free cell, and codes the figure understands.
#pragma once

#include "world/world.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace nibbo {

inline constexpr std::size_t kWorldFileSize = 1936;

using WorldFileBytes = std::array<uint8_t, kWorldFileSize>;

// The bytes of a world file for the stored world.
WorldFileBytes EncodeWorldFile(const WorldRecord& record);

// The outcome of reading a world file: the record, or the German message (UTF-8) that says which
// rule the file breaks, beginning with "Die Datei ist keine Nibbo-Welt: ".
struct WorldFileReading {
    std::optional<WorldRecord> Record;
    std::string Problem;
};

// Reads the first 1936 bytes of a file's content; bytes after them are ignored.
WorldFileReading DecodeWorldFile(std::span<const uint8_t> bytes);

} // namespace nibbo
