#include "worlds.h"

#include "resources/task_folder.h"
#include "resources/task_text.h"
#include "shell/file_io.h"

#include <algorithm>
#include <optional>
#include <ostream>

namespace nibbo::batch {

namespace {

// Of the task's text only its first line, the title, is wanted.
constexpr size_t kTitleBytes = 4096;

// The title in the first line of the task's text, "# Bis zur Mauer", or "" without one.
std::string Title(const std::string& path) {
    const FileRead read = ReadFileStart(path, kTitleBytes);
    return read.Ok() ? TaskTitle(read.Bytes) : "";
}

// The task's pairs in order, or nothing after naming on Err the folder's problem or every world
// without its goal and every goal without its world.
std::optional<std::vector<TaskWorldPair>> TaskPairs(const Invocation& call, const std::string& folder) {
    TaskWorldList list = TaskWorlds(folder);
    if (!list.Problem.empty()) {
        CannotRead(call, folder, list.Problem);
        return std::nullopt;
    }
    if (list.Starts().empty()) {
        call.Err << "nibbo-batch: " << folder << ": Im Ordner ist keine Welt (" << StartWorldName("")
                 << " oder " << StartWorldName("-1") << ", " << StartWorldName("-2") << ", ...).\n";
        return std::nullopt;
    }
    bool complete = true;
    for (const TaskWorldPair& pair : list.Pairs)
        if (!pair.HasGoal) {
            call.Err << "nibbo-batch: " << InFolder(folder, pair.Start) << ": Die Zielwelt " << pair.Goal
                     << " fehlt.\n";
            complete = false;
        }
    for (const TaskWorldPair& pair : list.Pairs)
        if (!pair.HasStart) {
            call.Err << "nibbo-batch: " << InFolder(folder, pair.Goal) << ": Die Welt " << pair.Start
                     << " fehlt.\n";
            complete = false;
        }
    if (!complete) return std::nullopt;
    return std::move(list.Pairs);
}

int LoadTask(const Invocation& call, const std::string& folder, Report& report) {
    const std::optional<std::vector<TaskWorldPair>> pairs = TaskPairs(call, folder);
    if (!pairs) return kExitNoInput;
    report.Task = FolderName(folder);
    report.Title = Title(InFolder(folder, kTaskTextFile));
    for (const TaskWorldPair& names : *pairs) {
        WorldPair& pair = report.Worlds.emplace_back();
        for (auto [world, name] :
             {std::pair{&pair.Start, &names.Start}, std::pair{&pair.Goal.emplace(), &names.Goal}}) {
            world->Name = *name;
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
