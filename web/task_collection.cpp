#include "web/task_collection.h"

#include "resources/task_text.h"
#include "shell/file_io.h"
#include "web/json.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <tuple>

namespace nibbo {

namespace {

using namespace json;

const char* const kDialogCaption = "Aufgaben";
const char* const kTaskHeading = "Aufgabe ";
const char* const kLoadWorld = "Welt laden";
const char* const kLoadNumberedWorld = "Welt %d laden";

// The number a name starts with, or -1 when it starts with none.
int LeadingNumber(std::string_view name) {
    int number = -1;
    const auto [end, problem] = std::from_chars(name.data(), name.data() + name.size(), number);
    return problem == std::errc() ? number : -1;
}

// Only a plain name of a file beside the task's text is put into the page: no folder, no scheme.
bool PlainName(std::string_view name) {
    return !name.empty() && name.front() != '.' && std::all_of(name.begin(), name.end(), [](char ch) {
        return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
               ch == '-' || ch == '_' || ch == '.';
    });
}

// A picture as the page's copy of the task's file, its description also written beneath it.
std::string PictureHtml(const std::string& folder, const TaskPicture& picture) {
    const std::string alt = EscapeHtml(picture.Alt);
    if (!PlainName(picture.Target)) return alt;
    const std::string source = EscapeHtml("aufgaben/" + folder + "/" + picture.Target);
    return "<span class=\"task-picture\"><img src=\"" + source + "\" alt=\"" + alt +
           "\"><span class=\"task-caption\" aria-hidden=\"true\">" + alt + "</span></span>";
}

// "welt.wlt" is world 0, "welt-3.wlt" world 3; any other name -1.
int StartWorldNumber(const std::string& name) {
    if (name == "welt.wlt") return 0;
    if (!name.starts_with("welt-") || !name.ends_with(".wlt")) return -1;
    const std::string_view digits = std::string_view(name).substr(5, name.size() - 9);
    const int number = LeadingNumber(digits);
    return number > 0 && std::to_string(number) == digits ? number : -1;
}

std::vector<std::string> StartWorlds(const std::filesystem::path& folder) {
    std::vector<std::pair<int, std::string>> found;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
        const std::string name = entry.path().filename().string();
        if (const int number = StartWorldNumber(name); number >= 0) found.emplace_back(number, name);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    for (const auto& world : found)
        names.push_back(world.second);
    return names;
}

std::string LoadCaption(const Task& task, std::size_t world) {
    if (task.Worlds.size() == 1) return kLoadWorld;
    char caption[32];
    std::snprintf(caption, sizeof caption, kLoadNumberedWorld, int(world) + 1);
    return caption;
}

std::string TaskJson(const Task& task) {
    std::vector<std::string> worlds;
    for (std::size_t i = 0; i < task.Worlds.size(); ++i)
        worlds.push_back(Object({{"file", Text(task.Worlds[i])}, {"caption", Text(LoadCaption(task, i))}}));
    const std::string number = task.Number > 0 ? std::to_string(task.Number) : "";
    return Object({{"number", Text(number)},
                   {"title", Text(task.Title)},
                   {"heading", Text(number.empty() ? task.Title : kTaskHeading + number + ": " + task.Title)},
                   {"html", Text(task.Html)},
                   {"worlds", Array(worlds)}});
}

} // namespace

std::vector<Task> FindTasks(const std::string& folder) {
    std::vector<Task> tasks;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
        const FileRead text = ReadTextFileBytes((entry.path() / "aufgabe.md").string());
        if (!text.Ok()) continue;
        Task task;
        task.Folder = entry.path().filename().string();
        task.Number = std::max(0, LeadingNumber(task.Folder));
        task.Title = TaskTitle(text.Bytes);
        if (task.Title.empty()) task.Title = task.Folder;
        task.Html = TaskTextHtml(WithoutTitle(text.Bytes), [&](const TaskPicture& picture) {
            return PictureHtml(task.Folder, picture);
        });
        task.Worlds = StartWorlds(entry.path());
        tasks.push_back(std::move(task));
    }
    std::sort(tasks.begin(), tasks.end(), [](const Task& a, const Task& b) {
        return std::tie(a.Number, a.Folder) < std::tie(b.Number, b.Folder);
    });
    return tasks;
}

std::string TasksJson(const std::vector<Task>& tasks) {
    return Object({{"caption", Text(kDialogCaption)}, {"list", ArrayOf(tasks, TaskJson)}});
}

std::string TaskWorldPath(const std::string& folder, const std::vector<Task>& tasks, int task, int world) {
    if (task < 0 || std::size_t(task) >= tasks.size()) return {};
    const Task& chosen = tasks[std::size_t(task)];
    if (world < 0 || std::size_t(world) >= chosen.Worlds.size()) return {};
    return folder + "/" + chosen.Folder + "/" + chosen.Worlds[std::size_t(world)];
}

} // namespace nibbo
