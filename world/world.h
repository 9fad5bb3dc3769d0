// Nibbo's world: the grid of 24 x 20 cells, the figure's start, and the stored copy of the world
// that saving writes, loading fills and every reset brings back. Plain data and free functions; the
// main window owns exactly one current world and one stored world.
#pragma once

#include <array>
#include <cstdint>

namespace nibbo {

inline constexpr int kColumns = 24;
inline constexpr int kRows = 20;
inline constexpr int kCellCount = kColumns * kRows;

// Cell codes: 0 free path, 1..9 portions of food, 10 wall.
inline constexpr int32_t kFreePath = 0;
inline constexpr int32_t kMaxFood = 9;
inline constexpr int32_t kWall = 10;

inline constexpr int kMinStock = 0;
inline constexpr int kMaxStock = 250;

// Facing of the figure; screen up is north, turning left adds 1 modulo 4.
enum Orientation : uint8_t { East = 0, North = 1, West = 2, South = 3 };

// The message for a world without a start where one is needed (saving it, running a program).
inline constexpr const char* kNoStartMessage = "Kein Startfeld vorhanden!";

// The cells, column by column: cell (c, r) has index (c - 1) * 20 + (r - 1).
using Grid = std::array<int32_t, kCellCount>;

// The current world. The start fields are at the same time the figure's position and facing
// while a program runs, while the user steers by hand and while a recording is replayed.
struct World {
    Grid Cells{};
    int32_t StartColumn = 0;
    int32_t StartRow = 0;
    uint8_t Orientation = East;
    bool StartPlaced = false;   // the figure is drawn, a program can run, the world can be saved
    bool WorldModified = false; // a mouse button was pressed on the world view since the last store
};

// The stored world: exactly what a world file holds.
struct WorldRecord {
    Grid Cells{};
    int32_t StartColumn = 0;
    int32_t StartRow = 0;
    uint8_t Orientation = East;
    std::array<uint8_t, 3> Reserved{}; // kept from the last loaded file, written back unchanged
    int32_t Stock = 0;
};

// The stock has no field of its own in the world: it is the value of the stock field on screen.
// Reading yields the whole number the field shows (0 when it shows none); writing clamps to 0..250.
class StockField {
public:
    virtual ~StockField() = default;
    virtual int ReadStock() const = 0;
    virtual void WriteStock(int value) = 0;
};

// A stock field without a screen, for the batch tool and for tests.
class PlainStockField : public StockField {
public:
    int ReadStock() const override { return value_; }
    void WriteStock(int value) override { value_ = ClampStock(value); }
    static int ClampStock(int value) {
        return value < kMinStock ? kMinStock : value > kMaxStock ? kMaxStock : value;
    }

private:
    int value_ = 0;
};

constexpr bool InGrid(int column, int row) {
    return column >= 1 && column <= kColumns && row >= 1 && row <= kRows;
}
constexpr bool OnBorder(int column, int row) {
    return column == 1 || column == kColumns || row == 1 || row == kRows;
}
constexpr bool InInterior(int column, int row) {
    return column >= 2 && column <= kColumns - 1 && row >= 2 && row <= kRows - 1;
}
constexpr int CellIndex(int column, int row) {
    return (column - 1) * kRows + (row - 1);
}

// Reading a cell outside the grid yields a wall; writing one outside the grid does nothing. The
// border ring of walls keeps the figure inside, so this only guards against a world that lost it.
int32_t CellAt(const World& world, int column, int row);
void SetCell(World& world, int column, int row, int32_t code);

// Makes the current world empty: interior free, border ring walls, no start placed. The start
// fields, the stock field and WorldModified are left as they are.
void ClearWorld(World& world);

// Copies the current world and the stock field into the stored world; StartPlaced, WorldModified
// and the reserved bytes are not touched.
void StoreWorld(const World& world, const StockField& stock, WorldRecord& stored);

// Copies the stored world into the current world and the stock field. A stored start column of 0
// means there is no start; otherwise StartPlaced keeps its value. WorldModified becomes false.
void RestoreWorld(const WorldRecord& stored, World& world, StockField& stock);

} // namespace nibbo
