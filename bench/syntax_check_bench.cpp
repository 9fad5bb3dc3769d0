// How long the syntax check takes on generated programs of 1,000, 10,000 and 100,000 lines: many
// procedures, long statement lists with nested bodies, long conditions over several lines, and
// comments. The check must grow linearly with the text; a 10,000-line program should take well
// under 20 ms in a release build.
#include "language/syntax_check.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using nibbo::SourceLines;

// A procedure of 18 lines; it calls the procedure declared before it.
void AddProcedure(SourceLines& lines, int index) {
    const std::string name = "schritt_" + std::to_string(index);
    lines.push_back("procedure " + name + "; { Prozedur " + std::to_string(index) + " }");
    lines.push_back("begin");
    lines.push_back("  while vorne_frei and (links_frei or not rechts_frei)");
    lines.push_back("        and not feld_voll and (nordwaerts or westwaerts or suedwaerts) do");
    lines.push_back("  begin");
    lines.push_back("    vor;");
    lines.push_back("    if liegt_futter then");
    lines.push_back("      nimm_auf");
    lines.push_back("    else");
    lines.push_back("      begin");
    lines.push_back("        drehe_links; (* links herum *)");
    lines.push_back("        repeat gib_ab; until feld_leer or (hat_vorrat and not ostwaerts);");
    lines.push_back("      end;");
    lines.push_back("  end;");
    if (index > 1) lines.push_back("  schritt_" + std::to_string(index - 1) + ";");
    lines.push_back("  if not vorne_frei then drehe_links; // umdrehen");
    lines.push_back("end;");
    lines.push_back("");
}

// Statements of the main block, 12 lines per round, nesting four levels deep.
void AddMainStatements(SourceLines& lines, int round, int procedures) {
    lines.push_back("  while not feld_leer and (hat_vorrat or liegt_futter) do");
    lines.push_back("  begin");
    lines.push_back("    if nordwaerts or suedwaerts then begin");
    lines.push_back("      repeat");
    lines.push_back("        vor; drehe_links;");
    lines.push_back("        while links_frei do vor;");
    lines.push_back("      until not vorne_frei;");
    lines.push_back("    end else");
    lines.push_back("      nimm_auf;");
    lines.push_back("    schritt_" + std::to_string(1 + round % std::max(procedures, 1)) + ";");
    lines.push_back("  end;");
    lines.push_back("  gib_ab; { Runde " + std::to_string(round) + " }");
}

SourceLines Program(int targetLines) {
    SourceLines lines = {"program messung;", ""};
    const int procedures = targetLines / 2 / 17;
    for (int i = 1; i <= procedures; ++i)
        AddProcedure(lines, i);
    lines.push_back("begin");
    for (int round = 0; int(lines.size()) < targetLines - 1; ++round)
        AddMainStatements(lines, round, procedures);
    lines.push_back("end.");
    return lines;
}

struct Timing {
    double Best;
    double Median;
};

Timing Measure(const SourceLines& lines, nibbo::TProcTable& table) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> runs;
    const auto start = Clock::now();
    while (runs.size() < 5 || (runs.size() < 200 && Clock::now() - start < std::chrono::seconds(2))) {
        nibbo::ScannerPosition scanner;
        const auto before = Clock::now();
        const std::vector<std::string> messages = nibbo::CheckSyntax(lines, table, scanner);
        runs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - before).count());
        if (!messages.empty()) {
            std::fprintf(stderr, "the generated program has faults: %s\n", messages.front().c_str());
            std::exit(1);
        }
    }
    std::sort(runs.begin(), runs.end());
    return {runs.front(), runs[runs.size() / 2]};
}

} // namespace

int main() {
    std::printf("%9s %10s %9s %10s %12s %12s %10s\n", "lines", "bytes", "procs", "records", "best ms",
                "median ms", "growth");
    double previous = 0;
    for (const int size : {1000, 10000, 100000}) {
        const SourceLines lines = Program(size);
        size_t bytes = 0;
        for (const std::string& line : lines)
            bytes += line.size() + 2;
        nibbo::TProcTable table;
        const Timing timing = Measure(lines, table);
        size_t records = 0;
        for (const nibbo::TProc& proc : table)
            records += proc.Statements.size();
        char growth[32] = "";
        if (previous > 0) std::snprintf(growth, sizeof growth, "x%.1f", timing.Median / previous);
        std::printf("%9zu %10zu %9zu %10zu %12.3f %12.3f %10s\n", lines.size(), bytes, table.size() - 1,
                    records, timing.Best, timing.Median, growth);
        previous = timing.Median;
    }
    std::printf("targets: 10,000 lines under 20 ms; 10 times the lines at most about 12 times the time\n");
    return 0;
}
