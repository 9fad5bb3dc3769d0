// Writes the seed worlds of the world file target with the program's own encoder: worlds as the
// program saves them, and a few files that loading must refuse. Usage: fuzz_seed_worlds FOLDER
#include "world/world_file.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace nibbo;

namespace {

void Write(const std::string& folder, const char* name, const uint8_t* bytes, size_t size) {
    const std::string path = folder + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes, 1, size, file) != size || std::fclose(file) != 0) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

WorldRecord Placed(int column, int row, Orientation facing, int stock) {
    World world;
    ClearWorld(world);
    world.StartColumn = column;
    world.StartRow = row;
    world.Orientation = facing;
    PlainStockField field;
    field.WriteStock(stock);
    WorldRecord record;
    StoreWorld(world, field, record);
    return record;
}

void SetCell(WorldRecord& record, int column, int row, int32_t code) {
    record.Cells[size_t(CellIndex(column, row))] = code;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seed_worlds FOLDER\n");
        return 64;
    }
    const std::string folder = argv[1];

    const WorldRecord empty = Placed(2, 2, East, 0);
    Write(folder, "empty_with_figure.wlt", EncodeWorldFile(empty).data(), kWorldFileSize);

    // The worked example of the file format: cell (3, 5) holds 4 portions, stock 5.
    WorldRecord example = Placed(2, 2, East, 5);
    SetCell(example, 3, 5, 4);
    Write(folder, "format_example.wlt", EncodeWorldFile(example).data(), kWorldFileSize);

    // A garden of walls and food, with bytes after the facing kept from an earlier file.
    WorldRecord garden = Placed(5, 7, North, 17);
    for (int c = 2; c < kColumns; ++c)
        for (int r = 2; r < kRows; ++r)
            if ((c * 7 + r * 3) % 5 == 0)
                SetCell(garden, c, r, kWall);
            else if ((c + r) % 4 == 0)
                SetCell(garden, c, r, (c * r) % 9 + 1);
    SetCell(garden, 5, 7, 2);
    garden.Reserved = {0x12, 0x34, 0x56};
    Write(folder, "garden.wlt", EncodeWorldFile(garden).data(), kWorldFileSize);

    WorldRecord full = Placed(23, 19, South, 250);
    for (int c = 2; c < kColumns; ++c)
        for (int r = 2; r < kRows; ++r)
            SetCell(full, c, r, kMaxFood);
    Write(folder, "full_of_food.wlt", EncodeWorldFile(full).data(), kWorldFileSize);

    // A world followed by as many bytes again, which loading leaves unread.
    std::vector<uint8_t> followed(2 * kWorldFileSize, 0xA5);
    const WorldFileBytes gardenBytes = EncodeWorldFile(garden);
    std::copy(gardenBytes.begin(), gardenBytes.end(), followed.begin());
    Write(folder, "garden_and_more.wlt", followed.data(), followed.size());

    // Files that loading refuses: too short, a hole in the border, the figure on a wall.
    const WorldFileBytes emptyBytes = EncodeWorldFile(empty);
    Write(folder, "too_short.wlt", emptyBytes.data(), 1000);
    Write(folder, "one_byte_short.wlt", emptyBytes.data(), kWorldFileSize - 1);
    WorldRecord hole = example;
    SetCell(hole, 1, 10, kFreePath);
    Write(folder, "border_hole.wlt", EncodeWorldFile(hole).data(), kWorldFileSize);
    WorldRecord onWall = example;
    SetCell(onWall, 2, 2, kWall);
    Write(folder, "figure_on_wall.wlt", EncodeWorldFile(onWall).data(), kWorldFileSize);
    return 0;
}
