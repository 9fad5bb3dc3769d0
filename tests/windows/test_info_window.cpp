// The info window: its look, and the show in which Nibbo walks inside the window while the window
// wanders over the screen: the order of a tick, the turns at the edges, the random turns, the
// one-tick lag, and the show going on where it stopped after the window was closed.
#include "shell/random.h"
#include "support/form_fixture.h"
#include "windows/infounit.h"
#include "world/world_paint.h"

#include <QLabel>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

// Answers random(n) from a script; when the script is used up, 1: no new direction.
struct ScriptedRandom {
    std::deque<int> answers;
    int operator()(int) {
        if (answers.empty()) return 1;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// The main window with an info window handed to it, as at program start.
struct InfoFixture {
    FormFixture main;
    TInfoForm info{main.Form->PacImageList};
    InfoFixture() { main.Form->InfoForm = &info; }
    void ChooseInfo() { main.Form->InfoMenuItem->trigger(); }
};

QImage Picture(const QLabel* label) {
    return label->pixmap().toImage();
}

QImage Sprite(const TNibboForm& form, const QLabel* label, int image) {
    return form.PacImageList.Pixmap(image, label->devicePixelRatioF()).toImage();
}

bool SameShow(const DemoShow& a, const DemoShow& b) {
    return a.Frame == b.Frame && a.FigureLeft == b.FigureLeft && a.FigureTop == b.FigureTop &&
           a.FigureDirection == b.FigureDirection && a.WindowLeft == b.WindowLeft &&
           a.WindowTop == b.WindowTop && a.WindowDirection == b.WindowDirection;
}

// Where the window may stand so that all of it is on the screen.
QRect WindowRange(const TInfoForm& info) {
    const QRect screen = info.ScreenRect();
    const QSize outer = info.OuterSize();
    return {screen.topLeft(),
            QSize(screen.width() - outer.width() + 1, screen.height() - outer.height() + 1)};
}

} // namespace

class TestInfoWindow : public QObject {
    Q_OBJECT
private slots:
    void windowLooksAsDesigned() {
        InfoFixture f;
        TInfoForm& info = f.info;
        QCOMPARE(info.windowTitle(), QStringLiteral("Nibbo Info"));
        QCOMPARE(info.windowType(), Qt::Tool);
        QCOMPARE(info.size(), QSize(445, 419));
        QCOMPARE(info.minimumSize(), info.maximumSize());
        QVERIFY(info.isHidden());
        QCOMPARE(info.pos(), QPoint(432, 123));
        QVERIFY(info.autoFillBackground());
        QCOMPARE(info.palette().color(QPalette::Window), QColor(Qt::black));
        QCOMPARE(info.grab().toImage().pixelColor(440, 5), QColor(Qt::black));

        const QColor red(255, 0, 0), lime(0, 255, 0), skyBlue(166, 202, 240), teal(0, 128, 128);
        const struct {
            QLabel* label;
            QPoint place;
            QSize box; // empty: one line, as wide as its text
            int pixelSize;
            QColor colour;
        } labels[] = {
            {info.TitelLabel, {151, 24}, {145, 55}, 48, red},
            {info.BeschreibungLabel, {24, 96}, {381, 48}, 13, lime},
            {info.VersionLabel, {24, 160}, {}, 15, skyBlue},
            {info.DatumLabel, {24, 176}, {}, 15, skyBlue},
            {info.Autor1Label, {24, 200}, {}, 17, skyBlue},
            {info.Autor2Label, {24, 224}, {}, 17, skyBlue},
            {info.Autor3Label, {24, 248}, {}, 17, skyBlue},
            {info.Adresse1Label, {24, 288}, {232, 32}, 13, lime},
            {info.Adresse2Label, {24, 326}, {351, 32}, 13, lime},
            {info.LizenzLabel, {24, 376}, {373, 32}, 13, teal},
        };
        for (const auto& l : labels) {
            const char* name = qPrintable(l.label->objectName());
            QVERIFY2(!l.label->text().isEmpty(), name);
            QCOMPARE(l.label->pos(), l.place);
            QCOMPARE(l.label->font().pixelSize(), l.pixelSize);
            QCOMPARE(l.label->palette().color(QPalette::WindowText), l.colour);
            if (l.box.isValid() && l.label != info.TitelLabel) {
                QCOMPARE(l.label->size(), l.box);
                QVERIFY(l.label->wordWrap());
                // The text fits its box.
                QVERIFY2(l.label->heightForWidth(l.box.width()) <= l.box.height(), name);
            } else {
                // One line that ends inside the window.
                QVERIFY2(l.label->x() + l.label->sizeHint().width() <= info.width(), name);
                QVERIFY(!l.label->text().contains(QLatin1Char('\n')));
            }
        }
        QCOMPARE(info.TitelLabel->text(), QStringLiteral("Nibbo"));
        QCOMPARE(info.TitelLabel->size(), QSize(145, 55));
        QVERIFY(info.TitelLabel->font().bold());
        QVERIFY(info.TitelLabel->font().italic());
        QVERIFY(info.TitelLabel->sizeHint().width() <= 145);
        QVERIFY(info.Autor1Label->text().contains(QLatin1String("das Nibbo-Team")));

        // The figure lies above every label except the second version line.
        QCOMPARE(info.PacImage->geometry(), QRect(80, 40, 25, 25));
        const QObjectList stack = info.children();
        for (const auto& l : labels) {
            if (l.label == info.DatumLabel)
                QVERIFY(stack.indexOf(l.label) > stack.indexOf(info.PacImage));
            else
                QVERIFY(stack.indexOf(l.label) < stack.indexOf(info.PacImage));
        }

        QCOMPARE(info.DemoTimer->interval(), 100);
        QVERIFY(!info.DemoTimer->isActive());
        QVERIFY(!info.DemoTimer->isSingleShot());
    }

    void formCreateStartsTheShow() {
        InfoFixture f;
        const DemoShow& show = f.info.Show;
        QCOMPARE(show.Frame, 0u);
        QCOMPARE(show.FigureLeft, 40u);
        QCOMPARE(show.FigureTop, 40u);
        QCOMPARE(int(show.FigureDirection), 0);
        QCOMPARE(show.WindowLeft, 432u);
        QCOMPARE(show.WindowTop, 123u);
        QCOMPARE(int(show.WindowDirection), 0);
    }

    void aTickShowsTheLastStateThenAdvances() {
        InfoFixture f;
        TInfoForm& info = f.info;
        info.Random = ScriptedRandom{};
        info.Show.WindowLeft = 100;
        info.Show.WindowTop = 110;
        for (int tick = 0; tick < 7; ++tick) {
            const DemoShow before = info.Show;
            info.DemoTimerTimer();
            // Steps 1-3 show the state the tick found.
            QCOMPARE(info.pos(), QPoint(int(before.WindowLeft), int(before.WindowTop)));
            QCOMPARE(info.PacImage->pos(), QPoint(int(before.FigureLeft), int(before.FigureTop)));
            QCOMPARE(info.PacImage->size(), QSize(25, 25));
            QCOMPARE(Picture(info.PacImage),
                     Sprite(*f.main.Form, info.PacImage, FigureImage(0, int(before.Frame))));
            // Steps 4-10 make the next one: the next frame, 2 pixels right for both walks.
            QCOMPARE(info.Show.Frame, (before.Frame + 1) % 5);
            QCOMPARE(info.Show.FigureLeft, before.FigureLeft + 2);
            QCOMPARE(info.Show.FigureTop, before.FigureTop);
            QCOMPARE(info.Show.WindowLeft, before.WindowLeft + 2);
            QCOMPARE(info.Show.WindowTop, before.WindowTop);
        }
        QCOMPARE(info.Show.Frame, 2u);

        // The picture follows the direction: facing down in frame 3 is image 18.
        info.Show.FigureDirection = 3;
        info.Show.Frame = 3;
        info.DemoTimerTimer();
        QCOMPARE(Picture(info.PacImage), Sprite(*f.main.Form, info.PacImage, 18));
    }

    void figureTurnsAtTheEdges_data() {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QList<int>>("random");
        QTest::addColumn<int>("newDirection");
        QTest::addColumn<int>("newLeft");
        QTest::addColumn<int>("newTop");
        const QList<int> none;
        QTest::newRow("right at 420 turns left") << 420 << 100 << 0 << none << 2 << 418 << 100;
        QTest::newRow("right at 418 steps to 420") << 418 << 100 << 0 << none << 0 << 420 << 100;
        QTest::newRow("left at 0 turns right") << 0 << 100 << 2 << none << 0 << 2 << 100;
        QTest::newRow("left at 2 steps to 0") << 2 << 100 << 2 << none << 2 << 0 << 100;
        QTest::newRow("up at 0 turns down") << 100 << 0 << 1 << none << 3 << 100 << 2;
        QTest::newRow("up at 1 turns down") << 100 << 1 << 1 << none << 3 << 100 << 3;
        QTest::newRow("down at 394 turns up") << 100 << 394 << 3 << none << 1 << 100 << 392;
        QTest::newRow("down at 392 steps to 394") << 100 << 392 << 3 << none << 3 << 100 << 394;
        QTest::newRow("random turn to the edge is undone")
            << 420 << 100 << 1 << QList<int>{0, 0} << 2 << 418 << 100;
        QTest::newRow("random turn up at the top is undone")
            << 200 << 0 << 0 << QList<int>{0, 1} << 3 << 200 << 2;
        QTest::newRow("random turn away from the edge")
            << 420 << 100 << 0 << QList<int>{0, 3} << 3 << 420 << 102;
        QTest::newRow("random draw of the same direction")
            << 200 << 200 << 2 << QList<int>{0, 2} << 2 << 198 << 200;
        QTest::newRow("corner: only the present direction is tested")
            << 420 << 394 << 3 << none << 1 << 420 << 392;
    }

    void figureTurnsAtTheEdges() {
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(int, direction);
        QFETCH(QList<int>, random);
        QFETCH(int, newDirection);
        QFETCH(int, newLeft);
        QFETCH(int, newTop);
        InfoFixture f;
        TInfoForm& info = f.info;
        info.Random = ScriptedRandom{std::deque<int>(random.begin(), random.end())};
        info.Show.FigureLeft = uint32_t(left);
        info.Show.FigureTop = uint32_t(top);
        info.Show.FigureDirection = uint8_t(direction);
        info.DemoTimerTimer();
        QCOMPARE(int(info.Show.FigureDirection), newDirection);
        QCOMPARE(int(info.Show.FigureLeft), newLeft);
        QCOMPARE(int(info.Show.FigureTop), newTop);
    }

    void windowTurnsAtTheScreenEdges_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QList<int>>("random");
        QTest::addColumn<int>("newDirection");
        QTest::addColumn<QPoint>("next");
        const QRect screen(0, 0, 1280, 1024);
        const QList<int> none;
        // The window's outer size is 445 x 419 here: its right edge may reach 1280, its bottom 1024.
        QTest::newRow("up at top 1 turns down")
            << screen << QPoint(300, 1) << 1 << none << 3 << QPoint(300, 3);
        QTest::newRow("up at top 0, left edge") << screen << QPoint(0, 0) << 1 << none << 3 << QPoint(0, 2);
        QTest::newRow("up at top 0, right edge")
            << screen << QPoint(835, 0) << 1 << none << 3 << QPoint(835, 2);
        QTest::newRow("up at top 2 steps to 0")
            << screen << QPoint(300, 2) << 1 << none << 1 << QPoint(300, 0);
        QTest::newRow("right at 835 turns left")
            << screen << QPoint(835, 50) << 0 << none << 2 << QPoint(833, 50);
        QTest::newRow("right at 833 steps to 835")
            << screen << QPoint(833, 50) << 0 << none << 0 << QPoint(835, 50);
        QTest::newRow("left at 1 turns right") << screen << QPoint(1, 50) << 2 << none << 0 << QPoint(3, 50);
        QTest::newRow("down at 605 turns up")
            << screen << QPoint(50, 605) << 3 << none << 1 << QPoint(50, 603);
        QTest::newRow("random turn up at the top is undone")
            << screen << QPoint(50, 0) << 0 << QList<int>{1, 0, 1} << 3 << QPoint(50, 2);
        QTest::newRow("a second screen to the right")
            << QRect(1280, 0, 1024, 768) << QPoint(1281, 100) << 2 << none << 0 << QPoint(1283, 100);
    }

    void windowTurnsAtTheScreenEdges() {
        QFETCH(QRect, screen);
        QFETCH(QPoint, start);
        QFETCH(int, direction);
        QFETCH(QList<int>, random);
        QFETCH(int, newDirection);
        QFETCH(QPoint, next);
        DemoShow show;
        show.WindowLeft = uint32_t(start.x());
        show.WindowTop = uint32_t(start.y());
        show.WindowDirection = uint8_t(direction);
        ScriptedRandom scripted{std::deque<int>(random.begin(), random.end())};
        AdvanceShow(show, QSize(445, 419), screen, QSize(445, 419), std::ref(scripted));
        QCOMPARE(int(show.WindowDirection), newDirection);
        QCOMPARE(QPoint(int(show.WindowLeft), int(show.WindowTop)), next);
        // The figure's walk took its own draw first: it went on untouched.
        QCOMPARE(show.FigureLeft, 42u);
    }

    void windowOutsideTheScreenIsBroughtOnIt_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QPoint>("kept");
        const QRect small(0, 0, 800, 600);
        QTest::newRow("on the screen stays") << small << QPoint(300, 100) << QPoint(300, 100);
        QTest::newRow("at the far corner stays") << small << QPoint(355, 181) << QPoint(355, 181);
        QTest::newRow("design place on a small screen") << small << QPoint(432, 123) << QPoint(355, 123);
        QTest::newRow("below the screen") << small << QPoint(10, 900) << QPoint(10, 181);
        QTest::newRow("screen smaller than the window")
            << QRect(0, 0, 400, 300) << QPoint(50, 60) << QPoint(0, 0);
        QTest::newRow("left of a second screen")
            << QRect(1280, 0, 800, 600) << QPoint(10, 10) << QPoint(1280, 10);
    }

    void windowOutsideTheScreenIsBroughtOnIt() {
        QFETCH(QRect, screen);
        QFETCH(QPoint, start);
        QFETCH(QPoint, kept);
        DemoShow show;
        show.WindowLeft = uint32_t(start.x());
        show.WindowTop = uint32_t(start.y());
        KeepWindowOnScreen(show, screen, QSize(445, 419));
        QCOMPARE(QPoint(int(show.WindowLeft), int(show.WindowTop)), kept);
    }

    void longShowStaysInsideAndDrawsAboutOneTurnInTwelve() {
        InfoFixture f;
        TInfoForm& info = f.info;
        SeedRandom(20261201);
        QList<int> calls;
        info.Random = [&calls](int n) {
            calls.append(n);
            return RandomBelow(n);
        };
        const QRect range = WindowRange(info);
        constexpr int kTicks = 20000;
        QSet<int> figureDirections, windowDirections;
        int figureDraws = 0, windowDraws = 0;
        for (int tick = 0; tick < kTicks; ++tick) {
            const DemoShow before = info.Show;
            calls.clear();
            info.DemoTimerTimer();

            // The window and the figure show where the tick before left them (the design place is
            // first brought onto this small screen).
            QVERIFY(range.contains(info.pos()));
            if (tick > 0) QCOMPARE(info.pos(), QPoint(int(before.WindowLeft), int(before.WindowTop)));
            QCOMPARE(info.PacImage->pos(), QPoint(int(before.FigureLeft), int(before.FigureTop)));
            QVERIFY2(info.Show.FigureLeft <= 420 && info.Show.FigureTop <= 394,
                     qPrintable(QString::number(tick)));
            QVERIFY(range.contains(QPoint(int(info.Show.WindowLeft), int(info.Show.WindowTop))));

            // One draw of 12 for each walk, each followed by a draw of 4 exactly when it came out 0:
            // first the figure's, then the window's.
            QVERIFY2(calls.size() >= 2 && calls.size() <= 4 && calls.first() == 12,
                     qPrintable(QString::number(tick)));
            qsizetype next = 1;
            if (calls[next] == 4) {
                ++figureDraws;
                ++next;
            }
            QCOMPARE(calls[next], 12);
            ++next;
            if (next < calls.size()) {
                QCOMPARE(calls[next], 4);
                ++windowDraws;
                ++next;
            }
            QCOMPARE(next, calls.size());

            figureDirections.insert(info.Show.FigureDirection);
            windowDirections.insert(info.Show.WindowDirection);
        }
        QCOMPARE(figureDirections, (QSet<int>{0, 1, 2, 3}));
        QCOMPARE(windowDirections, (QSet<int>{0, 1, 2, 3}));
        // 20000 / 12 is about 1667, with a spread of about 39.
        QVERIFY2(figureDraws > 1400 && figureDraws < 1930, qPrintable(QString::number(figureDraws)));
        QVERIFY2(windowDraws > 1400 && windowDraws < 1930, qPrintable(QString::number(windowDraws)));
    }

    void infoStartsTheShowAndClosingStopsIt() {
        InfoFixture f;
        TInfoForm& info = f.info;
        // Without an info window the command does nothing.
        f.main.Form->InfoForm = nullptr;
        f.ChooseInfo();
        QVERIFY(!info.isVisible());
        f.main.Form->InfoForm = &info;

        f.ChooseInfo();
        QVERIFY(info.isVisible());
        QVERIFY(info.DemoTimer->isActive());
        QVERIFY(!info.isModal());
        // Shown in the middle of the screen; the timer's ticks then move the show on.
        QCOMPARE(info.frameGeometry().center(), info.ScreenRect().center());
        const uint32_t startLeft = info.Show.FigureLeft;
        QTRY_VERIFY_WITH_TIMEOUT(info.Show.FigureLeft != startLeft || info.Show.FigureDirection != 0, 3000);

        // Some more ticks, then close: the timer stops and the state stays.
        info.Random = ScriptedRandom{{0, 3, 0, 1}};
        for (int tick = 0; tick < 30; ++tick)
            info.DemoTimerTimer();
        QVERIFY(info.close());
        QVERIFY(!info.isVisible());
        QVERIFY(!info.DemoTimer->isActive());
        const DemoShow stopped = info.Show;
        QTest::qWait(250);
        QVERIFY(SameShow(info.Show, stopped));

        // "Info" again goes on from there: centred first, then the first tick puts the window and the
        // figure where they stopped and steps on.
        info.Random = ScriptedRandom{};
        f.ChooseInfo();
        QVERIFY(info.isVisible());
        QVERIFY(info.DemoTimer->isActive());
        QVERIFY(SameShow(info.Show, stopped));
        QCOMPARE(info.frameGeometry().center(), info.ScreenRect().center());
        info.DemoTimer->stop();
        info.DemoTimerTimer();
        DemoShow kept = stopped;
        KeepWindowOnScreen(kept, info.ScreenRect(), info.OuterSize());
        QCOMPARE(info.pos(), QPoint(int(kept.WindowLeft), int(kept.WindowTop)));
        QCOMPARE(info.PacImage->pos(), QPoint(int(stopped.FigureLeft), int(stopped.FigureTop)));
        QCOMPARE(info.Show.Frame, (stopped.Frame + 1) % 5);
        QCOMPARE(info.Show.FigureDirection, stopped.FigureDirection);
        const int moved = std::abs(int(info.Show.FigureLeft) - int(stopped.FigureLeft)) +
                          std::abs(int(info.Show.FigureTop) - int(stopped.FigureTop));
        QCOMPARE(moved, 2);

        // "Info" while the window is open only brings it forward; the show is not reset.
        info.DemoTimer->start();
        const DemoShow open = info.Show;
        f.ChooseInfo();
        QVERIFY(info.isVisible());
        QVERIFY(info.DemoTimer->isActive());
        QCOMPARE(info.Show.Frame, open.Frame);

        // Hiding by the program stops the show as well.
        info.hide();
        QVERIFY(!info.DemoTimer->isActive());
    }
};

QTEST_MAIN(TestInfoWindow)
#include "test_info_window.moc"
