// The mouse editor of the world view: a press on an interior cell sets a wall, clears a cell to
// free path, adds or removes a portion of food, or places and turns the figure's start. It works on
// the current world and draws only the cells it touches; the window maps its mouse events onto it.
#pragma once

#include "world/world.h"
#include "world/world_paint.h"

#include <cstdint>

namespace nibbo {

enum class EditorButton : uint8_t { Left, Right, Middle, Other };

// Modifier keys held during a press, as bit flags. Alt is passed on but never looked at.
enum EditorModifier : uint8_t { NoModifier = 0, ShiftKey = 1, CtrlKey = 2, AltKey = 4 };

enum class EditorAction : uint8_t {
    Nothing,
    PlaceOrTurnStart,
    IncreaseFood,
    DecreaseFood,
    SetWall,
    SetFreePath
};

// What a press does: on the left button Ctrl wins over Shift, on the right button Shift wins over
// Ctrl, and the middle button does nothing.
EditorAction ChooseEditorAction(EditorButton button, unsigned modifiers);

// One portion more: a wall counts as free path first; 9 portions wrap to free path.
int32_t IncreaseFood(int32_t code);
// One portion less: free path wraps to 9 portions, and a wall becomes 9 portions.
int32_t DecreaseFood(int32_t code);

// A press on cell (column, row), 1-based; (0, 0) or any cell outside the grid means the press hit
// no cell. Every press marks the world as modified; the border ring is never edited.
void EditorMouseDown(World& world, WorldCanvas& canvas, EditorButton button, unsigned modifiers, int column,
                     int row);

} // namespace nibbo
