#include "options.h"

#include "shell/file_io.h"
#include "world/world_file.h"

#include <charconv>
#include <ostream>

namespace nibbo::batch {

const std::string* Options::Value(const std::string& option) const {
    const auto found = Values.find(option);
    return found == Values.end() ? nullptr : &found->second;
}

std::optional<Options> ParseOptions(const Invocation& call, const std::set<std::string>& withValue,
                                    const std::set<std::string>& flags) {
    const std::vector<std::string>& arguments = call.Arguments;
    Options options;
    bool onlyWords = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (onlyWords || word.size() < 2 || word.compare(0, 2, "--") != 0) {
            options.Words.push_back(word);
        } else if (word == "--") {
            onlyWords = true;
        } else if (withValue.count(word)) {
            if (i + 1 >= arguments.size()) {
                call.Err << "nibbo-batch: die Option \"" << word << "\" braucht einen Wert\n";
                return std::nullopt;
            }
            options.Values[word] = arguments[++i];
        } else if (flags.count(word)) {
            options.Flags.insert(word);
        } else {
            call.Err << "nibbo-batch: unbekannte Option \"" << word << "\"\n";
            return std::nullopt;
        }
    }
    return options;
}

std::optional<uint64_t> ParseCount(const std::string& text, uint64_t first, uint64_t last) {
    uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < first || value > last)
        return std::nullopt;
    return value;
}

int LoadWorld(const Invocation& call, const std::string* path, WorldState& state) {
    if (!path) {
        ClearWorld(state.Current);
        StoreWorld(state.Current, state.Stock, state.Stored);
    } else {
        // Only the bytes a world holds are read; anything after them is ignored, as by "Welt laden".
        const FileRead read = ReadFileStart(*path, kWorldFileSize);
        if (!read.Ok()) return CannotRead(call, *path, read.Problem);
        const WorldFileReading reading =
            DecodeWorldFile({reinterpret_cast<const uint8_t*>(read.Bytes.data()), read.Bytes.size()});
        if (!reading.Record) {
            call.Err << "nibbo-batch: " << *path << ": " << reading.Problem << '\n';
            return kExitDataError;
        }
        state.Stored = *reading.Record;
        state.Current.StartPlaced = true;
    }
    RestoreWorld(state.Stored, state.Current, state.Stock);
    return kExitClean;
}

int SaveWorld(const Invocation& call, const std::string& path, WorldState& state) {
    StoreWorld(state.Current, state.Stock, state.Stored);
    const WorldFileBytes bytes = EncodeWorldFile(state.Stored);
    return SaveOutput(call, path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

int SaveOutput(const Invocation& call, const std::string& path, std::string_view bytes) {
    const std::string problem = SaveFile(path, bytes);
    if (!problem.empty()) {
        call.Err << "nibbo-batch: " << path << ": " << problem << '\n';
        return kExitCannotCreate;
    }
    return kExitClean;
}

} // namespace nibbo::batch
