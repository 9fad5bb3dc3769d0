// The current and the stored world and the three operations between them.
#include "world/world.h"
#include "world/world_paint.h"

#include "recording_canvas.h"

#include <QTest>
#include <algorithm>
#include <vector>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

int CountCells(const World& world, bool border, int32_t code) {
    int count = 0;
    for (int c = 1; c <= kColumns; ++c)
        for (int r = 1; r <= kRows; ++r)
            if (OnBorder(c, r) == border && CellAt(world, c, r) == code) ++count;
    return count;
}

} // namespace

class TestWorldModel : public QObject {
    Q_OBJECT
private slots:
    void clearWorldMakesTheWalledEmptyWorld() {
        World world;
        world.Cells.fill(7);
        world.StartColumn = 5;
        world.StartRow = 7;
        world.Orientation = North;
        world.StartPlaced = true;
        world.WorldModified = true;
        ClearWorld(world);
        // The ring of 24 x 20 cells has 84 cells; the interior 22 x 18 = 396.
        QCOMPARE(CountCells(world, true, kWall), 84);
        QCOMPARE(CountCells(world, false, kFreePath), 396);
        QVERIFY(!world.StartPlaced);
        // Start fields and WorldModified are left alone.
        QCOMPARE(world.StartColumn, 5);
        QCOMPARE(world.StartRow, 7);
        QCOMPARE(world.Orientation, uint8_t(North));
        QVERIFY(world.WorldModified);
    }

    void cellsAreHeldColumnByColumn() {
        World world;
        SetCell(world, 1, 2, 3);
        SetCell(world, 2, 1, 4);
        SetCell(world, 24, 20, 5);
        QCOMPARE(world.Cells[1], 3);   // column 1, row 2
        QCOMPARE(world.Cells[20], 4);  // column 2, row 1
        QCOMPARE(world.Cells[479], 5); // column 24, row 20
    }

    void cellsOutsideTheGridReadAsWallAndIgnoreWrites() {
        World world;
        ClearWorld(world);
        const World before = world;
        for (auto [c, r] :
             std::vector<std::pair<int, int>>{{0, 5}, {25, 5}, {5, 0}, {5, 21}, {-3, -3}, {1000, 1}}) {
            QCOMPARE(CellAt(world, c, r), kWall);
            SetCell(world, c, r, 4);
        }
        QVERIFY(world.Cells == before.Cells);
    }

    void storeWorldCopiesCellsStartAndStockWhateverStartPlacedSays() {
        World world;
        ClearWorld(world);
        SetCell(world, 3, 5, 4);
        world.StartColumn = 5;
        world.StartRow = 7;
        world.Orientation = North;
        world.StartPlaced = false; // a cleared start still stores its fields
        world.WorldModified = true;
        PlainStockField stock;
        stock.WriteStock(12);
        WorldRecord stored;
        stored.Reserved = {1, 2, 3};
        StoreWorld(world, stock, stored);
        QVERIFY(stored.Cells == world.Cells);
        QCOMPARE(stored.StartColumn, 5);
        QCOMPARE(stored.StartRow, 7);
        QCOMPARE(stored.Orientation, uint8_t(North));
        QCOMPARE(stored.Stock, 12);
        QCOMPARE(stored.Reserved, (std::array<uint8_t, 3>{1, 2, 3}));
        QVERIFY(!world.StartPlaced);
        QVERIFY(world.WorldModified);
    }

    void restoreWorld_data() {
        QTest::addColumn<int>("storedColumn");
        QTest::addColumn<bool>("placedBefore");
        QTest::addColumn<bool>("placedAfter");
        // A stored start column of 0 means no start; otherwise StartPlaced keeps its value.
        QTest::newRow("no stored start, figure placed") << 0 << true << false;
        QTest::newRow("no stored start, no figure") << 0 << false << false;
        QTest::newRow("stored start, figure placed") << 4 << true << true;
        QTest::newRow("stored start, figure removed by the editor") << 4 << false << false;
    }

    void restoreWorld() {
        QFETCH(int, storedColumn);
        QFETCH(bool, placedBefore);
        QFETCH(bool, placedAfter);
        WorldRecord stored;
        stored.Cells.fill(kWall);
        stored.StartColumn = storedColumn;
        stored.StartRow = 9;
        stored.Orientation = South;
        stored.Stock = 3;
        World world;
        ClearWorld(world);
        world.StartColumn = 6;
        world.StartRow = 6;
        world.StartPlaced = placedBefore;
        world.WorldModified = true;
        PlainStockField stock;
        stock.WriteStock(7);
        RestoreWorld(stored, world, stock);
        QVERIFY(world.Cells == stored.Cells);
        QCOMPARE(world.StartColumn, storedColumn);
        QCOMPARE(world.StartRow, 9);
        QCOMPARE(world.Orientation, uint8_t(South));
        QCOMPARE(world.StartPlaced, placedAfter);
        QVERIFY(!world.WorldModified);
        QCOMPARE(stock.ReadStock(), 3);
    }

    void restoreWorldClampsTheStoredStockIntoTheField() {
        WorldRecord stored;
        stored.Stock = 900;
        World world;
        PlainStockField stock;
        RestoreWorld(stored, world, stock);
        QCOMPARE(stock.ReadStock(), 250);
        stored.Stock = -4;
        RestoreWorld(stored, world, stock);
        QCOMPARE(stock.ReadStock(), 0);
    }

    void aClearedStartIsStoredAndBroughtBackWithoutAFigure() {
        // Start at (5, 7) facing north, then ClearWorld, then StoreWorld: 5, 7 and 1 are stored.
        World world;
        ClearWorld(world);
        world.StartColumn = 5;
        world.StartRow = 7;
        world.Orientation = North;
        world.StartPlaced = true;
        ClearWorld(world);
        PlainStockField stock;
        WorldRecord stored;
        StoreWorld(world, stock, stored);
        QCOMPARE(stored.StartColumn, 5);
        QCOMPARE(stored.StartRow, 7);
        QCOMPARE(stored.Orientation, uint8_t(North));
        RestoreWorld(stored, world, stock);
        QVERIFY(!world.StartPlaced);
        RecordingCanvas canvas;
        PaintWorld(world, canvas);
        for (const std::string& call : canvas.Calls)
            QVERIFY2(call.rfind("figure", 0) != 0, call.c_str());
    }

    void paintWorldDrawsEveryCellByItsCodeThenTheFigure() {
        World world;
        ClearWorld(world);
        SetCell(world, 2, 2, 3);
        SetCell(world, 2, 3, kWall);
        SetCell(world, 2, 4, 11); // a code the system never writes: nothing is drawn for it
        SetCell(world, 2, 5, -1);
        world.StartColumn = 2;
        world.StartRow = 2;
        world.Orientation = South;
        world.StartPlaced = true;
        RecordingCanvas canvas;
        PaintWorld(world, canvas);
        QCOMPARE(canvas.Calls.size(), size_t(85 + 392 + 2 + 1)); // walls, free cells, food cell, figure
        const auto has = [&](const std::string& call) {
            return std::find(canvas.Calls.begin(), canvas.Calls.end(), call) != canvas.Calls.end();
        };
        QVERIFY(has("fill 2 2"));
        QVERIFY(has("food 2 2 3"));
        QVERIFY(has("wall 2 3"));
        QVERIFY(!has("fill 2 4") && !has("wall 2 4") && !has("fill 2 5"));
        QCOMPARE(canvas.Calls.back(), std::string("figure 2 2 16")); // south, resting frame
        // Column by column: cell (1, 1) comes first, (1, 2) second.
        QCOMPARE(canvas.Calls[0], std::string("wall 1 1"));
        QCOMPARE(canvas.Calls[1], std::string("wall 1 2"));
    }

    void redrawCellErasesTheFigureAndKeepsTheFood() {
        World world;
        ClearWorld(world);
        SetCell(world, 4, 4, 2);
        RecordingCanvas canvas;
        RedrawCell(world, canvas, 4, 4);
        RedrawCell(world, canvas, 5, 4);
        QCOMPARE(canvas.Calls, (std::vector<std::string>{"fill 4 4", "food 4 4 2", "fill 5 4"}));
    }

    void drawFigureUsesTheFrameAfterTheAnimationStep() {
        World world;
        ClearWorld(world);
        world.StartColumn = 3;
        world.StartRow = 3;
        world.Orientation = West;
        RecordingCanvas canvas;
        for (int step = 0; step <= 5; ++step)
            DrawFigure(world, canvas, step);
        // West images are 10..14; steps 0..5 show frames 1, 2, 3, 4, 0, 1.
        QCOMPARE(canvas.Calls, (std::vector<std::string>{"figure 3 3 11", "figure 3 3 12", "figure 3 3 13",
                                                         "figure 3 3 14", "figure 3 3 10", "figure 3 3 11"}));
    }
};

QTEST_GUILESS_MAIN(TestWorldModel)
#include "test_world_model.moc"
