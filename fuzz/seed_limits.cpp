// Writes the seeds that take the fuzz targets to their limits, too large to keep in the repository:
// programs nested as deep as the syntax check allows and one level deeper, a recursion that fills
// the return stack, conditions nested far deeper than a call stack could follow, and recordings of
// thousands of instructions. Every seed is read back through the reader it is meant for, so that a
// seed that no longer reaches its limit stops the fuzzing here instead of quietly testing less.
// Usage: fuzz_seed_limits FOLDER   (writes FOLDER/<target>/<seed>)
#include "invariants.h"

#include "execution/engine.h"
#include "language/condition.h"
#include "language/program_text.h"
#include "language/syntax_check.h"
#include "recording/replay.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace nibbo;

namespace {

std::string folder;

[[noreturn]] void Fail(const std::string& seed, const char* what) {
    std::fprintf(stderr, "fuzz_seed_limits: %s %s\n", seed.c_str(), what);
    std::exit(1);
}

// Writes the seed and gives back what was written, read from the file.
std::string Write(const std::string& target, const std::string& name, const std::string& bytes) {
    const std::filesystem::path path = std::filesystem::path(folder) / target / name;
    std::filesystem::create_directories(path.parent_path());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0)
        Fail(path, "cannot be written");
    file = std::fopen(path.c_str(), "rb");
    std::string back(bytes.size() + 1, '\0');
    const size_t size = file ? std::fread(back.data(), 1, back.size(), file) : 0;
    if (!file || std::fclose(file) != 0 || size != bytes.size()) Fail(path, "cannot be read back");
    back.resize(size);
    return back;
}

std::string Repeated(const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

std::vector<std::string> Check(const std::string& text) {
    TProcTable table;
    ScannerPosition scanner;
    return CheckSyntax(SplitProgramText(text), table, scanner);
}

// --- Programs nested `depth` levels deep, in every construct that nests. ---

std::string NestedWhiles(int depth) {
    return "program tief;\nbegin\n" + Repeated("while vorne_frei do\n", depth) + "vor;\nend.\n";
}

std::string NestedIfs(int depth) {
    return "program tief;\nbegin\n" + Repeated("if feld_leer then vor else begin\n", depth) +
           "drehe_links;\n" + Repeated("end;\n", depth) + "end.\n";
}

std::string NestedRepeats(int depth) {
    return "program tief;\nbegin\n" + Repeated("repeat\n", depth) + "vor;\n" +
           Repeated("until not vorne_frei;\n", depth) + "end.\n";
}

// `procedures` procedures each declared in the one before, the innermost holding `block`.
std::string NestedProcedures(int procedures, const std::string& block) {
    std::string text = "program tief;\n";
    for (int i = 1; i <= procedures; ++i)
        text += "procedure p" + std::to_string(i) + ";\n";
    text += block;
    for (int i = procedures - 1; i >= 1; --i)
        text += "begin p" + std::to_string(i + 1) + "; end;\n";
    return text + "begin p1; end.\n";
}

// Half procedures, half while and repeat bodies in the innermost procedure.
std::string ProceduresAndBodies(int depth) {
    const int pairs = depth / 4;
    return NestedProcedures(depth - 2 * pairs, "begin\n" + Repeated("while vorne_frei do repeat\n", pairs) +
                                                   "vor;\n" + Repeated("until feld_voll;\n", pairs) +
                                                   "end;\n");
}

// A condition of `depth` groups, each negated, around one sensor; one group per line in a program.
std::string NegatedGroups(int depth, const char* lineBreak) {
    return Repeated(std::string("not (") + lineBreak, depth) + "feld_leer" +
           Repeated(std::string(")") + lineBreak, depth);
}

void SyntaxCheckSeeds() {
    using Nesting = std::string (*)(int);
    const std::pair<const char*, Nesting> kinds[] = {
        {"whiles", NestedWhiles},
        {"ifs", NestedIfs},
        {"repeats", NestedRepeats},
        {"procedures", [](int depth) { return NestedProcedures(depth, "begin vor; end;\n"); }},
        {"procedures_and_bodies", ProceduresAndBodies}};
    for (const auto& [name, nested] : kinds) {
        const std::string at = std::string("nested_") + name + "_at_the_limit.pas";
        if (!Check(Write("syntax_check", at, nested(kMaxNesting))).empty()) Fail(at, "is refused");
        // One level more: the check ends with a single message, the one about the nesting.
        const std::string beyond = std::string("nested_") + name + "_one_too_deep.pas";
        if (Check(Write("syntax_check", beyond, nested(kMaxNesting + 1))).size() != 1)
            Fail(beyond, "does not end the check with one message");
    }
    // Groups that only group cost no nesting, however deep.
    const std::string groups =
        "program tief;\nbegin\n" + Repeated("begin ", 5 * kMaxNesting) + "vor;\nend.\n";
    if (!Check(Write("syntax_check", "groups_beyond_the_limit.pas", groups)).empty())
        Fail("groups_beyond_the_limit.pas", "is refused");
    const std::string condition =
        "program tief;\nbegin\nwhile " + NegatedGroups(3 * kMaxNesting, "\n") + " do vor;\nend.\n";
    if (!Check(Write("syntax_check", "condition_over_many_lines.pas", condition)).empty())
        Fail("condition_over_many_lines.pas", "is refused");
}

// --- Runs. ---

class NoObserver : public StepObserver {
    void StatementFetched(const TAnweisung&) override {}
};

void RunSeeds() {
    for (const auto& [name, text] :
         {std::pair{"nested_whiles_at_the_limit.pas", NestedWhiles(kMaxNesting)},
          std::pair{"nested_ifs_at_the_limit.pas", NestedIfs(kMaxNesting)},
          std::pair{"long_condition_in_a_loop.pas", "program tief;\nbegin\nwhile " +
                                                        NegatedGroups(kMaxNesting, "") +
                                                        " do drehe_links;\nend.\n"}})
        if (!Check(Write("run", name, text)).empty()) Fail(name, "is refused");

    // Every call nests the next one in the deepest ifs allowed: the return stack fills in a few
    // hundred thousand steps.
    const char* name = "recursion_in_nested_ifs.pas";
    const std::string recursion =
        NestedProcedures(1, "begin\n" + Repeated("if feld_leer then\n", kMaxNesting - 1) + "p1;\nend;\n");
    const std::string text = Write("run", name, recursion);
    TProcTable table;
    ScannerPosition scanner;
    if (!CheckSyntax(SplitProgramText(text), table, scanner).empty()) Fail(name, "is refused");
    const fuzz::FuzzedWorld fuzzed = fuzz::WorldFromBytes({});
    World world = fuzzed.world;
    PlainStockField stock;
    fuzz::StrictCanvas canvas;
    Stage stage{world, stock, canvas};
    ExecRegisters registers;
    ResetRegisters(registers);
    NoObserver observer;
    StepResult result;
    while (result.Outcome == StepOutcome::Executed)
        result = ExecuteStep(table, registers, stage, observer);
    if (registers.ReturnStack.size() != kMaxReturnFrames) Fail(name, "does not fill the return stack");
}

// --- Conditions. ---

void ConditionSeeds() {
    // Far longer and deeper than a pupil writes, yet small enough to be mutated often: inputs of
    // hundreds of kilobytes cut the executions a hundredfold. A million levels are left to the
    // test of the reference (tests/fuzz).
    const int depth = 30'000;
    for (const auto& [name, text] :
         {std::pair{"deep_groups", Repeated("(", depth) + "vorne_frei" + Repeated(")", depth)},
          std::pair{"negated_groups", NegatedGroups(depth / 6, "")},
          std::pair{"long_chain", Repeated("vorne_frei and not links_frei or ", 1000) + "feld_leer"}}) {
        std::vector<std::string> messages;
        CompileCondition(Write("condition", name, text), 0, messages);
        if (!messages.empty()) Fail(name, "does not compile");
    }
}

// --- Recordings, each followed by a NUL and the bytes of its world. ---

// The figure facing east at (2, 2), `stock`, and every interior cell holding `cell`.
std::string WorldBytes(uint8_t stock, uint8_t cell) {
    std::string bytes = {'\0', char(East), char(stock), 0, 0};
    return bytes + std::string(size_t((kColumns - 2) * (kRows - 2)), char(cell));
}

// A recording being written: the instructions that lead the figure, which starts facing east.
class Walk {
public:
    void Face(Orientation facing) {
        for (; facing_ != facing; facing_ = Orientation((facing_ + 1) % 4))
            Text += "drehe_links;\r\n";
    }
    void Forward(int steps, const std::string& onEachCell) {
        for (int step = 0; step < steps; ++step)
            Text += "vor;\r\n" + onEachCell;
    }
    // From the top left corner of the interior along every row in turn, `onEachCell` on every cell
    // reached; it ends in the bottom left corner.
    void Serpentine(const std::string& onEachCell) {
        Text += onEachCell;
        for (int row = 2; row <= kRows - 1; ++row) {
            Face(row % 2 == 0 ? East : West);
            Forward(kColumns - 3, onEachCell);
            if (row == kRows - 1) break;
            Face(South);
            Forward(1, onEachCell);
        }
    }

    std::string Text;

private:
    Orientation facing_ = East;
};

void ReplaySeeds() {
    Walk harvest;
    harvest.Serpentine(Repeated("nimm_auf;\r\n", kMaxFood));
    harvest.Forward(1, "");
    Walk giveAway;
    giveAway.Serpentine(Repeated("gib_ab;\r\n", kMaxFood));
    Walk rounds;
    for (int round = 0; round < 10; ++round) {
        rounds.Serpentine("");
        rounds.Face(North);
        rounds.Forward(kRows - 3, "");
    }
    rounds.Text += "end;\r\n";

    const struct {
        const char* Name;
        const std::string& Recording;
        std::string World;
        ReplayEnd End;
    } seeds[] = {
        // Nine portions taken from every cell: the stock reaches its maximum and stays there; at
        // the end the figure runs into the wall.
        {"harvest_every_cell", harvest.Text, WorldBytes(0, kMaxFood), ReplayEnd::ActionFailed},
        {"give_away_the_whole_stock", giveAway.Text, WorldBytes(kMaxStock, kFreePath),
         ReplayEnd::ActionFailed},
        {"ten_rounds", rounds.Text, WorldBytes(0, kFreePath), ReplayEnd::Normal},
    };
    for (const auto& seed : seeds) {
        const std::string written =
            Write("replay", seed.Name, "procedure aufzeichnung;\r\nbegin\r\n" + seed.Recording + seed.World);
        const fuzz::TextAndWorld input =
            fuzz::SplitInput(reinterpret_cast<const uint8_t*>(written.data()), written.size());
        ReplayState replay;
        if (StartReplay(replay, SplitProgramText(input.Text)) != ReplayHeader::Accepted)
            Fail(seed.Name, "is refused");
        fuzz::FuzzedWorld fuzzed = fuzz::WorldFromBytes(input.WorldBytes);
        PlainStockField stock;
        stock.WriteStock(fuzzed.stock);
        fuzz::StrictCanvas canvas;
        Stage stage{fuzzed.world, stock, canvas};
        ReplayTick tick;
        while (tick.End == ReplayEnd::None)
            tick = ReplayStep(replay, stage);
        if (tick.End != seed.End) Fail(seed.Name, "ends otherwise than meant");
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seed_limits FOLDER\n");
        return 64;
    }
    folder = argv[1];
    SyntaxCheckSeeds();
    RunSeeds();
    ConditionSeeds();
    ReplaySeeds();
    return 0;
}
