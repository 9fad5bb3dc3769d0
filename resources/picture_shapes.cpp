#include "resources/picture_shapes.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace nibbo::pictures {

namespace {

// Mouth opening (half the angle of the wedge, in degrees) and whether the red bite shows, by frame.
struct FrameLook {
    double halfMouth;
    bool bite;
};
constexpr FrameLook kFrames[5] = {{0, false}, {28, false}, {50, false}, {50, true}, {28, true}};

constexpr Rgb kBiteRed{220, 0, 0};
constexpr Rgb kEyeBlack{0, 0, 0};
constexpr Rgb kRunGreen{0, 128, 0};
constexpr Rgb kPauseBlue{0, 0, 160};
constexpr Rgb kStopRed{160, 0, 0};
constexpr Rgb kTickRed{220, 0, 0};

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::string Hex(Rgb rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.Red, rgb.Green, rgb.Blue);
    return text;
}

const FrameLook& Look(int frame) {
    return kFrames[((frame % 5) + 5) % 5];
}

Shape Make(Shape::Kind kind, Rgb colour, bool smooth) {
    Shape shape;
    shape.Type = kind;
    shape.Colour = colour;
    shape.Smooth = smooth;
    return shape;
}

Shape Box(Rgb colour, double x, double y, double width, double height, bool smooth = false) {
    Shape shape = Make(Shape::Box, colour, smooth);
    shape.X = x;
    shape.Y = y;
    shape.Width = width;
    shape.Height = height;
    return shape;
}

Shape Filled(Shape::Kind kind, Rgb colour, std::vector<Point> points) {
    Shape shape = Make(kind, colour, true);
    shape.Points = std::move(points);
    return shape;
}

} // namespace

double FigureHalfMouth(int frame) {
    return Look(frame).halfMouth;
}

Picture WallPicture() {
    return {kCellSize, 0, {Box(kWallDarkRgb, 0, 0, kCellSize, kCellSize), Box(kWallLightRgb, 3, 3, 19, 19)}};
}

Picture FoodPicture(int portions) {
    static constexpr int kX[3] = {4, 11, 18};
    static constexpr int kY[3] = {17, 10, 3};
    Picture picture{kCellSize, 0, {}};
    for (int i = 0; i < portions && i < 9; ++i)
        picture.Shapes.push_back(Box(kFoodWhiteRgb, kX[i % 3], kY[i / 3], 4, 4));
    return picture;
}

Picture FigurePicture(int orientation, int frame) {
    const FrameLook& look = Look(frame);
    // Drawn facing east and turned as a whole; turning by quarters keeps the pixels aligned.
    Picture picture{kCellSize, orientation & 3, {}};
    Shape body = Make(look.halfMouth <= 0 ? Shape::Ellipse : Shape::Pie, kFigureYellowRgb, true);
    body.Width = kCellSize;
    body.Height = kCellSize;
    body.StartAngle = look.halfMouth;
    body.SpanAngle = 360.0 - 2 * look.halfMouth;
    picture.Shapes.push_back(body);
    if (look.bite) {
        Shape bite = Make(Shape::Ellipse, kBiteRed, true);
        bite.X = 16;
        bite.Y = 10.5;
        bite.Width = 5;
        bite.Height = 4;
        picture.Shapes.push_back(bite);
    }
    picture.Shapes.push_back(Box(kEyeBlack, kFigureEyeX, kFigureEyeY, kFigureEyeSize, kFigureEyeSize));
    return picture;
}

Picture ButtonPicture(Button button) {
    Picture picture{kButtonSize, 0, {}};
    std::vector<Shape>& shapes = picture.Shapes;
    switch (button) {
    case Button::Run:
        shapes.push_back(Filled(Shape::Polygon, kRunGreen, {{4, 2}, {13, 8}, {4, 14}}));
        break;
    case Button::Pause:
        shapes.push_back(Box(kPauseBlue, 4, 2, 3, 12, true));
        shapes.push_back(Box(kPauseBlue, 9, 2, 3, 12, true));
        break;
    case Button::Stop:
        shapes.push_back(Box(kStopRed, 3, 3, 10, 10, true));
        break;
    case Button::Step:
        shapes.push_back(Box(kPauseBlue, 2, 2, 3, 12, true));
        shapes.push_back(Filled(Shape::Polygon, kRunGreen, {{7, 2}, {14, 8}, {7, 14}}));
        break;
    case Button::Syntax: {
        Shape tick = Filled(Shape::Polyline, kTickRed, {{2.5, 8.5}, {6, 12.5}, {13.5, 3}});
        tick.PenWidth = 2.5;
        shapes.push_back(tick);
        break;
    }
    }
    return picture;
}

std::string AppIconSvg() {
    // The figure's body: from the centre to the upper lip, round the back to the lower lip, closed.
    const double r = kCellSize / 2.0;
    const double mouth = FigureHalfMouth(1) * std::numbers::pi / 180;
    const std::string radius = Number(r), lipX = Number(r + r * std::cos(mouth));
    const std::string upperY = Number(r - r * std::sin(mouth)), lowerY = Number(r + r * std::sin(mouth));
    const std::string size = Number(kCellSize);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + size + "\" height=\"" + size +
           "\" viewBox=\"0 0 " + size + " " + size + "\">\n";
    svg += "  <rect width=\"" + size + "\" height=\"" + size + "\" rx=\"" + Number(kIconRadius) +
           "\" fill=\"" + Hex(kPathRgb) + "\"/>\n";
    svg += "  <rect x=\"" + Number(kIconFoodX) + "\" y=\"" + Number(kIconFoodY) + "\" width=\"" +
           Number(kIconFoodSize) + "\" height=\"" + Number(kIconFoodSize) + "\" fill=\"" +
           Hex(kFoodWhiteRgb) + "\"/>\n";
    svg += "  <g transform=\"translate(" + Number(kIconFigureX) + " " + Number(kIconFigureY) + ") scale(" +
           Number(kIconFigureScale) + ")\">\n";
    svg += "    <path d=\"M " + radius + " " + radius + " L " + lipX + " " + upperY + " A " + radius + " " +
           radius + " 0 1 0 " + lipX + " " + lowerY + " Z\" fill=\"" + Hex(kFigureYellowRgb) + "\"/>\n";
    svg += "    <rect x=\"" + Number(kFigureEyeX) + "\" y=\"" + Number(kFigureEyeY) + "\" width=\"" +
           Number(kFigureEyeSize) + "\" height=\"" + Number(kFigureEyeSize) + "\" fill=\"#000000\"/>\n";
    return svg + "  </g>\n</svg>\n";
}

} // namespace nibbo::pictures
