// Nibbo's four actions and eleven sensors: what each requires, changes and draws, in every facing.
#include "recording_canvas.h"
#include "world/actions.h"

#include <QTest>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

// A walled empty world with the figure at (10, 10) and a stock field.
struct Scene {
    World world;
    PlainStockField stock;
    RecordingCanvas canvas;
    Stage stage{world, stock, canvas, 0};

    explicit Scene(int orientation = East, int column = 10, int row = 10) {
        ClearWorld(world);
        world.StartColumn = column;
        world.StartRow = row;
        world.Orientation = uint8_t(orientation);
        world.StartPlaced = true;
    }
    int32_t Here() const { return CellAt(world, world.StartColumn, world.StartRow); }
    void SetHere(int32_t code) { SetCell(world, world.StartColumn, world.StartRow, code); }
};

QString Figure(int column, int row, int image) {
    return QStringLiteral("figure %1 %2 %3").arg(column).arg(row).arg(image);
}

} // namespace

class TestActions : public QObject {
    Q_OBJECT
private slots:
    void messagesAreTheFigureWords() {
        QCOMPARE(ActionMessage(ActionResult::Done), "");
        QCOMPARE(ActionMessage(ActionResult::RanIntoWall), "Nibbo ist gegen eine Mauer gelaufen!");
        QCOMPARE(ActionMessage(ActionResult::NoFood), "Es ist kein Futter vorhanden!");
        QCOMPARE(ActionMessage(ActionResult::CellFull), "Das Feld ist bereits voll!");
        QCOMPARE(ActionMessage(ActionResult::StockEmpty), "Der Vorrat ist alle!");
    }

    void facings_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QPoint>("ahead");
        QTest::addColumn<QPoint>("right");
        QTest::addColumn<QPoint>("left");
        QTest::addColumn<int>("trueSensor");
        // From (10, 10); screen up is north, rows grow downwards.
        QTest::newRow("east") << 0 << QPoint(11, 10) << QPoint(10, 11) << QPoint(10, 9) << int(ostwaerts);
        QTest::newRow("north") << 1 << QPoint(10, 9) << QPoint(11, 10) << QPoint(9, 10) << int(nordwaerts);
        QTest::newRow("west") << 2 << QPoint(9, 10) << QPoint(10, 9) << QPoint(10, 11) << int(westwaerts);
        QTest::newRow("south") << 3 << QPoint(10, 11) << QPoint(9, 10) << QPoint(11, 10) << int(suedwaerts);
    }

    void facings() {
        QFETCH(int, orientation);
        QFETCH(QPoint, ahead);
        QFETCH(QPoint, right);
        QFETCH(QPoint, left);
        QFETCH(int, trueSensor);
        Scene s(orientation);
        const auto at = [](CellPosition p) { return QPoint(p.Column, p.Row); };
        QCOMPARE(at(CellAhead(s.world)), ahead);
        QCOMPARE(at(CellRight(s.world)), right);
        QCOMPARE(at(CellLeft(s.world)), left);

        // Each of the three free-sensors looks at its own neighbour only.
        const struct {
            QPoint cell;
            TFunktion sensor;
        } looks[] = {{ahead, vorne_frei}, {right, rechts_frei}, {left, links_frei}};
        for (const auto& look : looks) {
            for (const int32_t code : {kFreePath, 5, kMaxFood}) {
                SetCell(s.world, look.cell.x(), look.cell.y(), code);
                QVERIFY(EvaluateSensor(look.sensor, s.world, s.stock)); // food is free
            }
            SetCell(s.world, look.cell.x(), look.cell.y(), kWall);
            for (const auto& other : looks)
                QCOMPARE(EvaluateSensor(other.sensor, s.world, s.stock), other.sensor != look.sensor);
            SetCell(s.world, look.cell.x(), look.cell.y(), kFreePath);
        }
        for (int f = nordwaerts; f <= ostwaerts; ++f)
            QCOMPARE(EvaluateSensor(TFunktion(f), s.world, s.stock), f == trueSensor);

        // vor: the old cell is redrawn without the figure, then the figure is drawn one cell on in
        // the frame after the animation step. Food in both cells stays.
        SetCell(s.world, 10, 10, 2);
        SetCell(s.world, ahead.x(), ahead.y(), 7);
        s.stage.animationStep = 2;
        QCOMPARE(Vor(s.stage), ActionResult::Done);
        QCOMPARE(QPoint(s.world.StartColumn, s.world.StartRow), ahead);
        QCOMPARE(s.world.Orientation, uint8_t(orientation));
        QCOMPARE(s.canvas.Take(), (QStringList{"fill 10 10", "food 10 10 2",
                                               Figure(ahead.x(), ahead.y(), orientation * 5 + 3)}));
        QCOMPARE(CellAt(s.world, 10, 10), 2);
        QCOMPARE(s.Here(), 7);
        QVERIFY(EvaluateSensor(liegt_futter, s.world, s.stock));

        // Facing a wall: nothing moves and nothing is drawn, the figure is not erased.
        const CellPosition next = CellAhead(s.world);
        SetCell(s.world, next.Column, next.Row, kWall);
        QCOMPARE(Vor(s.stage), ActionResult::RanIntoWall);
        QCOMPARE(QPoint(s.world.StartColumn, s.world.StartRow), ahead);
        QCOMPARE(s.world.Orientation, uint8_t(orientation));
        QVERIFY(s.canvas.Calls.empty());

        // drehe_links: redraw the cell with its food, turn, draw the figure in the new facing.
        s.stage.animationStep = 0;
        QCOMPARE(DreheLinks(s.stage), ActionResult::Done);
        const int turned = (orientation + 1) % 4;
        QCOMPARE(s.world.Orientation, uint8_t(turned));
        QCOMPARE(s.canvas.Take(), (QStringList{QStringLiteral("fill %1 %2").arg(ahead.x()).arg(ahead.y()),
                                               QStringLiteral("food %1 %2 7").arg(ahead.x()).arg(ahead.y()),
                                               Figure(ahead.x(), ahead.y(), turned * 5 + 1)}));
    }

    void fourTurnsGoRoundCounterClockwise() {
        Scene s(East);
        const TFunktion expected[] = {nordwaerts, westwaerts, suedwaerts, ostwaerts};
        for (const TFunktion sensor : expected) {
            QCOMPARE(DreheLinks(s.stage), ActionResult::Done);
            QVERIFY(EvaluateSensor(sensor, s.world, s.stock));
        }
        QCOMPARE(s.world.Orientation, uint8_t(East));
    }

    void foodActions_data() {
        QTest::addColumn<int>("instruction");
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("stock");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("cellAfter");
        QTest::addColumn<int>("stockAfter");
        const int take = sym_nimm_auf, give = sym_gib_ab;
        const int done = int(ActionResult::Done), full = int(ActionResult::CellFull);
        QTest::newRow("take the last portion") << take << 1 << 0 << done << 0 << 1;
        QTest::newRow("take from a full cell") << take << 9 << 4 << done << 8 << 5;
        QTest::newRow("take with the stock at its top") << take << 3 << 250 << done << 2 << 250;
        QTest::newRow("take without food") << take << 0 << 4 << int(ActionResult::NoFood) << 0 << 4;
        QTest::newRow("give on free path") << give << 0 << 1 << done << 1 << 0;
        QTest::newRow("give the ninth portion") << give << 8 << 3 << done << 9 << 2;
        QTest::newRow("give on a full cell") << give << 9 << 5 << full << 9 << 5;
        QTest::newRow("full cell before empty stock") << give << 9 << 0 << full << 9 << 0;
        QTest::newRow("give with an empty stock")
            << give << 4 << 0 << int(ActionResult::StockEmpty) << 4 << 0;
    }

    void foodActions() {
        QFETCH(int, instruction);
        QFETCH(int, cell);
        QFETCH(int, stock);
        QFETCH(int, result);
        QFETCH(int, cellAfter);
        QFETCH(int, stockAfter);
        Scene s;
        s.SetHere(cell);
        s.stock.WriteStock(stock);
        QCOMPARE(instruction == sym_nimm_auf ? NimmAuf(s.stage) : GibAb(s.stage), ActionResult(result));
        QCOMPARE(s.Here(), cellAfter);
        QCOMPARE(s.stock.ReadStock(), stockAfter);
        QVERIFY(s.canvas.Calls.empty()); // the picture catches up at the next redraw of the cell
    }

    void pickUpUntilEmptyThenPutDownUntilTheStockRunsOut() {
        Scene s;
        s.SetHere(2);
        QCOMPARE(NimmAuf(s.stage), ActionResult::Done);
        QCOMPARE(NimmAuf(s.stage), ActionResult::Done);
        QCOMPARE(NimmAuf(s.stage), ActionResult::NoFood);
        QCOMPARE(s.stock.ReadStock(), 2);
        QCOMPARE(GibAb(s.stage), ActionResult::Done);
        QCOMPARE(GibAb(s.stage), ActionResult::Done);
        QCOMPARE(GibAb(s.stage), ActionResult::StockEmpty);
        QCOMPARE(s.Here(), 2);
    }

    void cellSensorsByCode() {
        Scene s;
        for (int32_t code = 0; code <= kMaxFood; ++code) {
            s.SetHere(code);
            QCOMPARE(EvaluateSensor(liegt_futter, s.world, s.stock), code > 0);
            QCOMPARE(EvaluateSensor(feld_leer, s.world, s.stock), code == 0);
            QCOMPARE(EvaluateSensor(feld_voll, s.world, s.stock), code == 9);
        }
        QVERIFY(!EvaluateSensor(hat_vorrat, s.world, s.stock));
        s.stock.WriteStock(1);
        QVERIFY(EvaluateSensor(hat_vorrat, s.world, s.stock));
        // Tokens that are no sensors read false.
        for (const TFunktion f : {f_null, klammerL, _and, _not, _true, fufehler})
            QVERIFY(!EvaluateSensor(f, s.world, s.stock));
    }

    void doActionCarriesOutTheInstruction() {
        Scene s;
        s.SetHere(3);
        QCOMPARE(DoAction(sym_vor, s.stage), ActionResult::Done);
        QCOMPARE(s.world.StartColumn, 11);
        QCOMPARE(DoAction(sym_drehe_links, s.stage), ActionResult::Done);
        QCOMPARE(s.world.Orientation, uint8_t(North));
        QCOMPARE(DoAction(sym_nimm_auf, s.stage), ActionResult::NoFood);
        s.stock.WriteStock(1);
        QCOMPARE(DoAction(sym_gib_ab, s.stage), ActionResult::Done);
        QCOMPARE(s.Here(), 1);
        const World before = s.world;
        s.canvas.Calls.clear();
        for (const TSymbol other : {sym_none, sym_begin, sym_call, sym_other})
            QCOMPARE(DoAction(other, s.stage), ActionResult::Done);
        QVERIFY(s.world.Cells == before.Cells && s.world.StartColumn == before.StartColumn &&
                s.world.StartRow == before.StartRow && s.world.Orientation == before.Orientation);
        QVERIFY(s.canvas.Calls.empty());
    }

    void theFigureNeverLeavesTheGridOfAWorldWithoutBorder() {
        // Every cell free, also the border: the edge of the grid still stops the figure.
        const struct {
            int column, row, orientation;
        } edges[] = {{24, 5, East}, {5, 1, North}, {1, 5, West}, {5, 20, South}};
        for (const auto& edge : edges) {
            Scene s(edge.orientation, edge.column, edge.row);
            s.world.Cells.fill(kFreePath);
            QVERIFY(!EvaluateSensor(vorne_frei, s.world, s.stock));
            QCOMPARE(Vor(s.stage), ActionResult::RanIntoWall);
            QCOMPARE(s.world.StartColumn, edge.column);
            QCOMPARE(s.world.StartRow, edge.row);
            QVERIFY(s.canvas.Calls.empty());
        }
    }

    void aFigureOffTheGridTakesAndGivesNothing() {
        Scene s(East, 0, 0);
        s.stock.WriteStock(3);
        QCOMPARE(NimmAuf(s.stage), ActionResult::NoFood);
        QCOMPARE(GibAb(s.stage), ActionResult::CellFull);
        QCOMPARE(s.stock.ReadStock(), 3);
        QCOMPARE(DreheLinks(s.stage), ActionResult::Done);
        QVERIFY(s.canvas.Calls.empty()); // nothing is drawn outside the grid
    }
};

QTEST_GUILESS_MAIN(TestActions)
#include "test_actions.moc"
