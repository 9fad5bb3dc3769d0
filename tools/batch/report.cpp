#include "report.h"

#include "html_page.h"
#include "picture_maker.h"
#include "world/world_surface.h"

#include <QString>
#include <ctime>
#include <map>
#include <utility>

namespace nibbo::batch {

namespace {

// Device pixels for each pixel of the view: sharp on paper at the size of half a page.
constexpr int kPictureScale = 2;
// The frame round a differing cell, drawn inside the cell so that marks of neighbours stay apart.
constexpr double kMarkWidth = 4;

// The report's own rules, after the style the pages share.
constexpr const char* kStyle = R"(
.angaben { color: #444; }
.zaehlung { font-size: 14pt; font-weight: bold; margin: 3mm 0; }
.geloest { color: #0a6b1f; font-weight: bold; }
.nicht-geloest { color: #b00000; font-weight: bold; }
.bilder { display: flex; gap: 4mm; margin: 3mm 0; }
figure { flex: 0 1 50%; margin: 0; break-inside: avoid; }
figcaption { font-size: 9.5pt; color: #333; margin-top: 1mm; }
svg.welt { display: block; width: 100%; height: auto; }
pre.meldungen { font-size: 9.5pt; background: #f3f3f3; padding: 2mm; white-space: pre-wrap; margin: 1mm 0; }
ul.unterschiede { margin: 1mm 0; padding-left: 6mm; }
table.uebersicht { border-collapse: collapse; width: 100%; font-size: 9.5pt; margin-top: 4mm; }
table.uebersicht th, table.uebersicht td { border-bottom: 1px solid #ccc; text-align: left; padding: 0.8mm 2mm; }
table.uebersicht .zahl { text-align: right; }
h3 { font-size: 12pt; margin: 0 0 1mm; }
.paare { display: flex; flex-wrap: wrap; gap: 3mm 6mm; margin: 3mm 0; }
.paar { flex: 0 1 calc(50% - 3mm); display: flex; gap: 2mm; }
.paar figure { flex: 1 1 50%; }
.welten { font-size: 12pt; margin: 2mm 0; }
.lauf { break-inside: avoid; margin-top: 6mm; }
)";

// A count with the German thousands separator: 1.000.000.
std::string Count(uint64_t value) {
    std::string digits = std::to_string(value);
    for (int i = int(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(size_t(i), 1, '.');
    return digits;
}

std::string Now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    std::strftime(text, sizeof text, "am %d.%m.%Y um %H:%M Uhr", &local);
    return text;
}

// The differing cells in reading order, each with the sentences that concern it.
using Marks = std::map<std::pair<int, int>, std::string>;

Marks MarksOf(const GoalVerdict& verdict) {
    Marks marks;
    for (const GoalDifference& difference : verdict.Differences)
        for (const CellPlace& cell : difference.Cells) {
            std::string& title = marks[{cell.Row, cell.Column}];
            title += (title.empty() ? "" : " ") + difference.Sentence;
        }
    return marks;
}

std::string Number(double value) {
    return QString::number(value, 'g', 6).toStdString();
}

// One world picture: the PNG inside the page, every mark a frame over its cell, its sentences the
// frame's tooltip.
std::string Picture(const std::string& png, const Marks& marks, const std::string& caption) {
    const std::string width = std::to_string(kViewWidth), height = std::to_string(kViewHeight);
    std::string html = "<figure><svg class=\"welt\" viewBox=\"0 0 " + width + ' ' + height +
                       "\" role=\"img\" aria-label=\"" + Html(caption) + "\"><image width=\"" + width +
                       "\" height=\"" + height + "\" href=\"data:image/png;base64," + png + "\"/>";
    for (const auto& [place, title] : marks) {
        const QRectF cell = TWorldSurface::CellRect(place.second, place.first);
        const QRectF frame = cell.adjusted(kMarkWidth / 2, kMarkWidth / 2, -kMarkWidth / 2, -kMarkWidth / 2);
        html += "<rect class=\"unterschied\" x=\"" + Number(frame.x()) + "\" y=\"" + Number(frame.y()) +
                "\" width=\"" + Number(frame.width()) + "\" height=\"" + Number(frame.height()) +
                "\"><title>" + Html(title) + "</title></rect>";
    }
    return html + "</svg><figcaption>" + Html(caption) + "</figcaption></figure>\n";
}

std::string StockNote(const WorldState& state) {
    return " (Vorrat: " + std::to_string(state.Stock.ReadStock()) + ")";
}

std::string WorldName(const ReportWorld& world) {
    return world.Name.empty() ? "die leere Welt" : world.Name;
}

// Writes the page; the pictures are made once each, each goal's for all sections. A report on a
// single world shows it in the head and each program's run in its section; a report on a task
// shows all its worlds in the head and each program's runs one below the other, each under the
// name of its world.
class ReportWriter {
public:
    explicit ReportWriter(const Report& report) : report_(report), goalPngs_(report.Worlds.size()) {}

    std::string Page() {
        const std::string style =
            kStyle + (".unterschied { fill: #ff2020; fill-opacity: 0.2; stroke: #ff2020; "
                      "stroke-width: " +
                      Number(kMarkWidth) + "; }\n");
        std::string html = PageStart("Nibbo-Bericht: " + Subject(), style);
        html += Head();
        for (size_t i = 0; i < report_.Entries.size(); ++i)
            html += Section(i, report_.Entries[i]);
        return html + std::string(kPageEnd);
    }

private:
    bool IsTask() const { return !report_.Task.empty(); }

    // What the report is about: the task's title (or its folder), or the single world.
    std::string Subject() const {
        if (!IsTask()) return WorldName(report_.Worlds.front().Start);
        return report_.Title.empty() ? report_.Task : report_.Title;
    }

    std::string Png(const WorldState& state) {
        return maker_.Png(state.Current, kPictureScale).toBase64().toStdString();
    }

    const std::string& GoalPng(size_t world) {
        std::string& png = goalPngs_[world];
        if (png.empty()) png = Png(report_.Worlds[world].Goal->State);
        return png;
    }

    std::string What() const { return report_.Recordings ? "Aufzeichnung" : "Programm"; }

    std::string Steps() const { return report_.Recordings ? "Anweisungen" : "Schritte"; }

    static std::string Anchor(size_t index) { return "nr" + std::to_string(index + 1); }

    static std::string SolvedClass(bool solved) {
        return solved ? " class=\"geloest\"" : " class=\"nicht-geloest\"";
    }

    // For the overview: solved, how many worlds of a task, or without a goal how it ended.
    std::string Result(const ReportEntry& entry) const {
        if (!entry.NotRun.empty()) return entry.NotRun;
        if (IsTask())
            return entry.Solved() ? VerdictLine(true) : SolvedWorlds(entry.SolvedWorlds(), entry.Runs.size());
        const ReportRun& run = entry.Runs.front();
        return run.Verdict ? VerdictLine(*run.Verdict) : run.Outcome;
    }

    std::string ResultClass(const ReportEntry& entry) const {
        if (!entry.NotRun.empty()) return "";
        if (IsTask()) return SolvedClass(entry.Solved());
        const std::optional<GoalVerdict>& verdict = entry.Runs.front().Verdict;
        return verdict ? SolvedClass(verdict->Solved) : "";
    }

    std::string Head() {
        std::string html = "<header>\n<h1>Nibbo-Bericht" +
                           (IsTask() && !report_.Title.empty() ? ": " + Html(report_.Title) : "") +
                           "</h1>\n<p class=\"angaben\">" + Details() + " · erstellt " + Now() + "</p>\n";
        if (report_.Judged() && !report_.Recordings) {
            size_t solved = 0;
            for (const ReportEntry& entry : report_.Entries)
                solved += entry.Solved();
            html += "<p class=\"zaehlung\">" + Html(SolvedCount(solved, report_.Entries.size())) + "</p>\n";
        }
        html += IsTask() ? TaskWorlds() : SingleWorld();
        html += "<table class=\"uebersicht\">\n<thead><tr><th>Nr.</th><th>" + What() +
                "</th><th>Ergebnis</th><th class=\"zahl\">Rückgabewert</th><th class=\"zahl\">" + Steps() +
                "</th></tr></thead>\n<tbody>\n";
        for (size_t i = 0; i < report_.Entries.size(); ++i) {
            const ReportEntry& entry = report_.Entries[i];
            html += "<tr><td>" + std::to_string(i + 1) + "</td><td><a href=\"#" + Anchor(i) + "\">" +
                    Html(entry.Name) + "</a></td><td" + ResultClass(entry) + ">" + Html(Result(entry)) +
                    "</td><td class=\"zahl\">" + std::to_string(entry.ExitCode) + "</td><td class=\"zahl\">" +
                    Count(entry.Steps()) + "</td></tr>\n";
        }
        return html + "</tbody>\n</table>\n</header>\n";
    }

    std::string Details() const {
        if (IsTask()) return "Aufgabe: " + Html(report_.Task);
        const WorldPair& pair = report_.Worlds.front();
        return "Welt: " + Html(WorldName(pair.Start)) +
               (pair.Goal ? " · Zielwelt: " + Html(pair.Goal->Name) : "");
    }

    std::string SingleWorld() {
        const WorldPair& pair = report_.Worlds.front();
        std::string html = "<div class=\"bilder\">\n" +
                           Picture(Png(pair.Start.State), {},
                                   "Welt: " + WorldName(pair.Start) + StockNote(pair.Start.State));
        if (pair.Goal)
            html += Picture(GoalPng(0), {}, "Zielwelt: " + pair.Goal->Name + StockNote(pair.Goal->State));
        return html + "</div>\n";
    }

    // Every world of the task beside its goal, two pairs to a row.
    std::string TaskWorlds() {
        std::string html = "<div class=\"paare\">\n";
        for (size_t i = 0; i < report_.Worlds.size(); ++i) {
            const WorldPair& pair = report_.Worlds[i];
            html += "<div class=\"paar\">\n" +
                    Picture(Png(pair.Start.State), {}, pair.Start.Name + StockNote(pair.Start.State)) +
                    Picture(GoalPng(i), {}, pair.Goal->Name + StockNote(pair.Goal->State)) + "</div>\n";
        }
        return html + "</div>\n";
    }

    std::string Numbers(int exitCode, uint64_t steps) const {
        return "<p class=\"zahlen\">Rückgabewert: " + std::to_string(exitCode) + " · " + Steps() + ": " +
               Count(steps) + "</p>\n";
    }

    std::string Section(size_t index, const ReportEntry& entry) {
        std::string html = "<section id=\"" + Anchor(index) + "\">\n<h2>" + std::to_string(index + 1) + ". " +
                           Html(entry.Name) + "</h2>\n";
        if (!entry.NotRun.empty()) {
            html += "<p class=\"ergebnis\">" + Html(entry.NotRun) + "</p>\n" + Numbers(entry.ExitCode, 0);
            if (!entry.Messages.empty()) {
                html += "<p>Meldungen der Syntax-Überprüfung:</p>\n<pre class=\"meldungen\">";
                for (const std::string& message : entry.Messages)
                    html += Html(message) + '\n';
                html += "</pre>\n";
            }
        } else if (!IsTask()) {
            html += Run(entry.Runs.front(), 0, entry.ExitCode);
        } else {
            html += "<p class=\"welten\"><span" + SolvedClass(entry.Solved()) + ">" +
                    Html(SolvedWorlds(entry.SolvedWorlds(), entry.Runs.size())) + "</span></p>\n" +
                    Numbers(entry.ExitCode, entry.Steps());
            for (size_t i = 0; i < entry.Runs.size(); ++i)
                html += "<div class=\"lauf\">\n<h3>" + Html(report_.Worlds[i].Start.Name) + "</h3>\n" +
                        Run(entry.Runs[i], i, entry.Runs[i].ExitCode) + "</div>\n";
        }
        return html + "</section>\n";
    }

    // One run on the world with the given index: how it ended, the verdict, and the world it left
    // beside the goal.
    std::string Run(const ReportRun& run, size_t world, int exitCode) {
        std::string html = "<p class=\"ergebnis\">" + Html(run.Outcome) + "</p>\n";
        if (run.Verdict)
            html += "<p class=\"urteil\"><span" + SolvedClass(run.Verdict->Solved) + ">" +
                    VerdictLine(*run.Verdict) + "</span></p>\n";
        html += Numbers(exitCode, run.Steps);
        if (!run.After) return html;

        const WorldPair& pair = report_.Worlds[world];
        const Marks marks = run.Verdict ? MarksOf(*run.Verdict) : Marks();
        html +=
            "<div class=\"bilder\">\n" +
            Picture(Png(*run.After), marks,
                    (report_.Recordings ? "Nach dem Abspielen" : "Nach dem Lauf") + StockNote(*run.After));
        if (pair.Goal) html += Picture(GoalPng(world), marks, "Zielwelt" + StockNote(pair.Goal->State));
        html += "</div>\n";
        if (run.Verdict && !run.Verdict->Solved) {
            html += "<ul class=\"unterschiede\">\n";
            for (const std::string& sentence : ShownDifferences(*run.Verdict))
                html += "<li>" + Html(sentence) + "</li>\n";
            html += "</ul>\n";
        }
        return html;
    }

    const Report& report_;
    PictureMaker maker_;
    std::vector<std::string> goalPngs_; // made when first shown
};

} // namespace

int WriteReport(const Invocation& call, const std::string& path, const Report& report) {
    return SaveOutput(call, path, ReportWriter(report).Page());
}

} // namespace nibbo::batch
