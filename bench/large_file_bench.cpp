// The cost of the largest program and recording files the editor accepts (512 KB), in shapes that are
// hard on one part or another: nothing but line breaks of each kind, one long line of words or of
// tabs, a statement on every short line, a fault on every other character, a comment that never
// closes, one long condition, a long recording. Each in a process of its own, so that every peak
// is its own:
//  - the window: loading the file into the editor, the syntax check, the start of a run (it checks
//    again), and the peak memory (RSS) of the whole process;
//  - recording mode: loading the file as a recording and starting its replay, and the peak;
//  - nibbo-batch: the peak memory and time of "syntax", "run" and "replay" on the same file.
// Target: under 2 s for each step and under 300 MB for each process. Build in Release and run
// build/bench/bench_large_files; it writes its files to a temporary folder and removes them. With a
// number of KB as its argument it measures files of that size instead, to weigh a smaller limit.
#include "shell/file_io.h"
#include "shell/nibboform.h"
#include "shell/prg_memo.h"
#include "shell/spin_edit.h"
#include "support/state_access.h"
#include "world/world_file.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace nibbo;
using namespace nibbo::testing;
using Clock = std::chrono::steady_clock;

size_t fileSize = size_t(kMaxTextFileBytes);

// Repeats a piece to fill the file, after a head and before a tail, and pads the rest with blanks.
std::string Fill(const std::string& head, const std::string& piece, const std::string& tail) {
    std::string text = head;
    while (text.size() + piece.size() + tail.size() <= fileSize)
        text += piece;
    text += tail;
    text.resize(fileSize, ' ');
    return text;
}

// A line of `count` copies of a piece, ended by LF.
std::string Line(const std::string& piece, int count) {
    std::string line;
    for (int i = 0; i < count; ++i)
        line += piece;
    return line + '\n';
}

struct Shape {
    const char* Name;
    std::function<std::string()> Make;
};

const Shape kShapes[] = {
    {"CR LF only", [] { return Fill("", "\r\n", ""); }},
    {"CR only", [] { return Fill("", "\r", ""); }},
    {"LF only", [] { return Fill("", "\n", ""); }},
    {"one line of statements", [] { return Fill("program p; begin ", "vor; ", "end."); }},
    {"one line of tabs", [] { return Fill("", "\t", ""); }},
    {"a call on every line",
     [] { return Fill("program p;\nprocedure q;\nbegin end;\nbegin\n", "q;\n", "end.\n"); }},
    {"a fault every 2 bytes", [] { return Fill("program p;\nbegin\n", Line("x;", 39), "end.\n"); }},
    {"a comment never closed", [] { return Fill("program p; begin {\n", "(*{//}\r\n", ""); }},
    {"one long condition",
     [] { return Fill("program p; begin while ", "not ", "vorne_frei do drehe_links; end."); }},
    {"recording", [] { return Fill("procedure aufzeichnung;\nbegin\n", "  drehe_links;\n", "end;\n"); }},
};

// --- The measuring child: one window, one file ---

class SilentDialogs : public TDialogs {
public:
    explicit SilentDialogs(QString path) : path_(std::move(path)) {}
    void ShowMessage(const QString&) override {}
    bool AskQuestion(const QString&) override { return true; }
    void ShowError(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    std::optional<FileChoice> ChooseFile(const FileDialogSpec&) override {
        return FileChoice{path_.toStdString(), 0};
    }

private:
    QString path_;
};

// Seconds a command of the window takes, with the events it leaves behind (painting included).
double Seconds(const std::function<void()>& command) {
    const auto start = Clock::now();
    command();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

long PeakKb() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == "VmHWM:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
    return 0;
}

int WindowChild(int argc, char** argv, bool recording) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TNibboForm form(std::make_unique<SilentDialogs>(QString::fromLocal8Bit(argv[2])));
    CurrentWorld(form).StartColumn = 5;
    CurrentWorld(form).StartRow = 5;
    CurrentWorld(form).StartPlaced = true;
    StoreWorld(CurrentWorld(form), *form.ItemsSpinEdit, StoredWorld(form));
    form.show();
    QCoreApplication::processEvents();
    std::printf("empty window %ld MB", PeakKb() / 1024);
    if (recording) {
        form.Session().Recording.AufzmodusanMenuItemClick();
        std::printf(", load %.2f s", Seconds([&] { form.Session().Recording.AufzladenMenuItemClick(); }));
        std::printf(", replay start %.2f s",
                    Seconds([&] { form.Session().Recording.AufzwiederholenMenuItemClick(); }));
        form.Session().Recording.StopReplay();
    } else {
        std::printf(", load %.2f s", Seconds([&] { form.Session().Programs.PrgladenMenuItemClick(); }));
        std::printf(", check %.2f s", Seconds([&] { form.Session().Syntax.SyntaxSpeedButtonClick(); }));
        std::printf(" (%d messages)", form.InfoListBox->count());
        std::printf(", run start %.2f s", Seconds([&] { form.Session().Run.RunSpeedButtonClick(); }));
        form.Session().Run.StopSpeedButtonClick();
    }
    std::printf(", %d lines\n", form.PrgMemo->LineCount());
    return 0;
}

// --- The parent: files, children, figures ---

struct Outcome {
    double Seconds = 0;
    long PeakMb = 0;
    int Exit = -1;
};

// Runs a program with its output in a file and waits for it.
Outcome Spawn(const std::vector<std::string>& arguments, const std::string& output) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    Outcome outcome;
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        outcome.Seconds = std::chrono::duration<double>(Clock::now() - start).count();
        outcome.PeakMb = usage.ru_maxrss / 1024;
        outcome.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    return outcome;
}

std::string FirstLine(const std::string& path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(file);
}

int Parent(const std::string& self) {
    QTemporaryDir folder;
    const std::string dir = folder.path().toStdString();
    // The windows' processes want a private runtime folder; this one is (mode 0700).
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    const std::string world = dir + "/start.wlt";
    World startWorld;
    ClearWorld(startWorld);
    startWorld.StartColumn = 5;
    startWorld.StartRow = 5;
    startWorld.StartPlaced = true;
    WorldRecord record;
    StoreWorld(startWorld, PlainStockField(), record);
    const WorldFileBytes worldBytes = EncodeWorldFile(record);
    if (!WriteFile(world, std::string(worldBytes.begin(), worldBytes.end()))) return 1;

    const std::string output = dir + "/output.txt";
    std::printf("every file %zu bytes (the editor accepts up to %lld); target under 2 s per step and "
                "under 300 MB per process\n",
                fileSize, static_cast<long long>(kMaxTextFileBytes));
    for (const Shape& shape : kShapes) {
        const std::string path = dir + "/datei.pas";
        if (!WriteFile(path, shape.Make())) return 1;
        std::printf("\n%s\n", shape.Name);
        for (const char* mode : {"--program", "--recording"}) {
            const Outcome child = Spawn({self, mode, path}, output);
            std::printf("  window %-11s peak %4ld MB, %5.2f s in all: %s\n", mode + 2, child.PeakMb,
                        child.Seconds, FirstLine(output).c_str());
        }
        for (const char* command : {"syntax", "run", "replay"}) {
            std::vector<std::string> call = {NIBBO_BATCH, command};
            // A run's memory is that of its check; a few steps show that the run itself adds none.
            if (std::string(command) == "run") call.insert(call.end(), {"--max-steps", "100"});
            if (std::string(command) != "syntax") call.insert(call.end(), {"--world", world});
            call.push_back(path);
            const Outcome batch = Spawn(call, "/dev/null");
            std::printf("  nibbo-batch %-6s peak %4ld MB, %5.2f s (exit %d)\n", command, batch.PeakMb,
                        batch.Seconds, batch.Exit);
        }
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--program") return WindowChild(argc, argv, false);
    if (argc == 3 && std::string(argv[1]) == "--recording") return WindowChild(argc, argv, true);
    if (argc == 2) fileSize = size_t(std::stoul(argv[1])) * 1024;
    return Parent(argv[0][0] == '/' ? argv[0] : QDir::currentPath().toStdString() + "/" + argv[0]);
}
