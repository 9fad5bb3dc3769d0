#include "web/page_layout.h"

#include "resources/picture_shapes.h"
#include "shell/file_io.h"
#include "shell/window_layout.h"
#include "web/json.h"
#include "windows/demo_show.h"
#include "windows/help_pages.h"
#include "world/world_paint.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace nibbo {

namespace {

using namespace json;

// The page's own windows and dialogs close by a button of this caption, where the desktop's have
// the window manager's.
const char* const kCloseCaption = "Schließen";

std::string Place(Box box) {
    return Object({{"left", Number(box.Left)},
                   {"top", Number(box.Top)},
                   {"width", Number(box.Width)},
                   {"height", Number(box.Height)}});
}

std::string LabelJson(const Label& label) {
    return Object({{"text", Text(label.Text)}, {"left", Number(label.Left)}, {"top", Number(label.Top)}});
}

std::string Colour(pictures::Rgb rgb) {
    return Array({Number(rgb.Red), Number(rgb.Green), Number(rgb.Blue)});
}

std::string ShapeJson(const pictures::Shape& shape) {
    static const char* const kKinds[] = {"box", "ellipse", "pie", "polygon", "polyline"};
    return Object({{"type", Text(kKinds[shape.Type])},
                   {"colour", Colour(shape.Colour)},
                   {"smooth", Flag(shape.Smooth)},
                   {"x", Number(shape.X)},
                   {"y", Number(shape.Y)},
                   {"width", Number(shape.Width)},
                   {"height", Number(shape.Height)},
                   {"start", Number(shape.StartAngle)},
                   {"span", Number(shape.SpanAngle)},
                   {"points", ArrayOf(shape.Points,
                                      [](const pictures::Point& p) {
                                          return Array({Number(p.X), Number(p.Y)});
                                      })},
                   {"pen", Number(shape.PenWidth)}});
}

std::string PictureJson(const pictures::Picture& picture) {
    return Object({{"size", Number(picture.Size)},
                   {"turns", Number(picture.QuarterTurns)},
                   {"shapes", ArrayOf(picture.Shapes, ShapeJson)}});
}

std::string PicturesJson() {
    std::vector<std::string> figures, food;
    for (int image = 0; image < 4 * kFigureFrames; ++image)
        figures.push_back(PictureJson(pictures::FigurePicture(image / kFigureFrames, image % kFigureFrames)));
    for (int portions = 1; portions <= kMaxFood; ++portions)
        food.push_back(PictureJson(pictures::FoodPicture(portions)));
    return Object({{"wall", PictureJson(pictures::WallPicture())},
                   {"food", Array(food)},
                   {"figure", Array(figures)},
                   {"path", Colour(pictures::kPathRgb)},
                   {"grid", Colour(pictures::kGridLineRgb)}});
}

std::string OptionalCommand(std::optional<Command> command) {
    return command ? Number(int(*command)) : "null";
}

std::string MenuJson(const MenuBarEntry& entry) {
    return Object({{"caption", Text(entry.Caption)},
                   {"command", OptionalCommand(entry.EnabledBy)},
                   {"which", entry.Which ? Number(int(*entry.Which)) : "null"},
                   {"items", ArrayOf(entry.Items, [](const MenuItem& item) {
                        return Object({{"which", Number(int(item.Which))},
                                       {"caption", Text(item.Caption)},
                                       {"command", OptionalCommand(item.EnabledBy)},
                                       {"enabled", Flag(item.EnabledAtStart)},
                                       {"shortcut", item.Shortcut ? Text(item.Shortcut) : "null"}});
                    })}});
}

std::string LegendJson(const LegendEntry& entry) {
    return Object({{"shapes", PictureJson(LegendPictureShapes(entry.Picture))},
                   {"left", Number(entry.Left)},
                   {"top", Number(entry.Top)},
                   {"title", LabelJson(entry.Title)},
                   {"hint", LabelJson(entry.Hint)}});
}

std::string ButtonJson(const RunButton& button) {
    return Object({{"command", Number(int(button.Which))},
                   {"hint", Text(button.Hint)},
                   {"left", Number(button.Left)},
                   {"picture", PictureJson(pictures::ButtonPicture(button.Picture))}});
}

// A page's text as it is built into the program: the file's last line break ends the last line
// and opens no empty line of its own.
std::string HelpText(const HelpPage& page) {
    std::ifstream file(std::string(kHelpFolder) + "/" + page.File, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

std::string HelpJson() {
    return Object({{"caption", Text(kHelpCaption)},
                   {"fontSize", Number(kHelpFontSize)},
                   {"margin", Number(kHelpMargin)},
                   {"tabStopText", Text(kHelpTabStopText)},
                   {"tabStopGap", Number(kHelpTabStopGap)},
                   {"width", Number(kHelpClientWidth)},
                   {"height", Number(kHelpClientHeight)},
                   {"left", Number(kHelpDesignLeft)},
                   {"top", Number(kHelpDesignTop)},
                   {"pages", ArrayOf(kHelpPages, [](const HelpPage& page) {
                        return Object({{"caption", Text(page.Caption)},
                                       {"text", Text(HelpText(page))},
                                       {"enabled", Flag(page.Enabled)}});
                    })}});
}

std::string InfoJson() {
    return Object({{"caption", Text(kInfoCaption)},
                   {"width", Number(kInfoClientWidth)},
                   {"height", Number(kInfoClientHeight)},
                   {"left", Number(kInfoDesignLeft)},
                   {"top", Number(kInfoDesignTop)},
                   {"interval", Number(kDemoInterval)},
                   {"imageLeft", Number(kDemoImageLeft)},
                   {"imageTop", Number(kDemoImageTop)},
                   {"labels", ArrayOf(InfoLabels(), [](const InfoLabel& label) {
                        return Object({{"text", Text(label.Text)},
                                       {"title", Flag(label.Font == InfoLabel::Title)},
                                       {"size", Number(label.PixelSize)},
                                       {"colour", Colour(label.Colour)},
                                       {"place", Place(label.Place)},
                                       {"wrapped", Flag(label.Wrapped)}});
                    })}});
}

} // namespace

std::string PageLayoutJson() {
    return Object({
        {"client",
         Object({{"width", Number(layout::kClientWidth)}, {"height", Number(layout::kClientHeight)}})},
        {"worldView", Place(layout::kWorldView)},
        {"cell", Object({{"size", Number(pictures::kCellSize)},
                         {"pitch", Number(kCellPitch)},
                         {"columns", Number(kColumns)},
                         {"rows", Number(kRows)}})},
        {"editor", Place(layout::kEditor)},
        {"panel", Place(layout::kPanel)},
        {"statusBar", Object({{"height", Number(layout::kStatusBarHeight)},
                              {"widths", ArrayOf(layout::kStatusPanelWidths, Number)},
                              {"banner", Text(kStatusBanner)}})},
        {"stockField", Place(layout::kStockField)},
        {"stock", Object({{"minimum", Number(kMinStock)}, {"maximum", Number(kMaxStock)}})},
        {"controls", Object({{"worldView", Number(int(Control::WorldView))},
                             {"stockField", Number(int(Control::StockField))},
                             {"editor", Number(int(Control::Editor))}})},
        {"slider", Place(layout::kSlider)},
        {"messageList", Place(layout::kMessageList)},
        {"names", Object({{"worldView", Text(kWorldViewName)},
                          {"editor", Text(kEditorName)},
                          {"messageList", Text(kMessageListName)}})},
        {"legend", ArrayOf(Legend(), LegendJson)},
        {"stockLabel", LabelJson(kStockLabel)},
        {"speedLabel", LabelJson(kSpeedLabel)},
        {"speed", Object({{"minimum", Number(kSpeedMinimum)},
                          {"maximum", Number(kSpeedMaximum)},
                          {"start", Number(kSpeedAtStart)}})},
        {"buttons", Object({{"top", Number(layout::kButtonTop)},
                            {"width", Number(layout::kButtonWidth)},
                            {"height", Number(layout::kButtonHeight)},
                            {"list", ArrayOf(RunButtons(), ButtonJson)}})},
        {"menuBar", ArrayOf(MenuBar(), MenuJson)},
        {"icon", Text(pictures::AppIconSvg())},
        {"initialProgram", Text(kInitialProgram)},
        {"dialogs", Object({{"message", Text(kMessageTitle)},
                            {"error", Text(kErrorTitle)},
                            {"question", Text(kQuestionTitle)},
                            {"yes", Text(kYesButton)},
                            {"no", Text(kNoButton)},
                            {"close", Text(kCloseCaption)}})},
        {"largestFile", Number(double(kMaxTextFileBytes))},
        {"pictures", PicturesJson()},
        {"help", HelpJson()},
        {"info", InfoJson()},
    });
}

} // namespace nibbo
