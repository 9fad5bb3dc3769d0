#include "resources/task_folder.h"

#include "shell/file_io.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <system_error>

namespace nibbo {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kStartPrefix = "welt";
constexpr std::string_view kGoalPrefix = "ziel";
constexpr std::string_view kWorldExtension = ".wlt";

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// The run of digits at the start of text.
std::string_view DigitsAtStart(std::string_view text) {
    return text.substr(0, size_t(std::find_if_not(text.begin(), text.end(), IsDigit) - text.begin()));
}

std::string_view WithoutLeadingZeros(std::string_view digits) {
    return digits.substr(std::min(digits.find_first_not_of('0'), digits.size()));
}

struct Natural {
    bool operator()(std::string_view a, std::string_view b) const { return NaturalLess(a, b); }
};

// The names in a folder, or the sentence saying why it cannot be listed.
std::string ListFolder(const std::string& folder, std::vector<std::string>& names) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string());
    if (!error) return "";
    if (error == std::errc::no_such_file_or_directory) return "Den Ordner gibt es nicht.";
    if (error == std::errc::not_a_directory) return "Das ist kein Ordner.";
    return "Der Ordner kann nicht gelesen werden. " + ReasonFor(error.value());
}

bool HoldsTaskText(const std::string& folder) {
    std::error_code error;
    return fs::exists(InFolder(folder, kTaskTextFile), error);
}

// What stands between prefix and ".wlt" in a file's name ("-2" in "welt-2.wlt"), or nothing for a
// name of another kind.
std::optional<std::string_view> Suffix(std::string_view name, std::string_view prefix) {
    if (name.size() < prefix.size() + kWorldExtension.size() || !name.starts_with(prefix) ||
        !name.ends_with(kWorldExtension))
        return std::nullopt;
    return name.substr(prefix.size(), name.size() - prefix.size() - kWorldExtension.size());
}

std::string WorldName(std::string_view prefix, std::string_view suffix) {
    return std::string(prefix).append(suffix).append(kWorldExtension);
}

} // namespace

bool NaturalLess(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (!IsDigit(a[i]) || !IsDigit(b[j])) {
            if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
            ++i, ++j;
            continue;
        }
        const std::string_view x = DigitsAtStart(a.substr(i)), y = DigitsAtStart(b.substr(j));
        i += x.size(), j += y.size();
        const std::string_view xValue = WithoutLeadingZeros(x), yValue = WithoutLeadingZeros(y);
        if (xValue.size() != yValue.size()) return xValue.size() < yValue.size();
        if (xValue != yValue) return xValue < yValue;
    }
    if (i == a.size() && j == b.size()) return a < b;
    return i == a.size();
}

std::string LeadingNumber(std::string_view name) {
    const std::string_view digits = DigitsAtStart(name);
    const std::string_view value = WithoutLeadingZeros(digits);
    return std::string(value.empty() && !digits.empty() ? "0" : value);
}

std::string FolderName(const std::string& folder) {
    std::error_code error;
    fs::path path = fs::absolute(folder, error).lexically_normal();
    if (!path.has_filename()) path = path.parent_path();
    const std::string name = path.filename().string();
    return name.empty() ? folder : name;
}

std::string InFolder(const std::string& folder, const std::string& name) {
    return folder + (folder.empty() || folder.back() == '/' ? "" : "/") + name;
}

std::string StartWorldName(std::string_view suffix) {
    return WorldName(kStartPrefix, suffix);
}

TaskFolderList TaskFolders(const std::string& collection) {
    TaskFolderList list;
    if (HoldsTaskText(collection)) {
        list.Folders.push_back(collection);
        return list;
    }
    std::vector<std::string> names;
    list.Problem = ListFolder(collection, names);
    std::sort(names.begin(), names.end(), NaturalLess);
    for (const std::string& name : names)
        if (const std::string folder = InFolder(collection, name); HoldsTaskText(folder))
            list.Folders.push_back(folder);
    return list;
}

TaskWorldList TaskWorlds(const std::string& folder) {
    TaskWorldList list;
    std::vector<std::string> names;
    list.Problem = ListFolder(folder, names);
    std::map<std::string, TaskWorldPair, Natural> bySuffix;
    for (const std::string_view name : names) {
        if (const auto suffix = Suffix(name, kStartPrefix)) bySuffix[std::string(*suffix)].HasStart = true;
        if (const auto suffix = Suffix(name, kGoalPrefix)) bySuffix[std::string(*suffix)].HasGoal = true;
    }
    for (auto& [suffix, pair] : bySuffix) {
        pair.Start = WorldName(kStartPrefix, suffix);
        pair.Goal = WorldName(kGoalPrefix, suffix);
        list.Pairs.push_back(std::move(pair));
    }
    return list;
}

std::vector<std::string> TaskWorldList::Starts() const {
    return Present(&TaskWorldPair::HasStart, &TaskWorldPair::Start);
}

std::vector<std::string> TaskWorldList::Goals() const {
    return Present(&TaskWorldPair::HasGoal, &TaskWorldPair::Goal);
}

std::vector<std::string> TaskWorldList::Present(bool TaskWorldPair::*has,
                                                std::string TaskWorldPair::*name) const {
    std::vector<std::string> names;
    for (const TaskWorldPair& pair : Pairs)
        if (pair.*has) names.push_back(pair.*name);
    return names;
}

} // namespace nibbo
