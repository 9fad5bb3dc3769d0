// Hand control: while a recording is in progress the keys N, G, V and D each perform one of the
// figure's actions at once and log the matching instruction line, so that the moves become a
// procedure text. Keys are told apart by their virtual-key code alone; the modifiers play no part.
#pragma once

#include "language/program_model.h"
#include "world/actions.h"

#include <optional>

namespace nibbo {

// Virtual-key codes of the four keys (those of the capital letters).
inline constexpr int kKeyD = 68;
inline constexpr int kKeyG = 71;
inline constexpr int kKeyN = 78;
inline constexpr int kKeyV = 86;

// The lines that frame a recording made by hand.
inline constexpr const char* kRecordingHead[] = {"procedure aufzeichnung;", "begin"};
inline constexpr const char* kRecordingEnd = "end;";

// Shown when the figure is needed and none is placed.
inline constexpr const char* kNoFigureMessage = "Wo ist Nibbo?!";

// The instruction a key performs, or nothing for a key that does not act.
std::optional<TSymbol> HandKeyInstruction(int virtualKey);

// The line a key press logs for an instruction: two blanks, the instruction, ";".
const char* RecordingLine(TSymbol instruction);

// The instruction carried out on the figure, or nothing when no figure is placed: then nothing is
// read, changed or drawn. The editor can remove the figure at any time, and its last position
// stays in the world's start fields, so acting on them would move a figure nobody sees.
std::optional<ActionResult> ActOnPlacedFigure(TSymbol instruction, Stage& stage);

} // namespace nibbo
