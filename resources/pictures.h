// The pictures of the world, of the run buttons and of the program's icon, painted with Qt from
// their shapes (resources/picture_shapes.h) rather than stored as bitmaps, so that they come out
// sharp at every device pixel ratio. Each function paints one picture into the logical square at
// the painter's origin (25 x 25 for world pictures and the icon, 16 x 16 for buttons).
#pragma once

#include "resources/picture_shapes.h"

#include <QByteArray>
#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QVector>

class QPainter;

namespace nibbo::pictures {

inline QColor Colour(Rgb rgb) {
    return QColor(rgb.Red, rgb.Green, rgb.Blue);
}

inline const QColor kPathColour = Colour(kPathRgb);
inline const QColor kWallLight = Colour(kWallLightRgb);
inline const QColor kWallDark = Colour(kWallDarkRgb);
inline const QColor kGridLine = Colour(kGridLineRgb);
inline const QColor kFigureYellow = Colour(kFigureYellowRgb);
inline const QColor kFoodWhite = Colour(kFoodWhiteRgb);

// One picture of shapes, into the logical square at the painter's origin.
void PaintPicture(QPainter& painter, const Picture& picture);

void PaintWall(QPainter& painter);
void PaintFood(QPainter& painter, int portions);
void PaintFigure(QPainter& painter, int orientation, int frame);
void PaintButton(QPainter& painter, Button button);

// The program's icon: the figure facing east, about to eat a portion of food, on a rounded tile of
// the path colour.
void PaintAppIcon(QPainter& painter);

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
