#include "worlds.h"

#include "shell/file_io.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <ostream>
#include <set>
#include <system_error>

namespace nibbo::batch {

namespace {

constexpr std::string_view kWorldPrefix = "welt";
constexpr std::string_view kGoalPrefix = "ziel";
constexpr std::string_view kWorldExtension = ".wlt";
constexpr const char* kTaskText = "aufgabe.md";
// Of the task's text only its first line, the title, is wanted.
constexpr size_t kTitleBytes = 4096;

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// Whether a comes before b when runs of digits are compared as numbers, so that "-2" comes before
// "-10"; names that are the same number written differently are ordered as text.
bool NaturalLess(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (!IsDigit(a[i]) || !IsDigit(b[j])) {
            if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
            ++i, ++j;
            continue;
        }
        const size_t iEnd = std::find_if_not(a.begin() + ptrdiff_t(i), a.end(), IsDigit) - a.begin();
        const size_t jEnd = std::find_if_not(b.begin() + ptrdiff_t(j), b.end(), IsDigit) - b.begin();
        std::string_view x = a.substr(i, iEnd - i), y = b.substr(j, jEnd - j);
        x.remove_prefix(std::min(x.find_first_not_of('0'), x.size()));
        y.remove_prefix(std::min(y.find_first_not_of('0'), y.size()));
        if (x.size() != y.size()) return x.size() < y.size();
        if (x != y) return x < y;
        i = iEnd, j = jEnd;
    }
    if (i == a.size() && j == b.size()) return a < b;
    return i == a.size();
}

struct Natural {
    bool operator()(const std::string& a, const std::string& b) const { return NaturalLess(a, b); }
};

// What stands between prefix and ".wlt" in a file's name ("-2" in "welt-2.wlt"), or nothing for a
// name of another kind.
std::optional<std::string> Suffix(std::string_view name, std::string_view prefix) {
    if (name.size() < prefix.size() + kWorldExtension.size() || name.substr(0, prefix.size()) != prefix ||
        name.substr(name.size() - kWorldExtension.size()) != kWorldExtension)
        return std::nullopt;
    return std::string(name.substr(prefix.size(), name.size() - prefix.size() - kWorldExtension.size()));
}

std::string FileName(std::string_view prefix, const std::string& suffix) {
    return std::string(prefix) + suffix + std::string(kWorldExtension);
}

std::string InFolder(const std::string& folder, const std::string& name) {
    return folder + (folder.empty() || folder.back() == '/' ? "" : "/") + name;
}

// The folder's own name, also when it is given as "." or with a slash at its end.
std::string FolderName(const std::string& folder) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(folder, error).lexically_normal();
    if (!path.has_filename()) path = path.parent_path();
    const std::string name = path.filename().string();
    return name.empty() ? folder : name;
}

// The title in the first line of the task's text, "# Bis zur Mauer", or "" without one.
std::string Title(const std::string& path) {
    const FileRead read = ReadFileStart(path, kTitleBytes);
    if (!read.Ok()) return "";
    const std::string line = read.Bytes.substr(0, read.Bytes.find('\n'));
    if (line.size() < 2 || line[0] != '#' || line[1] != ' ') return "";
    const size_t first = line.find_first_not_of(' ', 1), last = line.find_last_not_of(" \r");
    return first == std::string::npos || last < first ? "" : line.substr(first, last - first + 1);
}

// The message for a task folder that cannot be listed.
std::string FolderProblem(const std::error_code& error) {
    if (error == std::errc::no_such_file_or_directory) return "Den Ordner gibt es nicht.";
    if (error == std::errc::not_a_directory) return "Das ist kein Ordner.";
    return "Der Ordner kann nicht gelesen werden. " + ReasonFor(error.value());
}

// The suffixes of the task's pairs in order, or nothing after naming on Err the folder's problem
// or every world without its goal and every goal without its world.
std::optional<std::vector<std::string>> PairSuffixes(const Invocation& call, const std::string& folder) {
    std::set<std::string, Natural> worlds, goals;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (std::optional<std::string> suffix = Suffix(name, kWorldPrefix)) worlds.insert(*suffix);
        if (std::optional<std::string> suffix = Suffix(name, kGoalPrefix)) goals.insert(*suffix);
    }
    if (error) {
        call.Err << "nibbo-batch: " << folder << ": " << FolderProblem(error) << '\n';
        return std::nullopt;
    }
    if (worlds.empty()) {
        call.Err << "nibbo-batch: " << folder << ": Im Ordner ist keine Welt (" << FileName(kWorldPrefix, "")
                 << " oder " << FileName(kWorldPrefix, "-1") << ", " << FileName(kWorldPrefix, "-2")
                 << ", ...).\n";
        return std::nullopt;
    }
    bool complete = true;
    const auto lacking = [&](const std::set<std::string, Natural>& these, std::string_view prefix,
                             const std::set<std::string, Natural>& partners, std::string_view partnerPrefix,
                             const char* partner) {
        for (const std::string& suffix : these)
            if (!partners.count(suffix)) {
                call.Err << "nibbo-batch: " << InFolder(folder, FileName(prefix, suffix)) << ": " << partner
                         << ' ' << FileName(partnerPrefix, suffix) << " fehlt.\n";
                complete = false;
            }
    };
    lacking(worlds, kWorldPrefix, goals, kGoalPrefix, "Die Zielwelt");
    lacking(goals, kGoalPrefix, worlds, kWorldPrefix, "Die Welt");
    if (!complete) return std::nullopt;
    return std::vector<std::string>(worlds.begin(), worlds.end());
}

int LoadTask(const Invocation& call, const std::string& folder, Report& report) {
    const std::optional<std::vector<std::string>> suffixes = PairSuffixes(call, folder);
    if (!suffixes) return kExitNoInput;
    report.Task = FolderName(folder);
    report.Title = Title(InFolder(folder, kTaskText));
    for (const std::string& suffix : *suffixes) {
        WorldPair& pair = report.Worlds.emplace_back();
        for (auto [world, prefix] :
             {std::pair{&pair.Start, kWorldPrefix}, std::pair{&pair.Goal.emplace(), kGoalPrefix}}) {
            world->Name = FileName(prefix, suffix);
            const std::string path = InFolder(folder, world->Name);
            if (const int loaded = LoadWorld(call, &path, world->State); loaded != kExitClean) return loaded;
        }
    }
    return kExitClean;
}

} // namespace

bool WorldOptionsFit(const Invocation& call, const Options& options) {
    if (!options.Value("--aufgabe")) return true;
    for (const char* option : {"--world", "--goal", "--save"})
        if (options.Value(option)) {
            call.Err << "nibbo-batch: --aufgabe geht nicht zusammen mit " << option << '\n';
            return false;
        }
    return true;
}

int LoadWorlds(const Invocation& call, const Options& options, Report& report) {
    if (const std::string* folder = options.Value("--aufgabe")) return LoadTask(call, *folder, report);
    WorldPair& pair = report.Worlds.emplace_back();
    const std::string* worldPath = options.Value("--world");
    pair.Start.Name = worldPath ? *worldPath : "";
    if (const int loaded = LoadWorld(call, worldPath, pair.Start.State); loaded != kExitClean) return loaded;
    if (const std::string* goalPath = options.Value("--goal")) {
        pair.Goal.emplace().Name = *goalPath;
        return LoadWorld(call, goalPath, pair.Goal->State);
    }
    return kExitClean;
}

void RunOnEveryWorld(const Invocation& call, const Report& report, std::string_view stoppedEarly,
                     const RunOnWorld& runOne, ReportEntry& entry) {
    const bool task = !report.Task.empty();
    for (size_t i = 0; i < report.Worlds.size() && entry.NotRun.empty(); ++i) {
        const WorldPair& pair = report.Worlds[i];
        if (task) call.Out << "--- " << pair.Start.Name << " ---\n";
        WorldState state = pair.Start.State;
        ReportRun& run = entry.Runs.emplace_back();
        runOne(state, run);
        if (pair.Goal && run.After) {
            const WorldState& after = *run.After;
            run.Verdict = JudgeRun(after.Current, after.Stock.ReadStock(), pair.Goal->State.Stored,
                                   run.ReachedEnd ? "" : stoppedEarly);
            call.Out << VerdictLine(*run.Verdict) << '\n';
            for (const std::string& sentence : ShownDifferences(*run.Verdict))
                call.Out << "  " << sentence << '\n';
            if (run.ExitCode == kExitClean && !run.Verdict->Solved) run.ExitCode = kExitNotSolved;
        }
        entry.ExitCode = std::max(entry.ExitCode, run.ExitCode);
    }
    if (task) call.Out << SolvedWorlds(entry.SolvedWorlds(), report.Worlds.size()) << '\n';
}

} // namespace nibbo::batch
