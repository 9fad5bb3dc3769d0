// The world view, the legend, the button pictures and the editor's selection on screens of other
// pixel ratios. CTest runs
// this executable at the ratios 1, 1.25, 1.5 and 2 (QT_SCALE_FACTOR); each run checks the screen's
// own ratio and, by rendering into images of ratio 2, the exact device pixels at that ratio.
#include "resources/pictures.h"
#include "shell/legend_picture.h"
#include "shell/prg_memo.h"
#include "support/form_fixture.h"
#include "windows/infounit.h"
#include "world/world_view.h"

#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <cmath>
#include <functional>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

const QColor kPath(0, 0, 102);
const QColor kWallLight(0, 189, 255);
const QColor kWallDark(8, 123, 165);
const QColor kSilver(192, 192, 192);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);

qreal ScreenRatio() {
    return QGuiApplication::primaryScreen()->devicePixelRatio();
}

// A widget rendered into an image of the given ratio, as a screen of that ratio would show it.
QImage RenderAt(QWidget* widget, qreal ratio) {
    QImage image(qRound(widget->width() * ratio), qRound(widget->height() * ratio),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::magenta);
    widget->render(&image);
    return image.convertToFormat(QImage::Format_RGB32);
}

// A world with a wall block, every amount of food and the figure, painted into the view.
void PaintSampleWorld(FormFixture& f) {
    World& world = CurrentWorld(*f.Form);
    for (int c = 4; c <= 6; ++c)
        SetCell(world, c, 4, kWall);
    for (int n = 1; n <= 9; ++n)
        SetCell(world, 2 + 2 * n, 8, n);
    PlaceFigure(*f.Form, 10, 12, East);
    f.Form->Session().FormPaint();
}

// The device pixels [First, End) of a logical span [from, from + length) at a ratio: both ends
// rounded to the nearest device pixel boundary, halves upwards, as aliased fills are placed.
struct Span {
    int First, End;
};
Span DeviceSpan(qreal from, qreal length, qreal ratio) {
    return {qRound(from * ratio), qRound((from + length) * ratio)};
}

// Pixels of the image inside a rectangle of device pixels that differ from the colour.
int CountOther(const QImage& image, const QRect& rect, const QColor& colour) {
    int other = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixelColor(x, y) != colour) ++other;
    return other;
}

// The white squares inside a device rectangle: their bounding boxes, each checked to be solid.
QList<QRect> WhiteSquares(const QImage& image, const QRect& area) {
    QList<QRect> squares;
    QImage seen(image.size(), QImage::Format_Mono);
    seen.fill(0);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (seen.pixelIndex(x, y) || image.pixelColor(x, y) != kWhite) continue;
            QRect box(x, y, 1, 1);
            QList<QPoint> todo{{x, y}};
            seen.setPixel(x, y, 1);
            while (!todo.isEmpty()) {
                const QPoint p = todo.takeLast();
                box |= QRect(p, QSize(1, 1));
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint n = p + d;
                    if (!area.contains(n) || seen.pixelIndex(n.x(), n.y()) || image.pixelColor(n) != kWhite)
                        continue;
                    seen.setPixel(n.x(), n.y(), 1);
                    todo.append(n);
                }
            }
            squares.append(box);
        }
    }
    return squares;
}

// How visible each underscore of the editor is: for each, the strongest row of device pixels
// across the middle half of its character, a row as strong as its weakest pixel, and a pixel as
// strong as its difference in brightness from the same editor with a blank in place of the
// underscore. `select` marks the selection before each picture is taken.
QList<int> UnderscoreInk(TPrgMemo& memo, const QString& text, const std::function<void()>& select) {
    const auto shoot = [&](const QString& shown) {
        memo.setPlainText(shown);
        select();
        return memo.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    const QImage blank = shoot(QString(text).replace(QLatin1Char('_'), QLatin1Char(' ')));
    const QImage shown = shoot(text);
    const qreal ratio = shown.devicePixelRatio();
    QList<int> inks;
    for (qsizetype at = text.indexOf(QLatin1Char('_')); at >= 0;
         at = text.indexOf(QLatin1Char('_'), at + 1)) {
        QTextCursor cursor(memo.document());
        cursor.setPosition(int(at));
        const QRect left = memo.cursorRect(cursor);
        cursor.setPosition(int(at) + 1);
        const int width = memo.cursorRect(cursor).x() - left.x();
        int best = 0;
        // From the line's top to two pixels into the next line, where a low underscore may reach.
        for (int y = int(left.top() * ratio); y < int((left.bottom() + 3) * ratio); ++y) {
            int row = 255;
            for (int x = int((left.x() + width / 4.0) * ratio); x < int((left.x() + width * 3 / 4.0) * ratio);
                 ++x) {
                const QColor a = shown.pixelColor(x, y), b = blank.pixelColor(x, y);
                row = std::min(row, std::abs(qGray(a.rgb()) - qGray(b.rgb())));
            }
            best = std::max(best, row);
        }
        inks.append(best);
    }
    return inks;
}

} // namespace

class TestHighDpi : public QObject {
    Q_OBJECT
private slots:
    void logicalSizesAndPositionsStayAsAtRatioOne() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        QCOMPARE(form.FeldEditorDrawGrid->geometry(), QRect(1, 1, 628, 524));
        QCOMPARE(form.centralWidget()->width(), 1008);
        QCOMPARE(form.centralWidget()->height() + form.statusBar()->height(), 635);
        QCOMPARE(form.LegendStartImage->geometry(), QRect(8, 8, 25, 25));
        QCOMPARE(form.LegendFoodImage->geometry(), QRect(192, 48, 25, 25));
        QCOMPARE(form.SyntaxSpeedButton->geometry(), QRect(608, 8, 23, 22));
        QCOMPARE(form.SyntaxSpeedButton->iconSize(), QSize(16, 16));
        QCOMPARE(TWorldGrid::CellRect(24, 20), QRect(23 * 26, 19 * 26, 25, 25));
    }

    void theSurfaceHasTheScreensDevicePixels() {
        FormFixture f;
        const qreal ratio = ScreenRatio();
        const QImage& surface = f.Form->FeldEditorDrawGrid->Surface();
        QCOMPARE(surface.devicePixelRatio(), ratio);
        QCOMPARE(surface.size(), QSize(qRound(624 * ratio), qRound(520 * ratio)));
    }

    // At any ratio, walls, food, path and grid lines are drawn without blending: every pixel has
    // one of their colours, and every cell and line covers the device pixels of its logical span.
    void cellsAreCrispAtTheScreensRatio() {
        FormFixture f;
        PaintSampleWorld(f);
        const qreal ratio = ScreenRatio();
        const QImage surface = f.Form->FeldEditorDrawGrid->Surface().convertToFormat(QImage::Format_RGB32);
        const QRect cell = TWorldGrid::CellRect(10, 12);
        const Span fx = DeviceSpan(cell.x(), 25, ratio), fy = DeviceSpan(cell.y(), 25, ratio);
        const QRect figureCell(fx.First, fy.First, fx.End - fx.First, fy.End - fy.First);
        const QList<QColor> palette{kPath, kSilver, kWallLight, kWallDark, kWhite};
        int blended = 0;
        for (int y = 0; y < surface.height(); ++y)
            for (int x = 0; x < surface.width(); ++x)
                if (!figureCell.contains(x, y) && !palette.contains(surface.pixelColor(x, y))) ++blended;
        QCOMPARE(blended, 0);

        // The grid line after column 5 and row 5: silver over its whole device span.
        const Span line = DeviceSpan(5 * 26 - 1, 1, ratio);
        QVERIFY(line.End > line.First);
        QCOMPARE(CountOther(surface, QRect(line.First, 0, line.End - line.First, surface.height()), kSilver),
                 0);
        QCOMPARE(CountOther(surface, QRect(0, line.First, surface.width(), line.End - line.First), kSilver),
                 0);

        // A wall cell: dark round its border, light in its middle, silver on neither.
        const QRect wall = TWorldGrid::CellRect(5, 4);
        const Span wx = DeviceSpan(wall.x(), 25, ratio), wy = DeviceSpan(wall.y(), 25, ratio);
        QCOMPARE(surface.pixelColor(wx.First, wy.First), kWallDark);
        QCOMPARE(surface.pixelColor(wx.End - 1, wy.End - 1), kWallDark);
        QCOMPARE(surface.pixelColor((wx.First + wx.End) / 2, (wy.First + wy.End) / 2), kWallLight);

        // n portions: n solid white squares of four logical pixels each.
        for (int n = 1; n <= 9; ++n) {
            const QRect cell = TWorldGrid::CellRect(2 + 2 * n, 8);
            const Span cx = DeviceSpan(cell.x(), 25, ratio), cy = DeviceSpan(cell.y(), 25, ratio);
            const QRect area(cx.First, cy.First, cx.End - cx.First, cy.End - cy.First);
            const QList<QRect> squares = WhiteSquares(surface, area);
            QCOMPARE(squares.size(), n);
            for (const QRect& square : squares) {
                QCOMPARE(CountOther(surface, square, kWhite), 0);
                QVERIFY2(std::abs(square.width() - 4 * ratio) < 1 &&
                             std::abs(square.height() - 4 * ratio) < 1,
                         qPrintable(QStringLiteral("%1 x %2").arg(square.width()).arg(square.height())));
            }
        }
    }

    // Rendered at ratio 2, whatever the screen's ratio: every edge falls on its device pixel.
    void edgesAreExactAtRatioTwo() {
        FormFixture f;
        PaintSampleWorld(f);
        const QImage view = RenderAt(f.Form->FeldEditorDrawGrid, 2);
        const QPoint client(4, 4); // the sunken border, 2 logical pixels
        const auto at = [&](int x, int y) { return view.pixelColor(client + QPoint(x, y)); };

        // The wall (5, 4) from left to right along its middle: frame, block, frame, grid line.
        const int wx = 4 * 26 * 2, wy = 3 * 26 * 2;
        for (int x = 0; x < 6; ++x)
            QCOMPARE(at(wx + x, wy + 25), kWallDark);
        for (int x = 6; x < 44; ++x)
            QCOMPARE(at(wx + x, wy + 25), kWallLight);
        for (int x = 44; x < 50; ++x)
            QCOMPARE(at(wx + x, wy + 25), kWallDark);
        QCOMPARE(at(wx + 50, wy + 25), kSilver);
        QCOMPARE(at(wx + 51, wy + 25), kSilver);
        QCOMPARE(at(wx + 52, wy + 25), kWallDark); // the next wall of the block

        // Grid lines: two device pixels of silver after every cell, the whole way across. (The
        // sunken border is the style's drawing; rendered at a ratio other than the screen's, it may
        // reach a device pixel into the view, so the rows at the very edge are left out.)
        for (int i = 1; i <= 23; ++i) {
            const int x = (i * 26 - 1) * 2;
            for (int y = 2; y < 1038; y += 7) {
                QCOMPARE(at(x, y), kSilver);
                QCOMPARE(at(x + 1, y), kSilver);
            }
            QVERIFY(at(x - 1, 100) != kSilver);
            QVERIFY(at(x + 2, 100) != kSilver);
        }

        // Nine portions in cell (20, 8): squares of exactly 8 x 8 device pixels at the lattice's places.
        const QList<QRect> squares =
            WhiteSquares(view, QRect(client + QPoint(19 * 26 * 2, 7 * 26 * 2), QSize(50, 50)));
        QCOMPARE(squares.size(), 9);
        for (const int lx : {4, 11, 18})
            for (const int ly : {3, 10, 17})
                QVERIFY(squares.contains(
                    QRect(client + QPoint((19 * 26 + lx) * 2, (7 * 26 + ly) * 2), QSize(8, 8))));

        // The figure is drawn at ratio 2, not doubled from 25 pixels: its eye is 4 x 4 device pixels
        // and the antialiased rim differs between the two device rows of a logical row.
        const QPoint figure = client + QPoint(9 * 26 * 2, 11 * 26 * 2);
        const QList<QRect> eye = [&] {
            QList<QRect> found;
            for (int y = 0; y < 50; ++y)
                for (int x = 0; x < 50; ++x)
                    if (view.pixelColor(figure + QPoint(x, y)) == kBlack) found.append(QRect(x, y, 1, 1));
            return found;
        }();
        QCOMPARE(eye.size(), 16);
        QCOMPARE(eye.first(), QRect(24, 10, 1, 1));
        int rowsThatDiffer = 0;
        for (int y = 0; y < 50; y += 2)
            for (int x = 0; x < 50; ++x)
                if (view.pixel(figure + QPoint(x, y)) != view.pixel(figure + QPoint(x, y + 1))) {
                    ++rowsThatDiffer;
                    break;
                }
        QVERIFY2(rowsThatDiffer > 10, qPrintable(QString::number(rowsThatDiffer)));
    }

    // After an image of another ratio, the screen is served at its own ratio again.
    void theSurfaceFollowsTheRatioItIsShownAt() {
        FormFixture f;
        PaintSampleWorld(f);
        const qreal ratio = ScreenRatio();
        const qreal other = ratio == 2 ? 1.5 : 2;
        RenderAt(f.Form->FeldEditorDrawGrid, other);
        QCOMPARE(f.Form->FeldEditorDrawGrid->Surface().devicePixelRatio(), other);
        QCOMPARE(f.CellPixel(10, 12, 3, 12), QColor(255, 255, 0)); // the world was painted anew
        const QImage grabbed = f.Form->FeldEditorDrawGrid->grab().toImage();
        QCOMPARE(grabbed.devicePixelRatio(), ratio);
        QCOMPARE(f.Form->FeldEditorDrawGrid->Surface().devicePixelRatio(), ratio);
        QCOMPARE(f.CellPixel(5, 4, 12, 12), kWallLight);
    }

    void legendPicturesAreDrawnForTheirDevice_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("screen") << ScreenRatio();
        QTest::newRow("2") << qreal(2);
        QTest::newRow("3") << qreal(3);
    }

    void legendPicturesAreDrawnForTheirDevice() {
        QFETCH(qreal, ratio);
        FormFixture f;
        const QImage wall = RenderAt(f.Form->LegendWallImage, ratio);
        QCOMPARE(wall.size(), QSize(qRound(25 * ratio), qRound(25 * ratio)));
        const Span frame = DeviceSpan(0, 3, ratio);
        const int middle = wall.height() / 2;
        QCOMPARE(wall.pixelColor(frame.End - 1, middle), kWallDark);
        QCOMPARE(wall.pixelColor(frame.End, middle), kWallLight);

        const QImage start = RenderAt(f.Form->LegendStartImage, ratio);
        const Span eyeX = DeviceSpan(12, 2, ratio), eyeY = DeviceSpan(5, 2, ratio);
        QCOMPARE(CountOther(start,
                            QRect(eyeX.First, eyeY.First, eyeX.End - eyeX.First, eyeY.End - eyeY.First),
                            kBlack),
                 0);
        QVERIFY(start.pixelColor(eyeX.End, eyeY.First) != kBlack);
        QCOMPARE(start.pixelColor(start.width() - 1, middle), kPath); // the mouth, open to the east

        const QImage food = RenderAt(f.Form->LegendFoodImage, ratio);
        QCOMPARE(WhiteSquares(food, food.rect()).size(), 5);
        QCOMPARE(RenderAt(f.Form->LegendPathImage, ratio).pixelColor(middle, middle), kPath);
    }

    // A selected line (the faulty line of the syntax check) leaves every underscore of the
    // program at least two thirds as visible as it is without a selection: on the line itself and
    // on the line above it, whose underscores reach down to the selection's edge.
    void underscoresStayVisibleAroundASelectedLine() {
        FormFixture f;
        TPrgMemo& memo = *f.Form->PrgMemo;
        const QString program = QStringLiteral("program p_1;\nbegin\n  drehe_links;\n  while vorne_frei do\n"
                                               "    gib_ab;\n  nimm_auf;\nend.");
        const QList<int> plain = UnderscoreInk(memo, program, [] {});
        for (const int ink : plain)
            QVERIFY2(ink > 64, qPrintable(QString::number(ink))); // the measure finds them
        for (int line = 0; line < program.count(QLatin1Char('\n')); ++line) {
            const QList<int> selected = UnderscoreInk(memo, program, [&memo, line] {
                QTextCursor cursor(memo.document()->findBlockByNumber(line));
                cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
                memo.setTextCursor(cursor);
            });
            for (qsizetype i = 0; i < plain.size(); ++i)
                QVERIFY2(selected[i] * 3 >= plain[i] * 2,
                         qPrintable(QStringLiteral("line %1 selected, underscore %2: %3 of %4")
                                        .arg(line)
                                        .arg(i)
                                        .arg(selected[i])
                                        .arg(plain[i])));
        }
    }

    // The info window's figure: a picture of the screen's ratio, made afresh at every tick.
    void theInfoWindowsFigureHasTheScreensRatio() {
        FormFixture f;
        TInfoForm info(f.Form->PacImageList);
        info.DemoTimerTimer();
        const qreal ratio = ScreenRatio();
        const QPixmap sprite = info.PacImage->pixmap();
        QCOMPARE(sprite.devicePixelRatio(), ratio);
        QCOMPARE(sprite.size(), QSize(qRound(25 * ratio), qRound(25 * ratio)));
        const QImage image = sprite.toImage().convertToFormat(QImage::Format_RGB32);
        const Span eyeX = DeviceSpan(12, 2, ratio), eyeY = DeviceSpan(5, 2, ratio);
        QCOMPARE(CountOther(image,
                            QRect(eyeX.First, eyeY.First, eyeX.End - eyeX.First, eyeY.End - eyeY.First),
                            kBlack),
                 0);
    }

    // Button pictures are painted for the pixel size asked for, also at ratios no screen here has.
    void buttonPicturesAtEveryRatio_data() {
        QTest::addColumn<qreal>("ratio");
        for (const qreal ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 3.0})
            QTest::addRow("%g", ratio) << ratio;
    }

    void buttonPicturesAtEveryRatio() {
        QFETCH(qreal, ratio);
        FormFixture f;
        const QIcon icon = f.Form->StopSpeedButton->icon();
        const QImage stop =
            icon.pixmap(QSize(16, 16), ratio).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(stop.size(), QSize(qRound(16 * ratio), qRound(16 * ratio)));
        // The square (3, 3, 10, 10): solid inside the device pixels it covers wholly, empty outside
        // those it touches.
        const int inFirst = int(std::ceil(3 * ratio)), inEnd = int(std::floor(13 * ratio));
        const int outFirst = int(std::floor(3 * ratio)), outEnd = int(std::ceil(13 * ratio));
        for (int x = 0; x < stop.width(); ++x) {
            const QColor c = stop.pixelColor(x, stop.height() / 2);
            if (x >= inFirst && x < inEnd) QCOMPARE(c, QColor(160, 0, 0));
            if (x < outFirst || x >= outEnd) QCOMPARE(c.alpha(), 0);
        }
        // The disabled form: the same shape in grey.
        const QImage greyed = icon.pixmap(QSize(16, 16), ratio, QIcon::Disabled)
                                  .toImage()
                                  .convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(greyed.size(), stop.size());
        const QColor grey = greyed.pixelColor(stop.width() / 2, stop.height() / 2);
        QVERIFY(grey.alpha() > 0 && grey.red() == grey.green() && grey.green() == grey.blue());
        QCOMPARE(greyed.pixelColor(0, 0).alpha(), 0);
    }

    void theButtonShowsItsPictureAtTheScreensRatio() {
        FormFixture f;
        const qreal ratio = ScreenRatio();
        const QImage button = f.Form->StopSpeedButton->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(button.devicePixelRatio(), ratio);
        int red = 0;
        for (int y = 0; y < button.height(); ++y)
            for (int x = 0; x < button.width(); ++x)
                if (button.pixelColor(x, y) == QColor(160, 0, 0)) ++red;
        // The 10 x 10 square covers at least the device pixels wholly inside it.
        const int inside = int(std::floor(13 * ratio)) - int(std::ceil(3 * ratio));
        QVERIFY2(red >= inside * inside, qPrintable(QStringLiteral("%1 < %2").arg(red).arg(inside * inside)));
    }
};

QTEST_MAIN(TestHighDpi)
#include "test_high_dpi.moc"
