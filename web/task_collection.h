// The task collection as the page offers it to pupils. The build puts each task's text and start
// worlds into the module's folder kTaskFolder, one folder per task named like "14-bis-zur-mauer",
// and the task's pictures beside the page under the same folder names. The goal worlds and the
// solutions are for teachers and are left out. The page lists the tasks, shows a task's text with
// its pictures and loads its start worlds through the session, as "Welt laden" would.
#pragma once

#include <string>
#include <vector>

namespace nibbo {

inline constexpr const char* kTaskFolder = "/aufgaben";

struct Task {
    std::string Folder;
    // The number the folder's name starts with, "" for none.
    std::string Number;
    // The text's first heading; the folder's name when it has none.
    std::string Title;
    // The text without its title as HTML, its pictures taken from the page's copies.
    std::string Html;
    // The start worlds: "welt.wlt", or "welt-1.wlt", "welt-2.wlt", … in the order nibbo-batch runs them.
    std::vector<std::string> Worlds;
};

// The task folders in `folder` as nibbo-batch finds them, in the natural order of their names.
std::vector<Task> FindTasks(const std::string& folder);

// The tasks and the texts of the page's task dialog, for its script.
std::string TasksJson(const std::vector<Task>& tasks);

// The path of a task's start world in `folder`; empty when there is no such task or world.
std::string TaskWorldPath(const std::string& folder, const std::vector<Task>& tasks, int task, int world);

} // namespace nibbo
