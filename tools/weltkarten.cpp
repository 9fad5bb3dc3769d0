// nibbo-weltkarten [--pruefen] KARTEN...: builds the world files of the task collection from their
// maps. A map file (welten.txt in a task's folder) holds the worlds as text, one block each, so
// that a task's worlds can be read, compared and changed in any editor and in a diff:
//
//   welt-1.wlt  Vorrat: 0
//   ########################
//   #>..1..................#
//   ... (20 rows of 24 cells)
//
//   ziel-1.wlt  Vorrat: 1  Futter unter Nibbo: 2
//   ...
//
// A cell is "#" (wall), "." (free path), "1" to "9" (food) or Nibbo facing east, north, west or
// south: ">", "^", "<", "v". Nibbo stands on a free path unless the header names the food under him.
// Lines starting with "//" are remarks. Each world file is written beside the map; with --pruefen
// nothing is written and every world file that differs from its map is named (exit 1).
#include "shell/file_io.h"
#include "world/world_file.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace nibbo;

struct Map {
    std::string Name;
    WorldRecord Record;
};

// A map file read block by block; the first fault ends the reading with its line named.
class MapReader {
public:
    MapReader(std::string path, std::string text) : path_(std::move(path)), lines_(Lines(text)) {}

    std::optional<std::vector<Map>> ReadAll() {
        std::vector<Map> maps;
        while (SkipBlank()) {
            std::optional<Map> map = ReadMap();
            if (!map) return std::nullopt;
            maps.push_back(std::move(*map));
        }
        if (maps.empty()) Fault("keine Welt in der Datei");
        if (!error_.empty()) return std::nullopt;
        return maps;
    }

    const std::string& Error() const { return error_; }

private:
    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

    bool Blank(const std::string& line) const {
        return line.find_first_not_of(" \t") == std::string::npos || line.starts_with("//");
    }

    bool SkipBlank() {
        while (next_ < lines_.size() && Blank(lines_[next_]))
            ++next_;
        return next_ < lines_.size();
    }

    void Fault(const std::string& what) {
        if (error_.empty())
            error_ = path_ + ':' + std::to_string(std::min(next_ + 1, lines_.size())) + ": " + what;
    }

    // "NAME.wlt  Vorrat: N  [Futter unter Nibbo: N]"
    bool ReadHeader(Map& map, int32_t& foodUnder) {
        std::istringstream words(lines_[next_]);
        std::string word;
        words >> map.Name;
        if (!map.Name.ends_with(".wlt") || map.Name.find('/') != std::string::npos) {
            Fault("eine Welt beginnt mit ihrem Dateinamen auf .wlt");
            return false;
        }
        std::string rest;
        std::getline(words, rest);
        const auto number = [&](const std::string& label, int32_t low, int32_t high, int32_t& value) {
            const size_t at = rest.find(label);
            if (at == std::string::npos) return true;
            const std::string digits = rest.substr(at + label.size());
            try {
                size_t used = 0;
                const int parsed = std::stoi(digits, &used);
                if (parsed >= low && parsed <= high) {
                    value = parsed;
                    return true;
                }
            } catch (const std::exception&) {
            }
            Fault(label + " braucht eine Zahl von " + std::to_string(low) + " bis " + std::to_string(high));
            return false;
        };
        if (rest.find("Vorrat:") == std::string::npos) {
            Fault("die Kopfzeile nennt den Vorrat nicht (\"Vorrat: 0\")");
            return false;
        }
        ++next_;
        return number("Vorrat:", kMinStock, kMaxStock, map.Record.Stock) &&
               number("Futter unter Nibbo:", 1, kMaxFood, foodUnder);
    }

    std::optional<Map> ReadMap() {
        Map map;
        int32_t foodUnder = kFreePath;
        if (!ReadHeader(map, foodUnder)) return std::nullopt;
        int figures = 0;
        for (int row = 1; row <= kRows; ++row, ++next_) {
            if (next_ >= lines_.size() || lines_[next_].size() != size_t(kColumns)) {
                Fault("eine Zeile der Karte hat genau " + std::to_string(kColumns) +
                      " Felder, und eine Welt " + std::to_string(kRows) + " Zeilen");
                return std::nullopt;
            }
            for (int column = 1; column <= kColumns; ++column) {
                const char cell = lines_[next_][size_t(column - 1)];
                int32_t& code = map.Record.Cells[size_t(CellIndex(column, row))];
                static const std::string kFacings = ">^<v"; // in the order of the orientation codes
                if (cell == '#') {
                    code = kWall;
                } else if (cell == '.') {
                    code = kFreePath;
                } else if (cell >= '1' && cell <= '9') {
                    code = cell - '0';
                } else if (const size_t facing = kFacings.find(cell); facing != std::string::npos) {
                    code = foodUnder;
                    map.Record.StartColumn = column;
                    map.Record.StartRow = row;
                    map.Record.Orientation = uint8_t(facing);
                    ++figures;
                } else {
                    Fault(std::string("unbekanntes Feld \"") + cell + "\"");
                    return std::nullopt;
                }
                if (OnBorder(column, row) && code != kWall) {
                    Fault("der Rand der Welt besteht aus Mauern");
                    return std::nullopt;
                }
            }
        }
        if (figures != 1) {
            Fault(map.Name + ": Nibbo steht genau einmal in der Karte");
            return std::nullopt;
        }
        return map;
    }

    std::string path_;
    std::vector<std::string> lines_;
    size_t next_ = 0;
    std::string error_;
};

// Builds or checks the worlds of one map file; false after naming the fault on standard error.
bool Process(const std::filesystem::path& mapPath, bool check) {
    const FileRead read = ReadTextFileBytes(mapPath.string());
    if (!read.Ok()) {
        std::cerr << mapPath.string() << ": " << read.Problem << '\n';
        return false;
    }
    MapReader reader(mapPath.string(), read.Bytes);
    const std::optional<std::vector<Map>> maps = reader.ReadAll();
    if (!maps) {
        std::cerr << reader.Error() << '\n';
        return false;
    }
    bool good = true;
    for (const Map& map : *maps) {
        const WorldFileBytes bytes = EncodeWorldFile(map.Record);
        // Read back as the program reads it: a map must give a world that every part of Nibbo takes.
        if (const WorldFileReading reading = DecodeWorldFile(bytes); !reading.Record) {
            std::cerr << mapPath.string() << ": " << map.Name << ": " << reading.Problem << '\n';
            good = false;
            continue;
        }
        const std::string worldPath = (mapPath.parent_path() / map.Name).string();
        const std::string_view content(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        if (check) {
            const FileRead present = ReadFileStart(worldPath, kWorldFileSize + 1);
            if (!present.Ok() || present.Bytes != content) {
                std::cerr << worldPath << ": passt nicht zu " << mapPath.string() << '\n';
                good = false;
            }
        } else if (const std::string problem = SaveFile(worldPath, content); !problem.empty()) {
            std::cerr << problem << '\n';
            good = false;
        }
    }
    return good;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    const bool check = !words.empty() && words.front() == "--pruefen";
    if (check) words.erase(words.begin());
    if (words.empty()) {
        std::cerr << "Aufruf: nibbo-weltkarten [--pruefen] KARTEN...\n";
        return 64;
    }
    bool good = true;
    for (const std::string& path : words)
        good = Process(path, check) && good;
    return good ? 0 : 1;
}
