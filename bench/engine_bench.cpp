// How fast ExecuteStep runs without a window: loop-heavy programs with compound conditions, run
// endlessly on a world for about two seconds each. Reports steps (ExecuteStep calls) and statements
// (every statement fetched, block ends included) per second, and the heap allocations made while
// measuring, which must be none. Target: at least 10 million per second in a release build.
#include "bench/programs.h"
#include "execution/engine.h"
#include "language/program_text.h"
#include "language/syntax_check.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

namespace {

std::atomic<long> allocations{0};

} // namespace

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace {

using namespace nibbo;

struct Workload {
    const char* Name;
    std::string Program;
    int Column, Row;
};

// A long condition, nested twelve deep, tested at every turn.
std::string DeepCondition() {
    std::string condition = "vorne_frei";
    const char* const sensors[] = {"links_frei",   "rechts_frei", "feld_leer",
                                   "liegt_futter", "hat_vorrat",  "ostwaerts"};
    for (int level = 0; level < 12; ++level)
        condition = "(" + condition + (level % 2 ? " or not " : " and not not ") + sensors[level % 6] +
                    ") or " + sensors[(level + 3) % 6];
    return "program tief;\nbegin\n  while " + condition + " or not feld_voll do\n    drehe_links;\nend.";
}

class Counter : public StepObserver {
public:
    long Statements = 0;
    void StatementFetched(const TAnweisung&) override { ++Statements; }
};

void Measure(const Workload& workload) {
    TProcTable table;
    ScannerPosition scanner;
    const std::vector<std::string> messages = CheckSyntax(SplitProgramText(workload.Program), table, scanner);
    if (!messages.empty()) {
        std::fprintf(stderr, "%s: %s\n", workload.Name, messages.front().c_str());
        std::exit(1);
    }
    World world;
    ClearWorld(world);
    for (int c = 4; c <= 20; c += 3)
        SetCell(world, c, workload.Row, 1 + c % 9);
    world.StartColumn = workload.Column;
    world.StartRow = workload.Row;
    world.Orientation = East;
    world.StartPlaced = true;
    PlainStockField stock;
    stock.WriteStock(3);
    NullCanvas canvas;
    Stage stage{world, stock, canvas, 0};
    ExecRegisters registers;
    ResetRegisters(registers);
    Counter counter;

    using Clock = std::chrono::steady_clock;
    for (int warm = 0; warm < 100000; ++warm)
        ExecuteStep(table, registers, stage, counter);
    // Rounds of a million steps for about two seconds. The machine is shared, so besides the mean
    // the fastest round shows what the engine does when it has a core to itself.
    const long allocationsBefore = allocations.load();
    const long statementsBefore = counter.Statements;
    long steps = 0;
    double best = 0;
    const auto start = Clock::now();
    double seconds = 0;
    do {
        const auto roundStart = Clock::now();
        const long roundStatements = counter.Statements;
        for (int i = 0; i < 1000000; ++i) {
            if (ExecuteStep(table, registers, stage, counter).Outcome != StepOutcome::Executed) {
                std::fprintf(stderr, "%s: the program ended after %ld steps\n", workload.Name, steps + i);
                std::exit(1);
            }
        }
        steps += 1000000;
        const double round = std::chrono::duration<double>(Clock::now() - roundStart).count();
        best = std::max(best, (counter.Statements - roundStatements) / round);
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
    } while (seconds < 2.0);
    const long allocated = allocations.load() - allocationsBefore;
    const long statements = counter.Statements - statementsBefore;
    std::printf("%-10s %12ld %12ld %10.1f %12.1f %12.1f %8.1f %12ld\n", workload.Name, steps, statements,
                steps / seconds / 1e6, statements / seconds / 1e6, best / 1e6, 1e9 * seconds / steps,
                allocated);
}

} // namespace

int main() {
    std::printf("%-10s %12s %12s %10s %12s %12s %8s %12s\n", "program", "steps", "statements", "Msteps/s",
                "Mstmts/s", "best Mstmts/s", "ns/step", "allocations");
    Measure({"rundgang", bench::kAlongTheWalls, 2, 2});
    Measure({"zickzack", bench::kToAndFro, 2, 10});
    Measure({"tief", DeepCondition(), 12, 10});
    std::printf("target: at least 10 million statements per second, no allocation while running\n");
    return 0;
}
