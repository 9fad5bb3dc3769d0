// The pictures of the world, of the run buttons and of the program's icon, drawn as shapes rather
// than stored as bitmaps so that they come out sharp at every device pixel ratio. Each function
// paints one picture into the logical square at the painter's origin (25 x 25 for world pictures
// and the icon, 16 x 16 for buttons).
#pragma once

#include <QByteArray>
#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QVector>

class QPainter;

namespace nibbo::pictures {

inline constexpr int kCellSize = 25;
inline constexpr int kButtonSize = 16;

inline const QColor kPathColour{0, 0, 102};
inline const QColor kWallLight{0, 189, 255};
inline const QColor kWallDark{8, 123, 165};
inline const QColor kGridLine{192, 192, 192};
inline const QColor kFigureYellow{255, 255, 0};
inline const QColor kFoodWhite{255, 255, 255};

// The opaque wall block: a 19 x 19 light-blue square inside a 3-pixel darker frame.
void PaintWall(QPainter& painter);
// 1..9 white 4 x 4 squares on a transparent background, bottom row first, left to right.
void PaintFood(QPainter& painter, int portions);
// The figure facing orientation 0..3 (east, north, west, south) in chewing frame 0..4.
void PaintFigure(QPainter& painter, int orientation, int frame);

enum class Button { Run, Pause, Stop, Step, Syntax };
void PaintButton(QPainter& painter, Button button);

// The program's icon: the figure facing east, about to eat a portion of food, on a rounded tile of
// the path colour.
void PaintAppIcon(QPainter& painter);
// The same icon as an SVG document.
QByteArray AppIconSvg();

// How many device pixels one logical unit of the painter covers: the device pixel ratio of the
// device it really paints on (also when a widget is rendered into an image of another ratio),
// times any scaling of the painter.
qreal DeviceScale(const QPainter& painter);

// A picture rendered at the given device pixel ratio, transparent where the picture has no paint.
QPixmap WallPixmap(qreal dpr);
QPixmap FoodPixmap(int portions, qreal dpr);
QPixmap FigurePixmap(int orientation, int frame, qreal dpr);
// Icons rendered afresh for every size and ratio asked for; a button's has a greyed form for the
// disabled state.
QIcon ButtonIcon(Button button);
QIcon AppIcon();

} // namespace nibbo::pictures
