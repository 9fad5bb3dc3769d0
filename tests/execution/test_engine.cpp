// The execution engine through the core: whole programs traced step by step (what each step
// fetches and how it ends), the edge cases of returns, loops and branches, action failures, deep
// recursion against the bound of the return stack, a long chain of block ends in one step, and
// programs the compiler never makes.
#include "execution/engine.h"
#include "language/program_text.h"
#include "language/syntax_check.h"
#include "tests/world/recording_canvas.h"

#include <QTest>

using namespace nibbo;
using nibbo::testing::RecordingCanvas;

namespace {

// A program compiled from its text, and a world to run it on: the empty walled world with the
// figure at (2, 2) facing east and an empty stock unless a test changes them.
struct Machine {
    std::string Text; // the lines joined with CR LF, as the positions count them
    TProcTable Table;
    ExecRegisters Registers;
    World Current;
    PlainStockField Stock;
    RecordingCanvas Canvas;
    Stage Stage_{Current, Stock, Canvas, 0};

    explicit Machine(const std::string& program = {}) {
        ClearWorld(Current);
        Current.StartColumn = 2;
        Current.StartRow = 2;
        Current.Orientation = East;
        Current.StartPlaced = true;
        ResetRegisters(Registers);
        if (program.empty()) return;
        const SourceLines lines = SplitProgramText(program);
        for (size_t i = 0; i < lines.size(); ++i)
            Text += (i ? "\r\n" : "") + lines[i];
        ScannerPosition scanner;
        const std::vector<std::string> messages = CheckSyntax(lines, Table, scanner);
        if (!messages.empty()) qFatal("the test program has faults: %s", messages.front().c_str());
    }

    // What a statement shows in the editor, "-" for one without text of its own.
    std::string Shown(const TAnweisung& statement) const {
        if (statement.SelStart == 0) return "-";
        return Text.substr(size_t(statement.SelStart - 1), size_t(statement.SelLength));
    }

    struct Fetches : StepObserver {
        std::vector<const TAnweisung*> Statements;
        void StatementFetched(const TAnweisung& statement) override { Statements.push_back(&statement); }
    };

    // One step as a line: the outcome's letter (E, F, X for failed, S), then what it fetched.
    StepResult Step(std::string* line = nullptr) {
        Fetches fetches;
        const StepResult result = ExecuteStep(Table, Registers, Stage_, fetches);
        if (line) {
            *line = std::string(1, "EFXS"[int(result.Outcome)]);
            for (size_t i = 0; i < fetches.Statements.size(); ++i)
                *line += (i ? " | " : " ") + Shown(*fetches.Statements[i]);
        }
        return result;
    }

    // Steps until the program ends or fails, at most `limit`; one line per step, and a last line
    // with the failure's message.
    QStringList Trace(int limit = 1000) {
        QStringList lines;
        for (int i = 0; i < limit; ++i) {
            std::string line;
            const StepResult result = Step(&line);
            lines << QString::fromStdString(line);
            if (result.Outcome == StepOutcome::Failed) lines << QString::fromUtf8(result.Message);
            if (result.Outcome == StepOutcome::Finished || result.Outcome == StepOutcome::Failed) break;
        }
        return lines;
    }
};

QString Program(const QString& body, const QString& procedures = {}) {
    return QStringLiteral("program p;\n") + procedures + QStringLiteral("begin\n") + body +
           QStringLiteral("\nend.");
}

} // namespace

class TestEngine : public QObject {
    Q_OBJECT
private slots:
    void traces_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("stock");
        QTest::addColumn<QStringList>("trace");

        QTest::newRow("an empty main block finishes at the first step")
            << Program({}) << 0 << QStringList{"F end."};
        QTest::newRow("an empty procedure returns in the step of the statement after the call")
            << Program("  leer;\n  drehe_links;", "procedure leer;\nbegin\nend;\n") << 0
            << QStringList{"E leer", "E end | drehe_links", "F end."};
        QTest::newRow("a call runs the procedure's statements, and its end returns with the next one")
            << Program("  zwei;\n  drehe_links;",
                       "procedure zwei;\nbegin\n  drehe_links; drehe_links;\nend;\n")
            << 0 << QStringList{"E zwei", "E drehe_links", "E drehe_links", "E end | drehe_links", "F end."};
        QTest::newRow("if false without else: the frame is popped with the statement after the if")
            << Program("  if not vorne_frei then\n    drehe_links;\n  vor;") << 0
            << QStringList{"E if not vorne_frei then", "E - | vor", "F end."};
        QTest::newRow("if true without else: the then-part's marker returns")
            << Program("  if vorne_frei then\n    drehe_links;\n  vor;") << 0
            << QStringList{"E if vorne_frei then", "E drehe_links", "X - | vor",
                           "Nibbo ist gegen eine Mauer gelaufen!"};
        QTest::newRow("begin-end then-part, true: its own end returns, the else-branch is skipped")
            << Program("  if vorne_frei then begin vor; vor; end else drehe_links;\n  nimm_auf;") << 0
            << QStringList{"E if vorne_frei then", "E vor", "E vor", "X end | nimm_auf",
                           "Es ist kein Futter vorhanden!"};
        QTest::newRow("begin-end then-part, false: only the else-branch runs")
            << Program("  if links_frei then begin vor; vor; end else drehe_links;\n  drehe_links;") << 0
            << QStringList{"E if links_frei then", "E drehe_links", "E - | drehe_links", "F end."};
        QTest::newRow("an if without a then-part runs its else-branch")
            << Program("  if links_frei then else begin drehe_links; end;") << 0
            << QStringList{"E if links_frei then", "E drehe_links", "F end | end."};
        QTest::newRow("the else marker of a single-statement then-part returns with end.")
            << Program("  if feld_leer then\n    drehe_links\n  else\n    nimm_auf;") << 0
            << QStringList{"E if feld_leer then", "E drehe_links", "F - | end."};
        QTest::newRow("a while whose test is false at once never runs its body")
            << Program("  while links_frei do\n    vor;\n  drehe_links;") << 0
            << QStringList{"E while links_frei do", "E drehe_links", "F end."};
        QStringList walk{"E drehe_links", "E drehe_links", "E drehe_links", "E while vorne_frei do"};
        for (int row = 2; row < 19; ++row) // south from row 2 to row 19
            walk << "E vor"
                 << "E - | while vorne_frei do";
        QTest::newRow("a while pass costs two steps: the body, then the return with the next test")
            << Program("  drehe_links; drehe_links; drehe_links;\n  while vorne_frei do vor;") << 0
            << (walk << "F end.");
        QTest::newRow("a while with an empty body tests once per step")
            << Program("  while hat_vorrat do ;\n  vor;") << 0
            << QStringList{"E while hat_vorrat do", "E vor", "F end."};
        QTest::newRow("a while body's begin-end returns to the test")
            << Program("  while hat_vorrat do begin gib_ab; vor; end;") << 2
            << QStringList{"E while hat_vorrat do",       "E gib_ab", "E vor",
                           "E end | while hat_vorrat do", "E gib_ab", "E vor",
                           "E end | while hat_vorrat do", "F end."};
        QTest::newRow("a repeat body runs once even when until is true from the start")
            << Program("  repeat drehe_links; until feld_leer;") << 0
            << QStringList{"E repeat", "E drehe_links", "E until feld_leer", "F end."};
        QTest::newRow("until false runs the body again; until true goes on after the repeat")
            << Program("  repeat\n    drehe_links;\n  until westwaerts;\n  vor;") << 0
            << QStringList{"E repeat",
                           "E drehe_links",
                           "E until westwaerts",
                           "E drehe_links",
                           "E until westwaerts",
                           "X vor",
                           "Nibbo ist gegen eine Mauer gelaufen!"};
        QTest::newRow("a repeat closed by end runs its statements once")
            << Program("  repeat drehe_links; end;\n  drehe_links;") << 0
            << QStringList{"E repeat", "E drehe_links", "E end | drehe_links", "F end."};
        QTest::newRow("a while in a procedure: its test after the return, then the procedure's end")
            << Program("  laufe;\n  drehe_links;",
                       "procedure laufe;\nbegin\n  while hat_vorrat do gib_ab;\nend;\n")
            << 1 << QStringList{"E laufe",
                                "E while hat_vorrat do",
                                "E gib_ab",
                                "E - | while hat_vorrat do",
                                "E end | drehe_links",
                                "F end."};
        QTest::newRow("nested bodies all end in one step")
            << Program(
                   "  if vorne_frei then\n    while hat_vorrat do\n      if ostwaerts then gib_ab;\n  vor;")
            << 1
            << QStringList{"E if vorne_frei then",
                           "E while hat_vorrat do",
                           "E if ostwaerts then",
                           "E gib_ab",
                           "E - | - | while hat_vorrat do",
                           "E - | vor",
                           "F end."};
        QTest::newRow("a procedure's end returns through the caller's blocks")
            << Program("  if vorne_frei then\n    begin\n      nimm;\n    end;\n  drehe_links;",
                       "procedure nimm;\nbegin\n  gib_ab;\nend;\n")
            << 1
            << QStringList{"E if vorne_frei then", "E nimm", "E gib_ab", "E end | end | drehe_links",
                           "F end."};
        QTest::newRow("gib_ab with an empty stock fails")
            << Program("  gib_ab;") << 0 << QStringList{"X gib_ab", "Der Vorrat ist alle!"};
    }

    void traces() {
        QFETCH(QString, program);
        QFETCH(int, stock);
        QFETCH(QStringList, trace);
        Machine m(program.toStdString());
        m.Stock.WriteStock(stock);
        QCOMPARE(m.Trace(), trace);
    }

    void theWhileExampleStepByStep() {
        // Procedure 0: 0 while (Target 2), 1 end., 2 vor, 3 the closing marker.
        Machine m(Program("  while vorne_frei do\n    vor;").toStdString());
        QCOMPARE(m.Table[0].Statements.size(), size_t(4));
        const auto frames = [&m] {
            QList<QPair<int, int>> list;
            for (const ReturnFrame& frame : m.Registers.ReturnStack)
                list.append({frame.ProcIndex, frame.StatementIndex});
            return list;
        };
        QCOMPARE(m.Step().Outcome, StepOutcome::Executed); // the test is true
        QCOMPARE(m.Registers.StatementIndex, 1);
        QCOMPARE(frames(), (QList<QPair<int, int>>{{0, -1}}));
        QCOMPARE(m.Step().Outcome, StepOutcome::Executed); // vor
        QCOMPARE(m.Registers.StatementIndex, 2);
        QCOMPARE(m.Current.StartColumn, 3);
        QCOMPARE(m.Step().Outcome, StepOutcome::Executed); // the marker pops, the while tests again
        QCOMPARE(m.Registers.StatementIndex, 1);
        QCOMPARE(frames(), (QList<QPair<int, int>>{{0, -1}}));
        int steps = 3;
        StepResult result;
        while ((result = m.Step()).Outcome == StepOutcome::Executed)
            ++steps;
        QCOMPARE(result.Outcome, StepOutcome::Finished);
        QCOMPARE(steps + 1, 1 + 21 + 21 + 1); // first test, 21 moves, 21 returns with a test, end.
        QCOMPARE(m.Current.StartColumn, 23);
        QVERIFY(m.Registers.ReturnStack.empty());
        QCOMPARE(m.Registers.StatementIndex, 1);
    }

    void theWorkedExampleProgram() {
        // Walks to the wall, then turns round in a procedure because the cell is empty.
        Machine m(
            "program beispiel;\nprocedure drehe_um;\nbegin\n  drehe_links;\n  drehe_links;\nend;\nbegin\n"
            "  while vorne_frei do\n    vor;\n  if feld_leer then\n    drehe_um\n  else\n    begin\n"
            "      nimm_auf;\n      drehe_links;\n    end;\nend.");
        m.Current.StartColumn = 20;
        const QStringList trace = m.Trace();
        QCOMPARE(trace.mid(trace.size() - 6),
                 (QStringList{"E - | while vorne_frei do", "E if feld_leer then", "E drehe_um",
                              "E drehe_links", "E drehe_links", "F end | - | end."}));
        QCOMPARE(m.Current.Orientation, uint8_t(West));
    }

    void actionFailuresLeaveTheIndexOnTheFailedStatement_data() {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<int>("cell"); // code of the figure's cell
        QTest::addColumn<int>("stock");
        QTest::addColumn<QString>("message");
        QTest::newRow("vor into a wall")
            << "drehe_links; vor" << 0 << 0 << "Nibbo ist gegen eine Mauer gelaufen!";
        QTest::newRow("nimm_auf on an empty cell") << "nimm_auf" << 0 << 3 << "Es ist kein Futter vorhanden!";
        QTest::newRow("gib_ab on a full cell") << "gib_ab" << 9 << 3 << "Das Feld ist bereits voll!";
        QTest::newRow("gib_ab without stock") << "gib_ab" << 4 << 0 << "Der Vorrat ist alle!";
    }

    void actionFailuresLeaveTheIndexOnTheFailedStatement() {
        QFETCH(QString, statement);
        QFETCH(int, cell);
        QFETCH(int, stock);
        QFETCH(QString, message);
        Machine m(Program("  if vorne_frei then begin\n    " + statement + ";\n  end;").toStdString());
        SetCell(m.Current, 2, 2, cell);
        m.Stock.WriteStock(stock);
        StepResult result;
        while ((result = m.Step()).Outcome == StepOutcome::Executed) {
        }
        QCOMPARE(result.Outcome, StepOutcome::Failed);
        QCOMPARE(QString::fromUtf8(result.Message), message);
        const TAnweisung& failed = m.Table[0].Statements[size_t(m.Registers.StatementIndex)];
        QCOMPARE(QString::fromStdString(m.Shown(failed)), statement.section(QLatin1String("; "), -1));
        QCOMPARE(m.Registers.ReturnStack.size(), size_t(1)); // the if's frame
        QCOMPARE(CellAt(m.Current, 2, 2), cell);
        QCOMPARE(m.Stock.ReadStock(), stock);
        QCOMPARE(m.Current.StartColumn, 2);
    }

    void anActionDrawsTheRestingFrame() {
        Machine m(Program("  vor;").toStdString());
        m.Stage_.animationStep = 3;
        m.Step();
        QCOMPARE(m.Stage_.animationStep, 0);
        QCOMPARE(m.Canvas.Take(),
                 (QStringList{"fill 2 2", "figure 3 2 " + QString::number(FigureImage(East, 1))}));
    }

    void callChainsLeaveOneFramePerCall() {
        Machine m(Program("  a;",
                          "procedure c;\nbegin\n  drehe_links;\nend;\nprocedure b;\nbegin\n  c;\nend;\n"
                          "procedure a;\nbegin\n  b;\nend;\n")
                      .toStdString());
        std::string line;
        for (int i = 0; i < 3; ++i)
            m.Step();
        m.Step(&line);
        QCOMPARE(line, std::string("E drehe_links"));
        QCOMPARE(m.Registers.ReturnStack.size(), size_t(3));
        QCOMPARE(m.Registers.ProcIndex, 1);
        m.Step(&line);
        QCOMPARE(line, std::string("F end | end | end | end."));
    }

    void endlessRecursionEndsAtTheBoundOfTheReturnStack() {
        Machine m(Program("  r;", "procedure r;\nbegin\n  r;\nend;\n").toStdString());
        size_t steps = 0;
        StepResult result;
        while ((result = m.Step()).Outcome == StepOutcome::Executed) {
            ++steps;
            QCOMPARE(m.Registers.ReturnStack.size(), steps); // one frame per call
        }
        QCOMPARE(steps, kMaxReturnFrames);
        QCOMPARE(result.Outcome, StepOutcome::Failed);
        QCOMPARE(QString::fromUtf8(result.Message),
                 QStringLiteral("Zu viele Aufrufe ineinander! Ruft sich eine Prozedur endlos selbst auf?"));
        // The call that could not push is the statement the run stopped on.
        QCOMPARE(m.Registers.ProcIndex, 1);
        QCOMPARE(m.Registers.StatementIndex, 0);
        QCOMPARE(m.Registers.ReturnStack.size(), kMaxReturnFrames);
    }

    void blocksCountAgainstTheBoundToo_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("stopsOn");
        QTest::newRow("if") << "if vorne_frei then r;"
                            << "if vorne_frei then";
        QTest::newRow("while") << "while vorne_frei do r;"
                               << "while vorne_frei do";
        QTest::newRow("repeat") << "repeat r; until vorne_frei;"
                                << "repeat";
    }

    void blocksCountAgainstTheBoundToo() {
        QFETCH(QString, body);
        QFETCH(QString, stopsOn);
        // The main program's if takes the first frame, so that every call brings the stack to an
        // even size and the block's push is the one that meets the full stack.
        Machine m(
            Program("  if vorne_frei then r;", "procedure r;\nbegin\n  " + body + "\nend;\n").toStdString());
        StepResult result;
        while ((result = m.Step()).Outcome == StepOutcome::Executed) {
        }
        QCOMPARE(result.Outcome, StepOutcome::Failed);
        QCOMPARE(QString::fromUtf8(result.Message), QString::fromUtf8(kReturnStackFullMessage));
        QCOMPARE(m.Registers.ReturnStack.size(), kMaxReturnFrames);
        QCOMPARE(QString::fromStdString(m.Shown(
                     m.Table[size_t(m.Registers.ProcIndex)].Statements[size_t(m.Registers.StatementIndex)])),
                 stopsOn);
    }

    void aLongChainOfBlockEndsRunsInOneStep() {
        // Built by hand: ifs nested almost as deep as the return stack allows, the innermost holding
        // a "drehe_links". Section k (from 1) of procedure 0 is [if, else marker, closing end].
        const int depth = int(kMaxReturnFrames) - 1;
        Machine m;
        TProc program;
        program.Statements.push_back({sym_if, 2, {ostwaerts}, 1, 2});
        program.Statements.push_back({sym_end_dot, 0, {}, 3, 4});
        for (int k = 1; k < depth; ++k) {
            program.Statements.push_back({sym_if, 2 + 3 * k, {ostwaerts}, 1, 2});
            program.Statements.push_back({sym_else, 0, {}, 0, 0});
            program.Statements.push_back({sym_end, 0, {}, 0, 0});
        }
        program.Statements.push_back({sym_drehe_links, 0, {}, 7, 11});
        program.Statements.push_back({sym_else, 0, {}, 0, 0});
        program.Statements.push_back({sym_end, 0, {}, 0, 0});
        m.Table.push_back(program);

        for (int step = 1; step <= depth; ++step)
            QCOMPARE(m.Step().Outcome, StepOutcome::Executed);
        QCOMPARE(m.Registers.ReturnStack.size(), size_t(depth));
        QCOMPARE(m.Step().Outcome, StepOutcome::Executed); // drehe_links
        Machine::Fetches fetches;
        QCOMPARE(ExecuteStep(m.Table, m.Registers, m.Stage_, fetches).Outcome, StepOutcome::Finished);
        QCOMPARE(fetches.Statements.size(), size_t(depth) + 1); // every else marker, then end.
        QVERIFY(m.Registers.ReturnStack.empty());
    }

    void aBlockEndWithoutFrameOutsideTheProgramEndIsSilent() {
        Machine m;
        TProc program;
        program.Statements = {{sym_end, 0, {}, 0, 0}, {sym_vor, 0, {}, 5, 3}, {sym_end_dot, 0, {}, 9, 4}};
        m.Table.push_back(program);
        TProc procedure;
        procedure.Statements = {{sym_end_dot, 0, {}, 20, 3}};
        m.Table.push_back(procedure);

        QCOMPARE(m.Step().Outcome, StepOutcome::Silent);
        QCOMPARE(m.Step().Outcome, StepOutcome::Executed);
        QCOMPARE(m.Step().Outcome, StepOutcome::Finished);
        // A procedure's end without a frame to return to is no end of the program.
        ResetRegisters(m.Registers);
        m.Registers.ProcIndex = 1;
        QCOMPARE(m.Step().Outcome, StepOutcome::Silent);
    }

    void tablesTheCompilerNeverMakesDoNotBreakTheEngine_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("condition"); // one token
        QTest::newRow("a call of a procedure that does not exist") << int(sym_call) << 7 << int(f_null);
        QTest::newRow("a negative call target") << int(sym_call) << -3 << int(f_null);
        QTest::newRow("an if whose section lies outside") << int(sym_if) << 1000 << int(vorne_frei);
        QTest::newRow("an if without else marker, false") << int(sym_if) << 1 << int(links_frei);
        QTest::newRow("an if with a negative target") << int(sym_if) << -2000000000 << int(vorne_frei);
        QTest::newRow("a while with a negative target")
            << int(sym_while) << -2147483647 - 1 << int(vorne_frei);
        QTest::newRow("a repeat whose section lies outside") << int(sym_repeat) << 2147483647 << int(f_null);
        QTest::newRow("an until without repeat, false") << int(sym_until) << 0 << int(links_frei);
        QTest::newRow("an until without repeat, true") << int(sym_until) << 0 << int(vorne_frei);
        QTest::newRow("a condition of a failed compile") << int(sym_while) << 1 << int(fufehler);
        QTest::newRow("a kind no statement has") << int(sym_then) << 0 << int(f_null);
    }

    void tablesTheCompilerNeverMakesDoNotBreakTheEngine() {
        QFETCH(int, kind);
        QFETCH(int, target);
        QFETCH(int, condition);
        Machine m;
        TProc program;
        program.Statements = {{TSymbol(kind), target, {TFunktion(condition)}, 1, 1},
                              {sym_end_dot, 0, {}, 3, 4}};
        m.Table.push_back(program);
        int steps = 0;
        StepResult result;
        while ((result = m.Step()).Outcome == StepOutcome::Executed && ++steps < 10) {
        }
        QVERIFY(result.Outcome != StepOutcome::Failed);
        QVERIFY(m.Registers.ReturnStack.size() <= 1);
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "test_engine.moc"
