// What the commands that act on a world share: their options (--world, --save, --trace, ...) and
// the world they start from, loaded and restored as "Welt laden" does, and saved as "Welt
// speichern" stores it.
#pragma once

#include "batch.h"

#include "world/world.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace nibbo::batch {

inline constexpr int kExitDataError = 65; // a world file the program would refuse
inline constexpr int kExitCannotCreate = 73;

// The words of a command line: options with a value ("--world F"), flags ("--trace") and the
// remaining words in order. Options may stand anywhere; "--" ends them.
struct Options {
    std::map<std::string, std::string> Values;
    std::set<std::string> Flags;
    std::vector<std::string> Words;

    bool Has(const std::string& flag) const { return Flags.count(flag) > 0; }
    const std::string* Value(const std::string& option) const;
};

// The call's words sorted out. Nothing, after naming the word on Err, when a word starting with
// "--" is not one of the given options or an option's value is missing.
std::optional<Options> ParseOptions(const Invocation& call, const std::set<std::string>& withValue,
                                    const std::set<std::string>& flags);

// A whole number from first to last written in decimal digits, or nothing.
std::optional<uint64_t> ParseCount(const std::string& text, uint64_t first, uint64_t last);

// The current world, the stored world and the stock, as the main window holds them.
struct WorldState {
    World Current;
    WorldRecord Stored;
    PlainStockField Stock;
};

// Without a path: the empty walled world of start-up. With one: the file read as "Welt laden"
// reads it (a refused file: its message on Err and kExitDataError; an unreadable one:
// kExitNoInput). Either way the stored world is then restored into the current one. Returns
// kExitClean when the world is ready.
int LoadWorld(const Invocation& call, const std::string* path, WorldState& state);

// Stores the current world and writes the 1936 bytes of the stored world to path, as "Welt
// speichern" does, in one step: an existing file is replaced whole or not at all. Returns
// kExitClean, or kExitCannotCreate after a message on Err.
int SaveWorld(const Invocation& call, const std::string& path, WorldState& state);

// Writes one of the tool's files (a world, a picture, a report) in one step: an existing file is
// replaced whole or not at all. Returns kExitClean, or kExitCannotCreate after a message on Err.
int SaveOutput(const Invocation& call, const std::string& path, std::string_view bytes);

} // namespace nibbo::batch
