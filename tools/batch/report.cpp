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

// Writes the page; the pictures are made once each, the goal's for all sections.
class ReportWriter {
public:
    explicit ReportWriter(const Report& report) : report_(report) {}

    std::string Page() {
        const std::string style =
            kStyle + (".unterschied { fill: #ff2020; fill-opacity: 0.2; stroke: #ff2020; "
                      "stroke-width: " +
                      Number(kMarkWidth) + "; }\n");
        std::string html = PageStart("Nibbo-Bericht: " + WorldName(report_.Task), style);
        html += Head();
        for (size_t i = 0; i < report_.Entries.size(); ++i)
            html += Section(i, report_.Entries[i]);
        return html + std::string(kPageEnd);
    }

private:
    std::string Png(const WorldState& state) {
        return maker_.Png(state.Current, kPictureScale).toBase64().toStdString();
    }

    const std::string& GoalPng() {
        if (goalPng_.empty()) goalPng_ = Png(report_.Goal->State);
        return goalPng_;
    }

    std::string What() const { return report_.Recordings ? "Aufzeichnung" : "Programm"; }

    // Solved, or without a goal run to the end, for the count and the overview.
    std::string Result(const ReportEntry& entry) const {
        return entry.Verdict ? VerdictLine(*entry.Verdict) : entry.Outcome;
    }

    std::string ResultClass(const ReportEntry& entry) const {
        if (!entry.Verdict) return "";
        return entry.Verdict->Solved ? " class=\"geloest\"" : " class=\"nicht-geloest\"";
    }

    std::string Head() {
        std::string html =
            "<header>\n<h1>Nibbo-Bericht</h1>\n<p class=\"angaben\">Welt: " + Html(WorldName(report_.Task)) +
            (report_.Goal ? " · Zielwelt: " + Html(report_.Goal->Name) : "") + " · erstellt " + Now() +
            "</p>\n";
        if (report_.Goal) {
            size_t solved = 0;
            for (const ReportEntry& entry : report_.Entries)
                solved += entry.Verdict && entry.Verdict->Solved;
            html += "<p class=\"zaehlung\">" + Html(SolvedCount(solved, report_.Entries.size())) + "</p>\n";
        }
        html += "<div class=\"bilder\">\n" +
                Picture(Png(report_.Task.State), {},
                        "Welt: " + WorldName(report_.Task) + StockNote(report_.Task.State));
        if (report_.Goal)
            html +=
                Picture(GoalPng(), {}, "Zielwelt: " + report_.Goal->Name + StockNote(report_.Goal->State));
        html += "</div>\n<table class=\"uebersicht\">\n<thead><tr><th>Nr.</th><th>" + What() +
                "</th><th>Ergebnis</th><th class=\"zahl\">Rückgabewert</th><th class=\"zahl\">" + Steps() +
                "</th></tr></thead>\n<tbody>\n";
        for (size_t i = 0; i < report_.Entries.size(); ++i) {
            const ReportEntry& entry = report_.Entries[i];
            html += "<tr><td>" + std::to_string(i + 1) + "</td><td><a href=\"#" + Anchor(i) + "\">" +
                    Html(entry.Name) + "</a></td><td" + ResultClass(entry) + ">" + Html(Result(entry)) +
                    "</td><td class=\"zahl\">" + std::to_string(entry.ExitCode) + "</td><td class=\"zahl\">" +
                    Count(entry.Steps) + "</td></tr>\n";
        }
        return html + "</tbody>\n</table>\n</header>\n";
    }

    std::string Steps() const { return report_.Recordings ? "Anweisungen" : "Schritte"; }

    static std::string Anchor(size_t index) { return "nr" + std::to_string(index + 1); }

    std::string Section(size_t index, const ReportEntry& entry) {
        std::string html = "<section id=\"" + Anchor(index) + "\">\n<h2>" + std::to_string(index + 1) + ". " +
                           Html(entry.Name) + "</h2>\n<p class=\"ergebnis\">" + Html(entry.Outcome) +
                           "</p>\n";
        if (entry.Verdict)
            html += "<p class=\"urteil\"><span" + ResultClass(entry) + ">" + VerdictLine(*entry.Verdict) +
                    "</span></p>\n";
        html += "<p class=\"zahlen\">Rückgabewert: " + std::to_string(entry.ExitCode) + " · " + Steps() +
                ": " + Count(entry.Steps) + "</p>\n";
        if (!entry.Messages.empty()) {
            html += "<p>Meldungen der Syntax-Überprüfung:</p>\n<pre class=\"meldungen\">";
            for (const std::string& message : entry.Messages)
                html += Html(message) + '\n';
            html += "</pre>\n";
        }
        if (!entry.After) return html + "</section>\n";

        const Marks marks = entry.Verdict ? MarksOf(*entry.Verdict) : Marks();
        html +=
            "<div class=\"bilder\">\n" +
            Picture(Png(*entry.After), marks,
                    (report_.Recordings ? "Nach dem Abspielen" : "Nach dem Lauf") + StockNote(*entry.After));
        if (report_.Goal) html += Picture(GoalPng(), marks, "Zielwelt" + StockNote(report_.Goal->State));
        html += "</div>\n";
        if (entry.Verdict && !entry.Verdict->Solved) {
            html += "<ul class=\"unterschiede\">\n";
            for (const std::string& sentence : ShownDifferences(*entry.Verdict))
                html += "<li>" + Html(sentence) + "</li>\n";
            html += "</ul>\n";
        }
        return html + "</section>\n";
    }

    const Report& report_;
    PictureMaker maker_;
    std::string goalPng_;
};

} // namespace

int WriteReport(const Invocation& call, const std::string& path, const Report& report) {
    return SaveOutput(call, path, ReportWriter(report).Page());
}

} // namespace nibbo::batch
