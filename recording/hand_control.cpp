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

std::string RecordingLine(TSymbol instruction) {
    if (!IsInstruction(instruction)) return {};
    std::string line = "  ";
    line += Spelling(instruction);
    line += Spelling(sym_semicolon);
    return line;
}

std::optional<ActionResult> ActOnPlacedFigure(TSymbol instruction, Stage& stage) {
    if (!stage.world.StartPlaced) return std::nullopt;
    return DoAction(instruction, stage);
}

} // namespace nibbo
