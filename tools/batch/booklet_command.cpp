// nibbo-batch aufgaben [--loesungen] ORDNER HEFT: the tasks of a collection as one booklet to print,
// a single HTML page that holds its pictures. A title page lists the tasks; then each task has a page
// of its own with its text, every picture drawn from the task's own world file (never taken from
// the .svg beside it, which may be out of date), and the worlds pupils load. The teacher's copy adds
// each task's solutions and goal worlds. A task whose text shows a picture of no world it has is
// refused, so that no booklet prints with a hole in it.
#include "batch.h"
#include "html_page.h"
#include "options.h"
#include "picture_maker.h"

#include "resources/task_folder.h"
#include "resources/task_text.h"
#include "shell/file_io.h"
#include "shell/windows1252.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

namespace nibbo::batch {

namespace {

// The files of the teacher's copy, in the order it shows them, with what each holds.
struct SolutionFile {
    const char* Name;
    const char* Kind;
};
constexpr SolutionFile kSolutionFiles[] = {{"loesung.pas", "Programm"}, {"loesung.afz", "Aufzeichnung"}};

// The booklet's own rules, after the style the pages share. Two pictures fit side by side, and a
// task with three pairs of them still fits on its page with its text. A picture, a short code and
// a solution move to the next page whole rather than being cut; a solution longer than a page
// goes on over the next.
constexpr const char* kStyle = R"(
header h1 { font-size: 28pt; margin: 30mm 0 3mm; }
.ausgabe { font-size: 13pt; color: #444; margin-bottom: 10mm; }
table.inhalt { border-collapse: collapse; width: 100%; font-size: 11pt; }
table.inhalt td { border-bottom: 1px solid #ccc; padding: 1.5mm 2mm; vertical-align: top; }
table.inhalt .nummer { text-align: right; width: 8mm; }
table.inhalt .thema { color: #555; font-size: 9.5pt; }
section p, section li { font-size: 11pt; line-height: 1.35; margin: 1.5mm 0; }
section h1 { margin-bottom: 3mm; }
.bild { display: inline-block; width: 38%; margin: 1mm 3% 1mm 0; vertical-align: top; break-inside: avoid; }
.bild svg { display: block; width: 100%; height: auto; }
.bildtext { display: block; font-size: 9pt; color: #333; margin-top: 0.5mm; }
code, pre { font-family: "DejaVu Sans Mono", monospace; }
code { font-size: 95%; }
pre { font-size: 10pt; background: #f3f3f3; padding: 2mm 3mm; margin: 1mm 0 3mm; white-space: pre-wrap;
      tab-size: 4; break-inside: avoid; }
.welten { margin-top: 4mm; font-weight: bold; }
.loesung { margin-top: 5mm; padding-top: 2mm; border-top: 1px solid #999; break-inside: avoid; }
.loesung h2 { font-size: 12pt; }
.loesung pre { break-inside: auto; }
)";

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The task folders, or nothing after saying why there are none.
std::optional<std::vector<std::string>> Folders(const Invocation& call, const std::string& collection) {
    TaskFolderList list = TaskFolders(collection);
    if (!list.Problem.empty()) {
        CannotRead(call, collection, list.Problem);
        return std::nullopt;
    }
    if (list.Folders.empty()) {
        call.Err << "nibbo-batch: " << collection << ": Hier ist keine Aufgabe: weder " << kTaskTextFile
                 << " noch ein Ordner mit " << kTaskTextFile << ".\n";
        return std::nullopt;
    }
    return std::move(list.Folders);
}

struct Task {
    std::string Folder;
    std::string Number; // the number its folder's name starts with, else its place in the booklet
    std::string Markdown;
    std::vector<std::string> Worlds; // the start worlds, in the order of their pairs
    std::vector<std::string> Goals;  // the goal worlds, in the same order
};

// Reads a task's text and finds its worlds, or returns nothing after a message.
std::optional<Task> ReadTask(const Invocation& call, const std::string& folder, size_t place) {
    Task task{folder, LeadingNumber(FolderName(folder)), {}, {}, {}};
    if (task.Number.empty()) task.Number = std::to_string(place);
    std::optional<std::string> text = ReadTextInput(call, InFolder(folder, kTaskTextFile));
    if (!text) return std::nullopt;
    task.Markdown = std::move(*text);
    const TaskWorldList worlds = TaskWorlds(folder);
    if (!worlds.Problem.empty()) {
        CannotRead(call, folder, worlds.Problem);
        return std::nullopt;
    }
    task.Worlds = worlds.Starts();
    task.Goals = worlds.Goals();
    return task;
}

std::string Title(const Task& task) {
    const std::string title = TaskTitle(task.Markdown);
    return title.empty() ? FolderName(task.Folder) : title;
}

// "Welten: welt-1.wlt, welt-2.wlt" or "Welt: welt.wlt"; "" without any.
std::string NamesLine(const char* one, const char* many, const std::vector<std::string>& names) {
    if (names.empty()) return "";
    std::string line = std::string(names.size() == 1 ? one : many) + ": ";
    for (size_t i = 0; i < names.size(); ++i)
        line += (i ? ", " : "") + names[i];
    return line;
}

// A program or recording as the editor shows it: its Windows-1252 bytes as text, with one kind of
// line break and without the empty lines at its end.
std::string ProgramText(const std::string& bytes) {
    std::string text = Utf8FromUtf16(NormalizeLineBreaks(DecodeWindows1252(bytes)));
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

class BookletWriter {
public:
    BookletWriter(const Invocation& call, bool solutions) : call_(call), solutions_(solutions) {}

    // The page, or the exit code of the first problem after its message.
    int Page(const std::vector<Task>& tasks, std::string& html) {
        html = PageStart(solutions_ ? "Nibbos Aufgaben mit Lösungen" : "Nibbos Aufgaben", kStyle) +
               TitlePage(tasks);
        for (size_t i = 0; i < tasks.size(); ++i)
            if (const int problem = TaskPage(tasks[i], Anchor(i), html); problem != kExitClean)
                return problem;
        html += kPageEnd;
        return kExitClean;
    }

private:
    static std::string Anchor(size_t index) { return "aufgabe-" + std::to_string(index + 1); }

    std::string TitlePage(const std::vector<Task>& tasks) const {
        std::string html = "<header>\n<h1>Nibbos Aufgaben</h1>\n";
        if (solutions_) html += "<p class=\"ausgabe\">Für die Lehrkraft: mit den Lösungen</p>\n";
        html += "<table class=\"inhalt\">\n<tbody>\n";
        for (size_t i = 0; i < tasks.size(); ++i)
            html += "<tr><td class=\"nummer\">" + Html(tasks[i].Number) +
                    "</td><td class=\"titel\"><a href=\"#" + Anchor(i) + "\">" + Html(Title(tasks[i])) +
                    "</a></td><td class=\"thema\">" + Html(TaskTopic(tasks[i].Markdown)) + "</td></tr>\n";
        return html + "</tbody>\n</table>\n</header>\n";
    }

    int TaskPage(const Task& task, const std::string& anchor, std::string& html) {
        html += "<section id=\"" + anchor + "\">\n<h1>Aufgabe " + Html(task.Number) + ": " +
                Html(Title(task)) + "</h1>\n";
        html += TaskTextHtml(WithoutTitle(task.Markdown),
                             [&](const TaskPicture& picture) { return Picture(task, picture); });
        if (problem_ != kExitClean) return problem_;
        if (!task.Worlds.empty())
            html += "<p class=\"welten\">" + Html(NamesLine("Welt", "Welten", task.Worlds)) + "</p>\n";
        if (solutions_) {
            if (const int problem = Solutions(task, html); problem != kExitClean) return problem;
        }
        html += "</section>\n";
        return kExitClean;
    }

    // A picture of one of the task's worlds, as render draws it, with its text below it.
    std::string Picture(const Task& task, const TaskPicture& picture) {
        if (problem_ != kExitClean) return "";
        const std::string& target = picture.Target;
        const std::string world =
            target.ends_with(".svg") ? target.substr(0, target.size() - 4) + ".wlt" : "";
        if (!Contains(task.Worlds, world) && !Contains(task.Goals, world)) {
            call_.Err << "nibbo-batch: " << InFolder(task.Folder, kTaskTextFile) << ": Das Bild \"" << target
                      << "\" zeigt keine Welt der Aufgabe. Ein Bild im Heft ist eine Welt aus dem Ordner der "
                         "Aufgabe: welt-1.svg zeigt welt-1.wlt.\n";
            problem_ = kExitDataError;
            return "";
        }
        WorldState state;
        const std::string path = InFolder(task.Folder, world);
        if ((problem_ = LoadWorld(call_, &path, state)) != kExitClean) return "";
        const std::string idPrefix = std::to_string(++pictures_).insert(0, 1, 'w') + '-';
        return "<span class=\"bild\">" + maker_.SvgElement(state.Current, idPrefix) +
               "<span class=\"bildtext\">" + Html(picture.Alt) + "</span></span>";
    }

    int Solutions(const Task& task, std::string& html) {
        html += "<div class=\"loesung\">\n<h2>Lösung</h2>\n";
        bool any = false;
        for (const SolutionFile& file : kSolutionFiles) {
            const std::string path = InFolder(task.Folder, file.Name);
            if (!Exists(path)) continue;
            const std::optional<std::string> bytes = ReadTextInput(call_, path);
            if (!bytes) return kExitNoInput;
            html += "<p class=\"datei\">" + std::string(file.Kind) + ": " + file.Name + "</p>\n<pre>" +
                    Html(ProgramText(*bytes)) + "</pre>\n";
            any = true;
        }
        if (!any) html += "<p class=\"datei\">Im Ordner der Aufgabe liegt keine Lösung.</p>\n";
        if (!task.Goals.empty())
            html += "<p class=\"ziele\">" + Html(NamesLine("Zielwelt", "Zielwelten", task.Goals)) + "</p>\n";
        html += "</div>\n";
        return kExitClean;
    }

    const Invocation& call_;
    const bool solutions_;
    PictureMaker maker_;
    int pictures_ = 0;
    int problem_ = kExitClean; // the first problem a picture met, once its message is out
};

} // namespace

int BookletCommand(const Invocation& call) {
    const std::optional<Options> options = ParseOptions(call, {}, {"--loesungen"});
    if (!options || options->Words.size() != 2) return BadUsage(call);
    const std::optional<std::vector<std::string>> folders = Folders(call, options->Words[0]);
    if (!folders) return kExitNoInput;
    std::vector<Task> tasks;
    for (const std::string& folder : *folders) {
        std::optional<Task> task = ReadTask(call, folder, tasks.size() + 1);
        if (!task) return kExitNoInput;
        tasks.push_back(std::move(*task));
    }
    std::string html;
    if (const int problem = BookletWriter(call, options->Has("--loesungen")).Page(tasks, html);
        problem != kExitClean)
        return problem;
    return SaveOutput(call, options->Words[1], html);
}

} // namespace nibbo::batch
