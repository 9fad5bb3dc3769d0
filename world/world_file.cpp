#include "world/world_file.h"

namespace nibbo {

namespace {

constexpr std::size_t kStartColumnOffset = 1920;
constexpr std::size_t kStartRowOffset = 1924;
constexpr std::size_t kOrientationOffset = 1928;
constexpr std::size_t kReservedOffset = 1929;
constexpr std::size_t kStockOffset = 1932;

void PutInt32(WorldFileBytes& bytes, std::size_t offset, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i)
        bytes[offset + i] = uint8_t(bits >> (8 * i));
}

int32_t GetInt32(std::span<const uint8_t> bytes, std::size_t offset) {
    uint32_t bits = 0;
    for (std::size_t i = 0; i < 4; ++i)
        bits |= uint32_t(bytes[offset + i]) << (8 * i);
    return static_cast<int32_t>(bits);
}

std::string Refused(const std::string& reason) {
    return "Die Datei ist keine Nibbo-Welt: " + reason;
}

std::string CellName(int column, int row) {
    return "Spalte " + std::to_string(column) + ", Zeile " + std::to_string(row);
}

// The first rule of a world that the program writes that the record breaks, or "".
std::string BrokenRule(const WorldRecord& record) {
    for (int c = 1; c <= kColumns; ++c) {
        for (int r = 1; r <= kRows; ++r) {
            const int32_t code = record.Cells[CellIndex(c, r)];
            if (code < kFreePath || code > kWall)
                return "Das Feld in " + CellName(c, r) + " hat den Wert " + std::to_string(code) +
                       "; erlaubt sind 0 (Weg), 1 bis 9 (Futter) und 10 (Mauer).";
        }
    }
    for (int c = 1; c <= kColumns; ++c)
        for (int r = 1; r <= kRows; ++r)
            if (OnBorder(c, r) && record.Cells[CellIndex(c, r)] != kWall)
                return "Das Randfeld in " + CellName(c, r) + " ist keine Mauer.";
    const std::string start = "Das Startfeld (" + CellName(record.StartColumn, record.StartRow) + ")";
    if (!InInterior(record.StartColumn, record.StartRow))
        return start + " liegt nicht innerhalb der Randmauer.";
    if (record.Cells[CellIndex(record.StartColumn, record.StartRow)] == kWall)
        return start + " ist eine Mauer.";
    if (record.Orientation > South)
        return "Die Blickrichtung " + std::to_string(record.Orientation) +
               " gibt es nicht; erlaubt sind 0 (Osten), 1 (Norden), 2 (Westen) und 3 (Süden).";
    if (record.Stock < kMinStock || record.Stock > kMaxStock)
        return "Der Vorrat " + std::to_string(record.Stock) + " liegt nicht zwischen 0 und 250.";
    return {};
}

} // namespace

WorldFileBytes EncodeWorldFile(const WorldRecord& record) {
    WorldFileBytes bytes{};
    for (int i = 0; i < kCellCount; ++i)
        PutInt32(bytes, std::size_t(i) * 4, record.Cells[std::size_t(i)]);
    PutInt32(bytes, kStartColumnOffset, record.StartColumn);
    PutInt32(bytes, kStartRowOffset, record.StartRow);
    bytes[kOrientationOffset] = record.Orientation;
    for (std::size_t i = 0; i < record.Reserved.size(); ++i)
        bytes[kReservedOffset + i] = record.Reserved[i];
    PutInt32(bytes, kStockOffset, record.Stock);
    return bytes;
}

WorldFileReading DecodeWorldFile(std::span<const uint8_t> bytes) {
    if (bytes.size() < kWorldFileSize) {
        if (bytes.empty()) return {std::nullopt, Refused("Sie ist leer.")};
        return {std::nullopt,
                Refused("Sie ist nur " + std::to_string(bytes.size()) +
                        (bytes.size() == 1 ? " Byte" : " Bytes") + " lang, eine Welt hat 1936 Bytes.")};
    }
    WorldRecord record;
    for (int i = 0; i < kCellCount; ++i)
        record.Cells[std::size_t(i)] = GetInt32(bytes, std::size_t(i) * 4);
    record.StartColumn = GetInt32(bytes, kStartColumnOffset);
    record.StartRow = GetInt32(bytes, kStartRowOffset);
    record.Orientation = bytes[kOrientationOffset];
    for (std::size_t i = 0; i < record.Reserved.size(); ++i)
        record.Reserved[i] = bytes[kReservedOffset + i];
    record.Stock = GetInt32(bytes, kStockOffset);
    std::string rule = BrokenRule(record);
    if (!rule.empty()) return {std::nullopt, Refused(rule)};
    return {record, {}};
}

} // namespace nibbo
