#include "world/world_svg.h"

#include "resources/pictures.h"
#include "world/world_surface.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <charconv>
#include <climits>
#include <cmath>
#include <functional>
#include <memory>

namespace nibbo {

namespace {

// The pictures, numbered as the layers hold them: the wall, then food 1..9, then the 20 figures.
constexpr int kWallPicture = 0;
constexpr int kFirstFoodPicture = 1;
constexpr int kFirstFigurePicture = kFirstFoodPicture + kMaxFood;
constexpr int kPictureCount = kFirstFigurePicture + 4 * kFigureFrames;

// Coordinates to a thousandth of a pixel: finer than any printer, and free of the rounding noise
// that turning a picture by quarters leaves (6e-17 instead of 0).
std::string Number(double value) {
    double rounded = std::round(value * 1000) / 1000;
    if (rounded == 0) rounded = 0; // no "-0"
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, rounded).ptr;
    return std::string(text, end);
}

std::string Colour(const QColor& colour) {
    return colour.name(QColor::HexRgb).toStdString();
}

// A paint engine that writes what is painted as SVG shapes: filled and stroked paths, in the
// coordinates of the device. The pictures paint solid shapes only, so brushes are plain colours.
class ShapeEngine final : public QPaintEngine {
public:
    explicit ShapeEngine(std::string& out) : QPaintEngine(AllFeatures), out_(out) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return User; }
    // No picture of the world is a bitmap.
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        QPainterPath path;
        path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
        if (mode != PolylineMode) path.closeSubpath();
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        Write(path, mode != PolylineMode);
    }

    void drawPath(const QPainterPath& path) override { Write(path, true); }

private:
    void Write(const QPainterPath& logical, bool fillable) {
        const QBrush brush = state->brush();
        const QPen pen = state->pen();
        const bool fill = fillable && brush.style() != Qt::NoBrush;
        const bool stroke = pen.style() != Qt::NoPen;
        if (!fill && !stroke) return;
        const QPainterPath path = state->transform().map(logical);
        out_ += "<path d=\"" + PathData(path) + '"';
        out_ += fill ? " fill=\"" + Colour(brush.color()) + '"' : std::string(" fill=\"none\"");
        if (fill && path.fillRule() == Qt::OddEvenFill) out_ += " fill-rule=\"evenodd\"";
        if (stroke)
            out_ += " stroke=\"" + Colour(pen.color()) + "\" stroke-width=\"" +
                    Number(pen.widthF() * std::sqrt(std::abs(state->transform().determinant()))) + '"';
        if (!(state->renderHints() & QPainter::Antialiasing)) out_ += " shape-rendering=\"crispEdges\"";
        out_ += "/>";
    }

    static std::string PathData(const QPainterPath& path) {
        std::string d;
        QPointF subpathStart;
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            if (e.isMoveTo()) {
                if (!d.empty()) d += ' ';
                d += 'M' + Number(e.x) + ' ' + Number(e.y);
                subpathStart = e;
            } else if (e.isLineTo()) {
                if (QPointF(e) == subpathStart)
                    d += 'Z';
                else
                    d += 'L' + Number(e.x) + ' ' + Number(e.y);
            } else { // a cubic curve: this element and the two after it
                const QPainterPath::Element c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
                d += 'C' + Number(e.x) + ' ' + Number(e.y) + ' ' + Number(c2.x) + ' ' + Number(c2.y) + ' ' +
                     Number(end.x) + ' ' + Number(end.y);
                i += 2;
            }
        }
        return d;
    }

    std::string& out_;
};

// A cell-sized paint device whose painting becomes SVG shapes.
class ShapeRecorder final : public QPaintDevice {
public:
    std::string Shapes;

    QPaintEngine* paintEngine() const override {
        if (!engine_) engine_ = std::make_unique<ShapeEngine>(const_cast<std::string&>(Shapes));
        return engine_.get();
    }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
        case PdmHeight:
            return pictures::kCellSize;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmWidthMM:
        case PdmHeightMM:
            return pictures::kCellSize * 254 / 960;
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return QPaintDevice::metric(metric);
    }

private:
    mutable std::unique_ptr<ShapeEngine> engine_;
};

std::string PictureId(int picture) {
    if (picture == kWallPicture) return "wall";
    if (picture < kFirstFigurePicture) return "food" + std::to_string(picture - kFirstFoodPicture + 1);
    return "figure" + std::to_string(picture - kFirstFigurePicture);
}

// The picture's shapes, painted by the function that paints it for the image lists.
std::string PictureShapes(int picture) {
    ShapeRecorder recorder;
    {
        QPainter painter(&recorder);
        if (picture == kWallPicture) {
            pictures::PaintWall(painter);
        } else if (picture < kFirstFigurePicture) {
            pictures::PaintFood(painter, picture - kFirstFoodPicture + 1);
        } else {
            const int image = picture - kFirstFigurePicture;
            pictures::PaintFigure(painter, image / kFigureFrames, image % kFigureFrames);
        }
    }
    return recorder.Shapes;
}

const std::string& PictureShapesOnce(int picture) {
    static std::array<std::string, kPictureCount> shapes;
    std::string& once = shapes[picture];
    if (once.empty()) once = PictureShapes(picture);
    return once;
}

// The silver lines after every cell, as thin filled rectangles, so that they stay one pixel wide
// and sharp at any size.
std::string GridLines() {
    const QRect first = TWorldSurface::CellRect(1, 1);
    std::string d;
    for (int c = 1; c <= kColumns; ++c) {
        const QRect cell = TWorldSurface::CellRect(c, 1);
        d += 'M' + std::to_string(cell.right() + 1) + " 0h" + std::to_string(kCellPitch - first.width()) +
             'v' + std::to_string(kViewHeight) + 'h' + std::to_string(first.width() - kCellPitch) + 'z';
    }
    for (int r = 1; r <= kRows; ++r) {
        const QRect cell = TWorldSurface::CellRect(1, r);
        d += "M0 " + std::to_string(cell.bottom() + 1) + 'h' + std::to_string(kViewWidth) + 'v' +
             std::to_string(kCellPitch - first.height()) + 'h' + std::to_string(-kViewWidth) + 'z';
    }
    return d;
}

} // namespace

void TWorldSvg::FillPath(int column, int row) {
    if (InGrid(column, row)) layers_[CellIndex(column, row)].clear();
}

void TWorldSvg::DrawWallPicture(int column, int row) {
    Add(column, row, kWallPicture);
}

void TWorldSvg::DrawFoodPicture(int column, int row, int portions) {
    if (portions >= 1 && portions <= kMaxFood) Add(column, row, kFirstFoodPicture + portions - 1);
}

void TWorldSvg::DrawFigurePicture(int column, int row, int image) {
    if (image >= 0 && image < 4 * kFigureFrames) Add(column, row, kFirstFigurePicture + image);
}

void TWorldSvg::Add(int column, int row, int picture) {
    if (InGrid(column, row)) layers_[CellIndex(column, row)].push_back(uint8_t(picture));
}

std::string TWorldSvg::Element(std::string_view idPrefix) const {
    const std::string prefix(idPrefix);
    std::array<bool, kPictureCount> used{};
    std::string cells;
    for (int c = 1; c <= kColumns; ++c)
        for (int r = 1; r <= kRows; ++r)
            for (const uint8_t picture : layers_[CellIndex(c, r)]) {
                used[picture] = true;
                const QRect cell = TWorldSurface::CellRect(c, r);
                cells += "<use xlink:href=\"#" + prefix + PictureId(picture) + "\" x=\"" +
                         std::to_string(cell.x()) + "\" y=\"" + std::to_string(cell.y()) + "\"/>\n";
            }
    const std::string width = std::to_string(kViewWidth), height = std::to_string(kViewHeight);
    std::string svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
        "width=\"" +
        width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + ' ' + height + "\">\n<defs>\n";
    for (int picture = 0; picture < kPictureCount; ++picture)
        if (used[picture])
            svg += "<g id=\"" + prefix + PictureId(picture) + "\">" + PictureShapesOnce(picture) + "</g>\n";
    svg += "</defs>\n<rect width=\"" + width + "\" height=\"" + height + "\" fill=\"" +
           Colour(pictures::kPathColour) + "\"/>\n<path d=\"" + GridLines() + "\" fill=\"" +
           Colour(pictures::kGridLine) + "\" shape-rendering=\"crispEdges\"/>\n";
    return svg + cells + "</svg>\n";
}

std::string WorldSvg(const World& world) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + WorldSvgElement(world, {});
}

std::string WorldSvgElement(const World& world, std::string_view idPrefix) {
    TWorldSvg svg;
    PaintWorld(world, svg);
    return svg.Element(idPrefix);
}

} // namespace nibbo
