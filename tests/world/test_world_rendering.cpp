// The world as the world view shows it, read back pixel by pixel.
#include "support/form_fixture.h"
#include "world/world_view.h"

#include <QTest>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

const QColor kPath(0, 0, 102);
const QColor kWallLight(0, 189, 255);
const QColor kWallDark(8, 123, 165);
const QColor kSilver(192, 192, 192);
const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);

constexpr int kSquareX[3] = {4, 11, 18};
constexpr int kSquareY[3] = {17, 10, 3};

} // namespace

class TestWorldRendering : public QObject {
    Q_OBJECT
private slots:
    void pathWallAndGridLines() {
        FormFixture f;
        f.Form->Session().FormPaint();
        // An interior cell is dark blue edge to edge.
        for (auto [dx, dy] : {std::pair{0, 0}, {24, 0}, {0, 24}, {24, 24}, {12, 12}})
            QCOMPARE(f.CellPixel(5, 5, dx, dy), kPath);
        // A wall: a 3-pixel dark frame round a 19 x 19 light block, filling the whole cell.
        QCOMPARE(f.CellPixel(1, 1, 0, 0), kWallDark);
        QCOMPARE(f.CellPixel(1, 1, 2, 2), kWallDark);
        QCOMPARE(f.CellPixel(1, 1, 3, 3), kWallLight);
        QCOMPARE(f.CellPixel(1, 1, 21, 21), kWallLight);
        QCOMPARE(f.CellPixel(1, 1, 22, 22), kWallDark);
        QCOMPARE(f.CellPixel(1, 1, 24, 24), kWallDark);
        // The silver line after each cell stays visible, also around walls.
        QCOMPARE(f.SurfacePixel(25, 10), kSilver);
        QCOMPARE(f.SurfacePixel(10, 25), kSilver);
        QCOMPARE(f.SurfacePixel(23 * 26 + 25, 19 * 26 + 5), kSilver);
        QCOMPARE(f.SurfacePixel(5 * 26 + 25, 5 * 26 + 25), kSilver);
    }

    void foodSquaresStandOnTheirLattice_data() {
        QTest::addColumn<int>("portions");
        for (int n = 1; n <= 9; ++n)
            QTest::addRow("%d", n) << n;
    }

    void foodSquaresStandOnTheirLattice() {
        QFETCH(int, portions);
        FormFixture f;
        SetCell(CurrentWorld(*f.Form), 6, 6, portions);
        f.Form->Session().FormPaint();
        // Squares fill the bottom row left to right, then the middle row, then the top row.
        for (int i = 0; i < 9; ++i) {
            const int x = kSquareX[i % 3], y = kSquareY[i / 3];
            const QColor expected = i < portions ? kWhite : kPath;
            QCOMPARE(f.CellPixel(6, 6, x, y), expected);
            QCOMPARE(f.CellPixel(6, 6, x + 3, y + 3), expected);
            QCOMPARE(f.CellPixel(6, 6, x + 4, y + 4), kPath); // squares are 4 x 4
        }
    }

    void theFigureFacesItsOrientation_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QPoint>("mouth"); // a point inside the open mouth: the path shows
        QTest::addColumn<QPoint>("back");  // the opposite side: yellow
        QTest::newRow("east") << 0 << QPoint(23, 12) << QPoint(1, 12);
        QTest::newRow("north") << 1 << QPoint(12, 1) << QPoint(12, 23);
        QTest::newRow("west") << 2 << QPoint(1, 12) << QPoint(23, 12);
        QTest::newRow("south") << 3 << QPoint(12, 23) << QPoint(12, 1);
    }

    void theFigureFacesItsOrientation() {
        QFETCH(int, orientation);
        QFETCH(QPoint, mouth);
        QFETCH(QPoint, back);
        FormFixture f;
        PlaceFigure(*f.Form, 7, 8, orientation);
        f.Form->Session().FormPaint();
        QCOMPARE(f.CellPixel(7, 8, back.x(), back.y()), kYellow);
        QCOMPARE(f.CellPixel(7, 8, (back.x() + 12) / 2, (back.y() + 12) / 2), kYellow);
        QCOMPARE(f.CellPixel(7, 8, mouth.x(), mouth.y()), kPath);
        // Outside the disc the cell's path colour shows through.
        QCOMPARE(f.CellPixel(7, 8, 0, 0), kPath);
        QCOMPARE(f.CellPixel(7, 8, 24, 24), kPath);
    }

    void noFigureWithoutAPlacedStart() {
        FormFixture f;
        PlaceFigure(*f.Form, 7, 8, 0);
        CurrentWorld(*f.Form).StartPlaced = false;
        f.Form->Session().FormPaint();
        QCOMPARE(f.CellPixel(7, 8, 12, 12), kPath);
    }

    void theFigureHidesFoodUntilTheCellIsRedrawn() {
        FormFixture f;
        SetCell(CurrentWorld(*f.Form), 7, 8, 9);
        PlaceFigure(*f.Form, 7, 8, 0);
        f.Form->Session().FormPaint();
        QCOMPARE(f.CellPixel(7, 8, 11, 10), kYellow); // the middle square lies under the disc
        RedrawCell(CurrentWorld(*f.Form), *f.Form->FeldEditorDrawGrid, 7, 8);
        QCOMPARE(f.CellPixel(7, 8, 11, 10), kWhite);
    }

    void theSurfaceKeepsSingleCellsUntilTheWindowSystemRepaints() {
        FormFixture f;
        PlaceFigure(*f.Form, 7, 8, 0);
        f.Form->Session().FormPaint();
        // The chewing frame 3 (animation step 2) shows the red bite in the mouth.
        DrawFigure(CurrentWorld(*f.Form), *f.Form->FeldEditorDrawGrid, 2);
        const QColor bite = f.CellPixel(7, 8, 18, 12);
        QVERIFY2(bite.red() > 150 && bite.green() < 80, qPrintable(bite.name()));
        // A cell changed without drawing stays as drawn ...
        SetCell(CurrentWorld(*f.Form), 3, 3, 1);
        QCOMPARE(f.CellPixel(3, 3, 4, 17), kPath);
        // ... until the window system asks for a repaint, which paints the whole world.
        QCOMPARE(f.GrabbedPixel(2 * 26 + 4, 2 * 26 + 17), kWhite);
        QCOMPARE(f.GrabbedPixel(6 * 26 + 18, 7 * 26 + 12), kPath); // resting frame: no bite
    }
};

QTEST_MAIN(TestWorldRendering)
#include "test_world_rendering.moc"
