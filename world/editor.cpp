#include "world/editor.h"

#include "world/actions.h"

namespace nibbo {

namespace {

bool IsStartCell(const World& world, int column, int row) {
    return world.StartColumn == column && world.StartRow == row;
}

void DrawFoodIfAny(const World& world, WorldCanvas& canvas, int column, int row) {
    const int32_t code = CellAt(world, column, row);
    if (code >= 1 && code <= kMaxFood) canvas.DrawFoodPicture(column, row, code);
}

// The editor always shows the figure in its resting frame.
void DrawRestingFigure(const World& world, WorldCanvas& canvas) {
    DrawFigure(world, canvas, 0);
}

void PlaceOrTurnStart(World& world, WorldCanvas& canvas, int column, int row) {
    if (!world.StartPlaced) {
        world.StartPlaced = true;
        world.Orientation = East;
    } else if (IsStartCell(world, column, row)) {
        TurnLeft(world);
    } else {
        RedrawCell(world, canvas, world.StartColumn, world.StartRow);
        world.Orientation = East;
    }
    // The figure never stands on a wall: a wall under it becomes free path; food stays.
    if (CellAt(world, column, row) == kWall) SetCell(world, column, row, kFreePath);
    world.StartColumn = column;
    world.StartRow = row;
    canvas.FillPath(column, row);
    DrawFoodIfAny(world, canvas, column, row);
    DrawRestingFigure(world, canvas);
}

void StepFood(World& world, WorldCanvas& canvas, int column, int row, int32_t (*step)(int32_t)) {
    canvas.FillPath(column, row);
    SetCell(world, column, row, step(CellAt(world, column, row)));
    DrawFoodIfAny(world, canvas, column, row);
    if (world.StartPlaced && IsStartCell(world, column, row)) DrawRestingFigure(world, canvas);
}

void SetWall(World& world, WorldCanvas& canvas, int column, int row) {
    canvas.DrawWallPicture(column, row);
    if (IsStartCell(world, column, row)) world.StartPlaced = false;
    SetCell(world, column, row, kWall);
}

void SetFreePath(World& world, WorldCanvas& canvas, int column, int row) {
    canvas.FillPath(column, row);
    if (IsStartCell(world, column, row)) world.StartPlaced = false;
    SetCell(world, column, row, kFreePath);
}

} // namespace

EditorAction ChooseEditorAction(EditorButton button, unsigned modifiers) {
    const bool shift = (modifiers & ShiftKey) != 0;
    const bool ctrl = (modifiers & CtrlKey) != 0;
    switch (button) {
    case EditorButton::Left:
        if (ctrl) return EditorAction::PlaceOrTurnStart;
        if (shift) return EditorAction::IncreaseFood;
        return EditorAction::SetWall;
    case EditorButton::Right:
        if (shift) return EditorAction::DecreaseFood;
        if (ctrl) return EditorAction::Nothing;
        return EditorAction::SetFreePath;
    case EditorButton::Middle:
    case EditorButton::Other:
        break;
    }
    return EditorAction::Nothing;
}

// Both steps always give 0..9, whatever code the cell held before.
int32_t IncreaseFood(int32_t code) {
    if (code == kWall) code = kFreePath;
    return code < kFreePath || code >= kMaxFood ? kFreePath : code + 1;
}

int32_t DecreaseFood(int32_t code) {
    return code <= kFreePath || code > kWall ? kMaxFood : code - 1;
}

void EditorMouseDown(World& world, WorldCanvas& canvas, EditorButton button, unsigned modifiers, int column,
                     int row) {
    world.WorldModified = true;
    if (!InInterior(column, row)) return;
    switch (ChooseEditorAction(button, modifiers)) {
    case EditorAction::PlaceOrTurnStart:
        PlaceOrTurnStart(world, canvas, column, row);
        break;
    case EditorAction::IncreaseFood:
        StepFood(world, canvas, column, row, IncreaseFood);
        break;
    case EditorAction::DecreaseFood:
        StepFood(world, canvas, column, row, DecreaseFood);
        break;
    case EditorAction::SetWall:
        SetWall(world, canvas, column, row);
        break;
    case EditorAction::SetFreePath:
        SetFreePath(world, canvas, column, row);
        break;
    case EditorAction::Nothing:
        break;
    }
}

} // namespace nibbo
