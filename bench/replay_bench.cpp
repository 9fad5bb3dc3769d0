// The replay and hand control, measured:
//  - the core: one replay tick on recordings of 1,000 to 100,000 instructions (a tick must cost far
//    less than the 1 ms of the fastest timer, and the same at any length);
//  - the window: ticks per second of AufzTimer at slider position 0 (about 900 are expected from
//    Qt's 1 ms timer here), and key presses per second during a recording as the text grows.
// Runs offscreen; build in Release and run build/bench/bench_replay.
#include "recording/replay.h"
#include "shell/nibboform.h"
#include "shell/prg_memo.h"
#include "support/state_access.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QSlider>
#include <QTimer>
#include <chrono>
#include <cstdio>

namespace {

using namespace nibbo;
using namespace nibbo::testing;

// Round and round a 2 x 2 square: vor, drehe_links, four times over, as long as asked.
SourceLines Recording(int instructions) {
    SourceLines lines{"procedure aufzeichnung;", "begin"};
    for (int i = 0; i < instructions; ++i)
        lines.push_back(i % 2 == 0 ? "  vor;" : "  drehe_links;");
    lines.push_back("end;");
    return lines;
}

void BenchCore() {
    for (const int instructions : {1000, 10000, 100000}) {
        World world;
        ClearWorld(world);
        world.StartColumn = 5;
        world.StartRow = 5;
        world.StartPlaced = true;
        PlainStockField stock;
        NullCanvas canvas;
        Stage stage{world, stock, canvas, 0};
        ReplayState replay;
        StartReplay(replay, Recording(instructions));
        const auto start = std::chrono::steady_clock::now();
        int ticks = 0;
        ReplayEnd end = ReplayEnd::None;
        while (end == ReplayEnd::None) {
            end = ReplayStep(replay, stage).End;
            ++ticks;
        }
        const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
        std::printf("core replay, %6d instructions: %8.1f ns per tick (%s)\n", instructions,
                    took.count() / ticks, end == ReplayEnd::Normal ? "ended normally" : "FAILED");
    }
}

void BenchTimer(TNibboForm& form) {
    CurrentWorld(form).StartColumn = 5;
    CurrentWorld(form).StartRow = 5;
    CurrentWorld(form).StartPlaced = true;
    StoreWorld(CurrentWorld(form), PlainStockField(), StoredWorld(form));
    ProgramsOf(form).Modified = false;
    form.Session().Recording.AufzmodusanMenuItemClick();
    QStringList lines{"procedure aufzeichnung;", "begin"};
    for (int i = 0; i < 20000; ++i)
        lines << (i % 2 == 0 ? "  vor;" : "  drehe_links;");
    lines << "end;";
    form.PrgMemo->setPlainText(lines.join(QLatin1Char('\n')));
    form.SpeedTrackBar->setValue(0);
    form.AufzTimer->setInterval(1);
    int ticks = 0;
    QObject::connect(form.AufzTimer, &QTimer::timeout, [&ticks] { ++ticks; });
    form.Session().Recording.AufzwiederholenMenuItemClick();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 3000 && form.AufzTimer->isActive())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::printf("window replay at position 0: %.0f ticks per second over %.1f s\n",
                ticks * 1000.0 / clock.elapsed(), clock.elapsed() / 1000.0);
    form.Session().Recording.AufzmodusanMenuItemClick();
}

void BenchKeys(TNibboForm& form) {
    form.Session().Recording.AufzmodusanMenuItemClick();
    form.Session().Recording.AufzstartenMenuItemClick();
    const int presses[] = {1000, 4000, 16000};
    int done = 0;
    for (const int upTo : presses) {
        QElapsedTimer clock;
        clock.start();
        const int batch = 200;
        for (int i = 0; i < batch; ++i) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_D, Qt::NoModifier, QStringLiteral("d"));
            QWidget* target = QApplication::focusWidget();
            QApplication::sendEvent(target ? target : &form, &press);
        }
        const double perPress = double(clock.nsecsElapsed()) / batch / 1000.0;
        done += batch;
        std::printf("hand control, key press with %6d lines in the memo: %8.1f us\n",
                    form.PrgMemo->LineCount(), perPress);
        while (done < upTo) {
            form.PrgMemo->AppendLine(QStringLiteral("  drehe_links;"));
            ++done;
        }
    }
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    BenchCore();
    TNibboForm form;
    form.show();
    BenchTimer(form);
    BenchKeys(form);
    return 0;
}
