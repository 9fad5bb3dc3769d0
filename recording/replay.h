// The replay of a recording: it reads the editor's words directly, checks the header once when it
// starts and each instruction only when its tick comes.
#pragma once

#include "language/scanner.h"
#include "world/actions.h"

#include <cstdint>
#include <string>

namespace nibbo {

// A copy of the editor's lines taken when the replay starts, and where the replay reads in it.
struct ReplayState {
    PackedLines Lines;
    ScannerPosition Position;
};

// The header "procedure <name> ; begin", read when the replay starts.
enum class ReplayHeader : uint8_t {
    Accepted,
    NoRecording, // the first word is not "procedure": "Kein Aufzeichnungsformat!"
    InvalidName, // a bad name, or no ";" or "begin" after it: "Kein gültiger Bezeichner!"
};

// Takes the lines as the replay's own copy, reads from their start and checks the header. After
// Accepted the position stands behind "begin", ready for the first tick.
ReplayHeader StartReplay(ReplayState& replay, PackedLines lines);
ReplayHeader StartReplay(ReplayState& replay, const SourceLines& lines);

// The German message of a refused header (UTF-8), or "" for Accepted.
const char* ReplayHeaderMessage(ReplayHeader header);

inline constexpr const char* kReplayFormatError = "Fehler im Aufzeichnungsformat!";

// The message of a failed action as the replay words it: the missing food is "keine Futter" here.
const char* ReplayActionMessage(ActionResult result);

enum class ReplayEnd : uint8_t {
    None,         // the instruction was carried out; the replay goes on
    Normal,       // "end;" and nothing after it
    FormatError,  // a word out of place
    ActionFailed, // the instruction could not be carried out
    NoFigure,     // the figure was removed while the replay ran
};

// What one tick did.
struct ReplayTick {
    std::string Word;         // the word read as the instruction, lower case
    bool PlacesCaret = false; // false only when the instruction was not followed by ";"
    int32_t Caret = 0;        // the instruction's first character, from 0, line breaks counted as two
    int32_t SelectionLength = 0;
    ReplayEnd End = ReplayEnd::None;
    std::string Message; // UTF-8; empty when the replay goes on or ended normally
};

// One tick: reads the instruction and its ";", and carries the instruction out on the figure or
// ends the replay. The caller shows the caret and the selection, and the message after stopping.
ReplayTick ReplayStep(ReplayState& replay, Stage& stage);

} // namespace nibbo
