// The pictures of the world view and of the run buttons as lists of plain shapes, without any
// drawing library: every front end paints the same lists (the desktop with Qt, the web page on a
// canvas), so that both show the same pictures, drawn sharp at every pixel ratio. A picture lies
// in the logical square at the origin, 25 x 25 for world pictures and 16 x 16 for buttons.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nibbo::pictures {

inline constexpr int kCellSize = 25;
inline constexpr int kButtonSize = 16;

struct Rgb {
    uint8_t Red, Green, Blue;
};

inline constexpr Rgb kPathRgb{0, 0, 102};
inline constexpr Rgb kWallLightRgb{0, 189, 255};
inline constexpr Rgb kWallDarkRgb{8, 123, 165};
inline constexpr Rgb kGridLineRgb{192, 192, 192};
inline constexpr Rgb kFigureYellowRgb{255, 255, 0};
inline constexpr Rgb kFoodWhiteRgb{255, 255, 255};

struct Point {
    double X, Y;
};

struct Shape {
    enum Kind : uint8_t {
        Box,      // a filled rectangle
        Ellipse,  // a filled ellipse in its rectangle
        Pie,      // a filled wedge of the ellipse in its rectangle, from its centre
        Polygon,  // a filled polygon
        Polyline, // a line through the points, with round caps and joins
    };
    Kind Type = Box;
    Rgb Colour{0, 0, 0};
    bool Smooth = false; // edges antialiased; a box without it covers whole pixels only
    double X = 0, Y = 0, Width = 0, Height = 0;
    double StartAngle = 0, SpanAngle = 0; // a pie's, in degrees counter-clockwise from three o'clock
    std::vector<Point> Points;
    double PenWidth = 0; // a polyline's
};

struct Picture {
    int Size = kCellSize;
    int QuarterTurns = 0; // the shapes are turned counter-clockwise about the picture's centre
    std::vector<Shape> Shapes;
};

// The opaque wall block: a 19 x 19 light-blue square inside a 3-pixel darker frame.
Picture WallPicture();
// 1..9 white 4 x 4 squares on a transparent background, bottom row first, left to right.
Picture FoodPicture(int portions);
// The figure facing orientation 0..3 (east, north, west, south) in chewing frame 0..4.
Picture FigurePicture(int orientation, int frame);

enum class Button { Run, Pause, Stop, Step, Syntax };
Picture ButtonPicture(Button button);

// The program's icon: the figure facing east, about to eat a portion of food, on a rounded tile of
// the path colour; where the figure sits on its tile and how large it is, and the portion.
inline constexpr double kIconRadius = 5;
inline constexpr double kIconFigureX = 1.5, kIconFigureY = 3.5, kIconFigureScale = 0.72;
inline constexpr double kIconFoodX = 20, kIconFoodY = 11, kIconFoodSize = 3;
// The icon as an SVG document.
std::string AppIconSvg();

// The figure's mouth in a frame: half the angle of its wedge, in degrees; 0 is a closed mouth.
double FigureHalfMouth(int frame);
// The figure's eye while it faces east.
inline constexpr double kFigureEyeX = 12, kFigureEyeY = 5, kFigureEyeSize = 2;

} // namespace nibbo::pictures
