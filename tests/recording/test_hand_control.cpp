// Hand control in the core: which virtual-key code performs which instruction and logs which line,
// and that nothing acts while no figure is placed.
#include "../world/recording_canvas.h"
#include "recording/hand_control.h"

#include <QTest>

using namespace nibbo;
using namespace nibbo::testing;

class TestHandControl : public QObject {
    Q_OBJECT
private slots:
    void onlyFourKeysAct() {
        // Every 16-bit virtual-key code: the capitals D, G, N and V act, nothing else does, the small
        // letters' codes (which are other keys' codes) included.
        QMap<int, TSymbol> acting;
        for (int key = 0; key <= 0xFFFF; ++key)
            if (const std::optional<TSymbol> instruction = HandKeyInstruction(key))
                acting.insert(key, *instruction);
        const QMap<int, TSymbol> expected{
            {68, sym_drehe_links}, {71, sym_gib_ab}, {78, sym_nimm_auf}, {86, sym_vor}};
        QCOMPARE(acting, expected);
    }

    void withoutAFigureNothingIsReadChangedOrDrawn_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("orientation");
        QTest::newRow("removed in the interior") << 7 << 7 << 0;
        QTest::newRow("never placed") << 0 << 0 << 0;
        QTest::newRow("corner, facing out") << 1 << 1 << 1;
        QTest::newRow("far outside") << -5 << 400 << 3;
    }

    void withoutAFigureNothingIsReadChangedOrDrawn() {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(int, orientation);
        World world;
        ClearWorld(world);
        SetCell(world, 7, 7, 4);
        world.StartColumn = column;
        world.StartRow = row;
        world.Orientation = uint8_t(orientation);
        PlainStockField stock;
        stock.WriteStock(3);
        RecordingCanvas canvas;
        Stage stage{world, stock, canvas, 0};
        const World before = world;
        for (TSymbol instruction : {sym_vor, sym_drehe_links, sym_nimm_auf, sym_gib_ab})
            QVERIFY(!ActOnPlacedFigure(instruction, stage));
        QCOMPARE(world.Cells, before.Cells);
        QCOMPARE(world.StartColumn, column);
        QCOMPARE(world.StartRow, row);
        QCOMPARE(int(world.Orientation), orientation);
        QCOMPARE(stock.ReadStock(), 3);
        QVERIFY(canvas.Calls.empty());
    }
};

QTEST_GUILESS_MAIN(TestHandControl)
#include "test_hand_control.moc"
