// The mouse editor: which press does what, the food steps, the start, and exactly which cells it
// draws.
#include "recording_canvas.h"
#include "world/editor.h"

#include <QTest>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

constexpr EditorButton L = EditorButton::Left;
constexpr EditorButton R = EditorButton::Right;
constexpr EditorButton M = EditorButton::Middle;

struct Scene {
    World world;
    RecordingCanvas canvas;

    Scene() { ClearWorld(world); }
    void Press(EditorButton button, unsigned modifiers, int column, int row) {
        EditorMouseDown(world, canvas, button, modifiers, column, row);
    }
    int32_t Cell(int column, int row) const { return CellAt(world, column, row); }
    QPoint Start() const { return {world.StartColumn, world.StartRow}; }
};

} // namespace

Q_DECLARE_METATYPE(EditorButton)
Q_DECLARE_METATYPE(EditorAction)

class TestEditor : public QObject {
    Q_OBJECT
private slots:
    void pressTable_data() {
        QTest::addColumn<EditorButton>("button");
        QTest::addColumn<unsigned>("modifiers");
        QTest::addColumn<EditorAction>("action");
        using A = EditorAction;
        const unsigned S = ShiftKey, C = CtrlKey, Alt = AltKey;
        // Left: Ctrl before Shift. Right: Shift before Ctrl. Alt is never looked at.
        const struct {
            const char* name;
            EditorButton button;
            unsigned modifiers;
            A action;
        } rows[] = {
            {"left", L, 0, A::SetWall},
            {"alt left", L, Alt, A::SetWall},
            {"shift left", L, S, A::IncreaseFood},
            {"shift alt left", L, S | Alt, A::IncreaseFood},
            {"ctrl left", L, C, A::PlaceOrTurnStart},
            {"ctrl shift left", L, C | S, A::PlaceOrTurnStart},
            {"ctrl shift alt left", L, C | S | Alt, A::PlaceOrTurnStart},
            {"right", R, 0, A::SetFreePath},
            {"alt right", R, Alt, A::SetFreePath},
            {"shift right", R, S, A::DecreaseFood},
            {"ctrl shift right", R, C | S, A::DecreaseFood},
            {"ctrl right", R, C, A::Nothing},
            {"ctrl alt right", R, C | Alt, A::Nothing},
            {"middle", M, 0, A::Nothing},
            {"shift middle", M, S, A::Nothing},
            {"ctrl middle", M, C, A::Nothing},
            {"other button", EditorButton::Other, 0, A::Nothing},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << row.button << row.modifiers << row.action;
    }

    void pressTable() {
        QFETCH(EditorButton, button);
        QFETCH(unsigned, modifiers);
        QFETCH(EditorAction, action);
        QCOMPARE(ChooseEditorAction(button, modifiers), action);
    }

    void foodSteps() {
        // Code before: 0..10; the two rows of the editor's food table.
        const int32_t increased[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1};
        const int32_t decreased[] = {9, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        for (int32_t code = 0; code <= kWall; ++code) {
            QCOMPARE(IncreaseFood(code), increased[code]);
            QCOMPARE(DecreaseFood(code), decreased[code]);
        }
    }

    void foodWrapsAroundUnderRepeatedPresses() {
        Scene s;
        for (int i = 1; i <= 10; ++i) {
            s.Press(L, ShiftKey, 6, 6);
            QCOMPARE(s.Cell(6, 6), i % 10);
        }
        s.Press(R, ShiftKey, 6, 6);
        QCOMPARE(s.Cell(6, 6), 9);
        s.Press(L, 0, 7, 7);
        s.Press(R, ShiftKey | CtrlKey, 7, 7);
        QCOMPARE(s.Cell(7, 7), 9); // a wall becomes 9 portions
        s.Press(L, 0, 8, 8);
        s.Press(L, ShiftKey, 8, 8);
        QCOMPARE(s.Cell(8, 8), 1); // a wall becomes 1 portion
    }

    void eachPressDrawsOnlyItsCell() {
        Scene s;
        SetCell(s.world, 5, 5, 3);
        s.Press(L, ShiftKey, 5, 5);
        QCOMPARE(s.canvas.Take(), (QStringList{"fill 5 5", "food 5 5 4"}));
        SetCell(s.world, 5, 5, 9);
        s.Press(L, ShiftKey, 5, 5);
        QCOMPARE(s.canvas.Take(), (QStringList{"fill 5 5"})); // 9 wraps to free path
        s.Press(R, ShiftKey, 5, 5);
        QCOMPARE(s.canvas.Take(), (QStringList{"fill 5 5", "food 5 5 9"}));
        s.Press(L, AltKey, 5, 5);
        QCOMPARE(s.canvas.Take(), (QStringList{"wall 5 5"}));
        QCOMPARE(s.Cell(5, 5), kWall); // the food is lost
        SetCell(s.world, 5, 5, 6);
        s.Press(R, 0, 5, 5);
        QCOMPARE(s.canvas.Take(), (QStringList{"fill 5 5"}));
        QCOMPARE(s.Cell(5, 5), kFreePath);
        s.Press(R, CtrlKey, 5, 5);
        s.Press(M, 0, 5, 5);
        QVERIFY(s.canvas.Calls.empty());
        QCOMPARE(s.Cell(5, 5), kFreePath);
    }

    void theBorderRingAndPointsOutsideTheGridAreNeverEdited() {
        const QPoint cells[] = {{1, 1},   {1, 10}, {24, 10}, {10, 1}, {10, 20},
                                {24, 20}, {0, 0},  {25, 5},  {5, 21}};
        const struct {
            EditorButton button;
            unsigned modifiers;
        } presses[] = {{L, 0}, {L, ShiftKey}, {L, CtrlKey}, {R, 0}, {R, ShiftKey}, {M, 0}};
        for (const QPoint cell : cells) {
            for (const auto& press : presses) {
                Scene s;
                const Grid before = s.world.Cells;
                s.Press(press.button, press.modifiers, cell.x(), cell.y());
                QVERIFY(s.world.WorldModified);
                QVERIFY(s.world.Cells == before);
                QVERIFY(!s.world.StartPlaced);
                QVERIFY(s.canvas.Calls.empty());
            }
        }
    }

    void everyPressMarksTheWorldModified() {
        const struct {
            EditorButton button;
            unsigned modifiers;
        } presses[] = {{L, 0}, {L, ShiftKey}, {L, CtrlKey}, {R, 0}, {R, ShiftKey}, {R, CtrlKey}, {M, 0}};
        for (const auto& press : presses) {
            Scene s;
            s.Press(press.button, press.modifiers, 9, 9);
            QVERIFY(s.world.WorldModified);
        }
    }

    void theStartIsPlacedTurnedAndMoved() {
        Scene s;
        s.Press(L, 0, 4, 4); // a wall
        s.Press(L, CtrlKey, 4, 4);
        QVERIFY(s.world.StartPlaced);
        QCOMPARE(s.Start(), QPoint(4, 4));
        QCOMPARE(s.Cell(4, 4), kFreePath); // the wall under the figure became free path
        QCOMPARE(s.canvas.Take(), (QStringList{"wall 4 4", "fill 4 4", "figure 4 4 1"}));

        // Further Ctrl-clicks on the figure turn it north, west, south and east again.
        for (const int orientation : {North, West, South, East}) {
            s.Press(L, CtrlKey | ShiftKey, 4, 4);
            QCOMPARE(int(s.world.Orientation), orientation);
            QCOMPARE(s.canvas.Take(),
                     (QStringList{"fill 4 4", QStringLiteral("figure 4 4 %1").arg(orientation * 5 + 1)}));
        }

        // Moving it: the old cell is repainted with its food, the new one gets food and figure,
        // and the figure faces east again.
        s.Press(L, CtrlKey, 4, 4);
        QCOMPARE(int(s.world.Orientation), int(North));
        s.canvas.Take();
        SetCell(s.world, 4, 4, 2);
        SetCell(s.world, 8, 6, 3);
        s.Press(L, CtrlKey, 8, 6);
        QCOMPARE(s.Start(), QPoint(8, 6));
        QCOMPARE(int(s.world.Orientation), int(East));
        QCOMPARE(s.Cell(8, 6), 3);
        QCOMPARE(s.canvas.Take(),
                 (QStringList{"fill 4 4", "food 4 4 2", "fill 8 6", "food 8 6 3", "figure 8 6 1"}));
    }

    void foodStepsOnTheFigureDrawItOnTop() {
        Scene s;
        s.Press(L, CtrlKey, 6, 6);
        s.Press(L, CtrlKey, 6, 6); // north
        s.canvas.Take();
        s.Press(L, ShiftKey, 6, 6);
        QCOMPARE(s.canvas.Take(), (QStringList{"fill 6 6", "food 6 6 1", "figure 6 6 6"}));
        s.Press(R, ShiftKey, 6, 6);
        QCOMPARE(s.canvas.Take(), (QStringList{"fill 6 6", "figure 6 6 6"}));
        QCOMPARE(s.Cell(6, 6), kFreePath);
    }

    void wallOrPathOnTheFigureRemovesTheStart() {
        Scene s;
        SetCell(s.world, 6, 6, 4);
        s.Press(L, CtrlKey, 6, 6);
        s.Press(L, CtrlKey, 6, 6); // north
        s.Press(R, 0, 6, 6);
        QVERIFY(!s.world.StartPlaced);
        QCOMPARE(s.Cell(6, 6), kFreePath); // the food under the figure is gone too
        // The start fields stay, but no figure is drawn on the old start cell any more ...
        QCOMPARE(s.Start(), QPoint(6, 6));
        QCOMPARE(int(s.world.Orientation), int(North));
        s.canvas.Take();
        s.Press(L, ShiftKey, 6, 6);
        QCOMPARE(s.canvas.Take(), (QStringList{"fill 6 6", "food 6 6 1"}));
        // ... and the next Ctrl-click places a new start facing east, also on the old cell.
        s.Press(L, CtrlKey, 6, 6);
        QVERIFY(s.world.StartPlaced);
        QCOMPARE(int(s.world.Orientation), int(East));
        QCOMPARE(s.canvas.Take(), (QStringList{"fill 6 6", "food 6 6 1", "figure 6 6 1"}));

        s.Press(L, 0, 6, 6);
        QVERIFY(!s.world.StartPlaced);
        QCOMPARE(s.Cell(6, 6), kWall);
        QCOMPARE(s.canvas.Take(), (QStringList{"wall 6 6"}));
    }
};

QTEST_GUILESS_MAIN(TestEditor)
#include "test_editor.moc"
