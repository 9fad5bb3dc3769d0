#include "recording/hand_control.h"

namespace nibbo {

std::optional<TSymbol> HandKeyInstruction(int virtualKey) {
    switch (virtualKey) {
    case kKeyD:
        return sym_drehe_links;
    case kKeyG:
        return sym_gib_ab;
    case kKeyN:
        return sym_nimm_auf;
    case kKeyV:
        return sym_vor;
    default:
        return std::nullopt;
    }
}

const char* RecordingLine(TSymbol instruction) {
    switch (instruction) {
    case sym_drehe_links:
        return "  drehe_links;";
    case sym_gib_ab:
        return "  gib_ab;";
    case sym_nimm_auf:
        return "  nimm_auf;";
    case sym_vor:
        return "  vor;";
    default:
        return "";
    }
}

std::optional<ActionResult> ActOnPlacedFigure(TSymbol instruction, Stage& stage) {
    if (!stage.world.StartPlaced) return std::nullopt;
    return DoAction(instruction, stage);
}

} // namespace nibbo
