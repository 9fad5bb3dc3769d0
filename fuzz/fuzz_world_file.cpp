// The world file loader on any bytes: a file is either refused with a German reason, or it holds a
// world the figure can live in, and that world written again gives the same bytes back. The loaded
// world can be drawn without touching a cell outside the grid.
#include "invariants.h"

#include "world/world_file.h"

#include <algorithm>

using namespace nibbo;
using nibbo::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    const WorldFileReading reading = DecodeWorldFile(bytes);
    if (!reading.Record) {
        Require(reading.Problem.starts_with("Die Datei ist keine Nibbo-Welt: ") &&
                    reading.Problem.size() > 32,
                "refused without a reason");
        return 0;
    }
    Require(reading.Problem.empty(), "a loaded world with a complaint");
    Require(size >= kWorldFileSize, "a world from too few bytes");

    const WorldRecord& record = *reading.Record;
    const WorldFileBytes written = EncodeWorldFile(record);
    Require(std::equal(written.begin(), written.end(), data), "the loaded world written again differs");

    // Loaded as the world menu loads it: into the stored world, then restored with the figure placed.
    World world;
    PlainStockField stock;
    RestoreWorld(record, world, stock);
    world.StartPlaced = true;
    fuzz::CheckWorld(world, stock.ReadStock(), "loaded world");
    Require(stock.ReadStock() == record.Stock, "the stock changed on loading");

    WorldRecord stored;
    stored.Reserved = record.Reserved;
    StoreWorld(world, stock, stored);
    const WorldFileBytes saved = EncodeWorldFile(stored);
    Require(saved == written, "saving the loaded world writes other bytes");

    fuzz::StrictCanvas canvas;
    PaintWorld(world, canvas);
    Require(canvas.Calls >= kCellCount, "not every cell was drawn");
    return 0;
}
