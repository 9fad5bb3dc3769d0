#include "web/task_collection.h"

#include "resources/task_folder.h"
#include "resources/task_text.h"
#include "shell/file_io.h"
#include "web/json.h"

#include <algorithm>
#include <cstdio>

namespace nibbo {

namespace {

using namespace json;

const char* const kDialogCaption = "Aufgaben";
const char* const kTaskHeading = "Aufgabe ";
const char* const kLoadWorld = "Welt laden";
const char* const kLoadNumberedWorld = "Welt %d laden";

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
    return Object(
        {{"number", Text(task.Number)},
         {"title", Text(task.Title)},
         {"heading", Text(task.Number.empty() ? task.Title : kTaskHeading + task.Number + ": " + task.Title)},
         {"html", Text(task.Html)},
         {"worlds", Array(worlds)}});
}

} // namespace

std::vector<Task> FindTasks(const std::string& folder) {
    std::vector<Task> tasks;
    for (const std::string& path : TaskFolders(folder).Folders) {
        const FileRead text = ReadTextFileBytes(InFolder(path, kTaskTextFile));
        if (!text.Ok()) continue;
        Task task;
        task.Folder = FolderName(path);
        task.Number = LeadingNumber(task.Folder);
        task.Title = TaskTitle(text.Bytes);
        if (task.Title.empty()) task.Title = task.Folder;
        task.Html = TaskTextHtml(WithoutTitle(text.Bytes), [&](const TaskPicture& picture) {
            return PictureHtml(task.Folder, picture);
        });
        task.Worlds = TaskWorlds(path).Starts();
        tasks.push_back(std::move(task));
    }
    return tasks;
}

std::string TasksJson(const std::vector<Task>& tasks) {
    return Object({{"caption", Text(kDialogCaption)}, {"list", ArrayOf(tasks, TaskJson)}});
}

std::string TaskWorldPath(const std::string& folder, const std::vector<Task>& tasks, int task, int world) {
    if (task < 0 || std::size_t(task) >= tasks.size()) return {};
    const Task& chosen = tasks[std::size_t(task)];
    if (world < 0 || std::size_t(world) >= chosen.Worlds.size()) return {};
    return InFolder(InFolder(folder, chosen.Folder), chosen.Worlds[std::size_t(world)]);
}

} // namespace nibbo
