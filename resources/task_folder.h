// The folders of the task collection, read the same way wherever tasks are used: by nibbo-batch,
// which runs programs on a task's worlds and prints the task booklet, and by the web page, which
// offers the tasks to pupils. A collection is a folder of task folders; a task folder holds the
// task's text and its worlds, each start world "welt….wlt" with its goal world "ziel….wlt".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nibbo {

// The task's text for pupils; a folder that holds it is a task folder.
inline constexpr const char* kTaskTextFile = "aufgabe.md";

// Whether a comes before b when runs of digits are compared as numbers, so that "2-gang" comes
// before "10-mauer" and "welt-2.wlt" before "welt-10.wlt"; names that are the same number written
// differently are ordered as text.
bool NaturalLess(std::string_view a, std::string_view b);

// The number a name starts with, without its leading zeros: "14" for "14-bis-zur-mauer"; "" for none.
std::string LeadingNumber(std::string_view name);

// The folder's own name, also when it is given as "." or with a slash at its end.
std::string FolderName(const std::string& folder);

// The path of a file in a folder, with one slash between them.
std::string InFolder(const std::string& folder, const std::string& name);

// The start world's name with the given suffix: "welt.wlt" for "", "welt-2.wlt" for "-2".
std::string StartWorldName(std::string_view suffix);

// The task folders of a collection as paths: the collection itself when it holds a task text, else
// each folder in it that does, in the natural order of their names. When the collection cannot be
// listed, Problem says why in German ("Den Ordner gibt es nicht.").
struct TaskFolderList {
    std::vector<std::string> Folders;
    std::string Problem;
};
TaskFolderList TaskFolders(const std::string& collection);

// A start world and its goal world, the same text between "welt" or "ziel" and ".wlt": "welt-2.wlt"
// goes with "ziel-2.wlt". Both names are always given, so that a missing one can be named.
struct TaskWorldPair {
    std::string Start, Goal;
    bool HasStart = false, HasGoal = false;
};

// The pairs of a task folder, in the natural order of their names; a pair stands for a start world
// without its goal and for a goal without its start world too. When the folder cannot be listed,
// Problem says why in German.
struct TaskWorldList {
    std::vector<TaskWorldPair> Pairs;
    std::string Problem;

    // The start worlds there are, in order: the worlds pupils load.
    std::vector<std::string> Starts() const;
    // The goal worlds there are, in order.
    std::vector<std::string> Goals() const;

private:
    std::vector<std::string> Present(bool TaskWorldPair::*has, std::string TaskWorldPair::*name) const;
};
TaskWorldList TaskWorlds(const std::string& folder);

} // namespace nibbo
