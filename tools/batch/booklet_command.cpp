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

#include "resources/task_text.h"
#include "shell/file_io.h"
#include "shell/windows1252.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <ostream>

namespace nibbo::batch {

namespace {

namespace fs = std::filesystem;

constexpr const char* kTaskFile = "aufgabe.md";

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

// Compares names as a person sorts them: runs of digits by their number, so that "2-gang" comes
// before "10-mauer"; names equal that way keep their byte order.
bool NaturalLess(std::string_view a, std::string_view b) {
    const auto isDigit = [](char ch) { return ch >= '0' && ch <= '9'; };
    const auto number = [&](std::string_view text, size_t& at) {
        const size_t start = at;
        while (at < text.size() && isDigit(text[at]))
            ++at;
        std::string_view digits = text.substr(start, at - start);
        return digits.substr(std::min(digits.find_first_not_of('0'), digits.size()));
    };
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const std::string_view x = number(a, i), y = number(b, j);
            if (x.size() != y.size()) return x.size() < y.size();
            if (x != y) return x < y;
        } else {
            if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
            ++i;
            ++j;
        }
    }
    if (a.size() - i != b.size() - j) return a.size() - i < b.size() - j;
    return a < b;
}

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

// The names in a folder in natural order, or nothing after saying why it cannot be read.
std::optional<std::vector<std::string>> FolderNames(const Invocation& call, const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error))
        names.push_back(entry->path().filename().string());
    if (error) {
        const int number = error.value();
        call.Err << "nibbo-batch: " << folder.string() << ": Der Ordner kann nicht gelesen werden. "
                 << (number == ENOENT    ? "Es gibt ihn nicht."
                     : number == ENOTDIR ? "Das ist kein Ordner."
                                         : ReasonFor(number))
                 << '\n';
        return std::nullopt;
    }
    std::sort(names.begin(), names.end(), NaturalLess);
    return names;
}

// The task folders: the folder itself when it holds a task text, else each folder in it that does.
std::optional<std::vector<fs::path>> TaskFolders(const Invocation& call, const fs::path& folder) {
    if (Exists(folder / kTaskFile)) return std::vector<fs::path>{folder};
    const std::optional<std::vector<std::string>> names = FolderNames(call, folder);
    if (!names) return std::nullopt;
    std::vector<fs::path> folders;
    for (const std::string& name : *names)
        if (Exists(folder / name / kTaskFile)) folders.push_back(folder / name);
    if (folders.empty()) {
        call.Err << "nibbo-batch: " << folder.string() << ": Hier ist keine Aufgabe: weder " << kTaskFile
                 << " noch ein Ordner mit " << kTaskFile << ".\n";
        return std::nullopt;
    }
    return folders;
}

struct Task {
    fs::path Folder;
    std::string Number; // the number its folder's name starts with, else its place in the booklet
    std::string Markdown;
    std::vector<std::string> Worlds; // the world files in its folder, in natural order
};

bool IsGoal(const std::string& world) {
    return world.starts_with("ziel");
}

// The folder's own name, also when it was given as "." or with a slash at its end.
std::string FolderName(const fs::path& folder) {
    std::error_code error;
    fs::path full = fs::weakly_canonical(folder, error);
    if (error) full = folder;
    return (full.has_filename() ? full : full.parent_path()).filename().string();
}

// The number a folder's name starts with, as in "14-bis-zur-mauer"; "" for none.
std::string LeadingNumber(const fs::path& folder) {
    const std::string name = FolderName(folder);
    const size_t digits = name.find_first_not_of("0123456789");
    const std::string number = name.substr(0, digits);
    const size_t first = number.find_first_not_of('0');
    return first == std::string::npos ? (number.empty() ? "" : "0") : number.substr(first);
}

// Reads a task's text and finds its worlds, or returns nothing after a message.
std::optional<Task> ReadTask(const Invocation& call, const fs::path& folder, size_t place) {
    Task task{folder, LeadingNumber(folder), {}, {}};
    if (task.Number.empty()) task.Number = std::to_string(place);
    std::optional<std::string> text = ReadTextInput(call, (folder / kTaskFile).string());
    if (!text) return std::nullopt;
    task.Markdown = std::move(*text);
    if (task.Markdown.starts_with("\xEF\xBB\xBF")) task.Markdown.erase(0, 3); // an editor's byte order mark
    const std::optional<std::vector<std::string>> names = FolderNames(call, folder);
    if (!names) return std::nullopt;
    for (const std::string& name : *names)
        if (name.size() > 4 && name.ends_with(".wlt")) task.Worlds.push_back(name);
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
        std::vector<std::string> worlds, goals;
        for (const std::string& world : task.Worlds)
            (IsGoal(world) ? goals : worlds).push_back(world);
        if (!worlds.empty())
            html += "<p class=\"welten\">" + Html(NamesLine("Welt", "Welten", worlds)) + "</p>\n";
        if (solutions_) {
            if (const int problem = Solutions(task, goals, html); problem != kExitClean) return problem;
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
        if (std::find(task.Worlds.begin(), task.Worlds.end(), world) == task.Worlds.end()) {
            call_.Err << "nibbo-batch: " << (task.Folder / kTaskFile).string() << ": Das Bild \"" << target
                      << "\" zeigt keine Welt der Aufgabe. Ein Bild im Heft ist eine Welt aus dem Ordner der "
                         "Aufgabe: welt-1.svg zeigt welt-1.wlt.\n";
            problem_ = kExitDataError;
            return "";
        }
        WorldState state;
        const std::string path = (task.Folder / world).string();
        if ((problem_ = LoadWorld(call_, &path, state)) != kExitClean) return "";
        const std::string idPrefix = std::to_string(++pictures_).insert(0, 1, 'w') + '-';
        return "<span class=\"bild\">" + maker_.SvgElement(state.Current, idPrefix) +
               "<span class=\"bildtext\">" + Html(picture.Alt) + "</span></span>";
    }

    int Solutions(const Task& task, const std::vector<std::string>& goals, std::string& html) {
        html += "<div class=\"loesung\">\n<h2>Lösung</h2>\n";
        bool any = false;
        for (const SolutionFile& file : kSolutionFiles) {
            const fs::path path = task.Folder / file.Name;
            if (!Exists(path)) continue;
            const std::optional<std::string> bytes = ReadTextInput(call_, path.string());
            if (!bytes) return kExitNoInput;
            html += "<p class=\"datei\">" + std::string(file.Kind) + ": " + file.Name + "</p>\n<pre>" +
                    Html(ProgramText(*bytes)) + "</pre>\n";
            any = true;
        }
        if (!any) html += "<p class=\"datei\">Im Ordner der Aufgabe liegt keine Lösung.</p>\n";
        if (!goals.empty())
            html += "<p class=\"ziele\">" + Html(NamesLine("Zielwelt", "Zielwelten", goals)) + "</p>\n";
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
    const std::optional<std::vector<fs::path>> folders = TaskFolders(call, options->Words[0]);
    if (!folders) return kExitNoInput;
    std::vector<Task> tasks;
    for (const fs::path& folder : *folders) {
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
