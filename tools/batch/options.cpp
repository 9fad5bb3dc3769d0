#include "options.h"

#include "world/world_file.h"

#include <cstdio>
#include <ostream>

namespace nibbo::batch {

const std::string* Options::Value(const std::string& option) const {
    const auto found = Values.find(option);
    return found == Values.end() ? nullptr : &found->second;
}

std::optional<Options> ParseOptions(const std::vector<std::string>& arguments,
                                    const std::set<std::string>& withValue, const std::set<std::string>& flags) {
    Options options;
    bool onlyWords = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (onlyWords || word.size() < 2 || word.compare(0, 2, "--") != 0) {
            options.Words.push_back(word);
        } else if (word == "--") {
            onlyWords = true;
        } else if (withValue.count(word)) {
            if (i + 1 >= arguments.size()) return std::nullopt;
            options.Values[word] = arguments[++i];
        } else if (flags.count(word)) {
            options.Flags.insert(word);
        } else {
            return std::nullopt;
        }
    }
    return options;
}

int LoadWorld(const Invocation& call, const std::string* path, WorldState& state) {
    if (!path) {
        ClearWorld(state.Current);
        StoreWorld(state.Current, state.Stock, state.Stored);
    } else {
        std::string reason;
        const std::optional<std::string> bytes = ReadWholeFile(*path, reason);
        if (!bytes) return CannotRead(call, *path, reason);
        const WorldFileReading reading =
            DecodeWorldFile({reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()});
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
    // Written beside the target first, so that a failed write leaves an existing file whole.
    const std::string temporary = path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file) written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        call.Err << "nibbo-batch: " << path << ": Datei kann nicht geschrieben werden\n";
        return kExitCannotCreate;
    }
    return kExitClean;
}

} // namespace nibbo::batch
