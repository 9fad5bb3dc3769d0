// Renders pictures of the main window without a display (QT_QPA_PLATFORM=offscreen):
//   nibbo-screenshot OUTPUT.png
//     the main window for the README: a program running on a small world of walls and food, driven
//     through the window's own run controls. The program is stepped with "Einzelschritt" until
//     Nibbo has eaten on its way; the picture shows the running statement selected in the editor and
//     the figure chewing.
//   nibbo-screenshot --world WORLD.wlt OUTPUT.png
//     the world view's cells and grid lines at pixel ratio 1 after "Welt laden" of the file.
//   nibbo-screenshot --pictures OUTPUT.png
//     every picture of the world view's three image lists, each drawn into a cell of the empty
//     world view at pixel ratio 1; OUTPUT.png.json lists the drawing calls, so that another front
//     end can draw the same sheet and compare it pixel by pixel.
#include "shell/file_io.h"
#include "shell/nibboform.h"
#include "shell/prg_memo.h"
#include "shell/spin_edit.h"
#include "world/world_file.h"
#include "world/world_view.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

const char* const kDemoProgram = "program futter_sammeln;\n"
                                 "\n"
                                 "procedure drehe_rechts;\n"
                                 "begin\n"
                                 "  drehe_links;\n"
                                 "  drehe_links;\n"
                                 "  drehe_links;\n"
                                 "end;\n"
                                 "\n"
                                 "begin\n"
                                 "  while vorne_frei do\n"
                                 "  begin\n"
                                 "    vor;\n"
                                 "    while liegt_futter do\n"
                                 "      nimm_auf;\n"
                                 "  end;\n"
                                 "  drehe_rechts;\n"
                                 "end.\n";

// The portions Nibbo has eaten when the picture is taken: all three of (5, 5) and one of (9, 5).
constexpr int kEatenWhenShown = 4;
constexpr int kMostSteps = 200;

void BuildDemoWorld(nibbo::World& world) {
    using namespace nibbo;
    ClearWorld(world);
    for (int c = 6; c <= 18; ++c)
        SetCell(world, c, 12, kWall);
    for (int r = 4; r <= 11; ++r)
        SetCell(world, 18, r, kWall);
    for (int c = 3; c <= 10; ++c)
        SetCell(world, c, 16, kWall);
    const int food[][3] = {{5, 5, 3},  {9, 5, 1},   {13, 5, 9}, {21, 8, 5},
                           {8, 14, 2}, {15, 17, 7}, {20, 15, 4}};
    for (const auto& f : food)
        SetCell(world, f[0], f[1], f[2]);
    world.StartColumn = 3;
    world.StartRow = 5;
    world.Orientation = East;
    world.StartPlaced = true;
}

// Nothing is asked while the picture is made; a message would mean the run ended too early.
class SilentDialogs : public nibbo::TDialogs {
public:
    QStringList Shown;
    void ShowMessage(const QString& text) override { Shown.append(text); }
    bool AskQuestion(const QString& text) override {
        Shown.append(text);
        return false;
    }
    void ShowError(const QString& text) override { Shown.append(text); }
    std::optional<nibbo::FileChoice> ChooseFile(const nibbo::FileDialogSpec&) override {
        return std::nullopt;
    }
};

// Draws onto the world view and writes down every call, as a line of a JSON array.
class ListedCanvas : public nibbo::WorldCanvas {
public:
    explicit ListedCanvas(nibbo::WorldCanvas& target) : target_(target) {}
    QStringList Calls;

    void FillPath(int column, int row) override {
        target_.FillPath(column, row);
        List("FillPath", column, row, 0);
    }
    void DrawWallPicture(int column, int row) override {
        target_.DrawWallPicture(column, row);
        List("DrawWallPicture", column, row, 0);
    }
    void DrawFoodPicture(int column, int row, int portions) override {
        target_.DrawFoodPicture(column, row, portions);
        List("DrawFoodPicture", column, row, portions);
    }
    void DrawFigurePicture(int column, int row, int image) override {
        target_.DrawFigurePicture(column, row, image);
        List("DrawFigurePicture", column, row, image);
    }

private:
    void List(const char* call, int column, int row, int picture) {
        Calls << QStringLiteral("[\"%1\", %2, %3, %4]")
                     .arg(QLatin1String(call))
                     .arg(column)
                     .arg(row)
                     .arg(picture);
    }
    nibbo::WorldCanvas& target_;
};

// Every picture of the three lists in a cell of its own: the figure's twenty in four rows, one row
// per orientation; the wall; the nine food pictures; and the figure over the most food.
void DrawPictureSheet(nibbo::WorldCanvas& canvas) {
    using namespace nibbo;
    for (int image = 0; image < 4 * kFigureFrames; ++image)
        canvas.DrawFigurePicture(2 + image % kFigureFrames, 2 + image / kFigureFrames, image);
    canvas.DrawWallPicture(9, 2);
    for (int portions = 1; portions <= kMaxFood; ++portions)
        canvas.DrawFoodPicture(8 + portions, 4, portions);
    canvas.DrawFoodPicture(9, 6, kMaxFood);
    canvas.DrawFigurePicture(9, 6, FigureImage(South, kRestingFrame));
}

bool Save(const QImage& image, const QString& path) {
    if (image.save(path)) return true;
    QTextStream(stderr) << "nibbo-screenshot: cannot write " << path << "\n";
    return false;
}

int WorldView(const QString& world, const QString& output) {
    nibbo::TNibboForm form(std::make_unique<SilentDialogs>());
    if (!form.Session().World.LoadWorldFile(QFile::encodeName(world).toStdString())) {
        QTextStream(stderr) << "nibbo-screenshot: cannot read " << world << "\n";
        return 66;
    }
    // As "Welt laden" ends: the whole world painted.
    form.Session().FormPaint();
    return Save(form.FeldEditorDrawGrid->Surface(), output) ? 0 : 73;
}

int PictureSheet(const QString& output) {
    nibbo::TNibboForm form(std::make_unique<SilentDialogs>());
    ListedCanvas canvas(*form.FeldEditorDrawGrid);
    DrawPictureSheet(canvas);
    if (!Save(form.FeldEditorDrawGrid->Surface(), output)) return 73;
    QFile calls(output + QStringLiteral(".json"));
    if (!calls.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        QTextStream(stderr) << "nibbo-screenshot: cannot write " << calls.fileName() << "\n";
        return 73;
    }
    calls.write(("[\n  " + canvas.Calls.join(QStringLiteral(",\n  ")) + "\n]\n").toUtf8());
    return 0;
}

int MainWindow(const QString& output) {
    auto dialogs = std::make_unique<SilentDialogs>();
    SilentDialogs& shown = *dialogs;
    nibbo::TNibboForm form(std::move(dialogs));
    // The world and the program loaded from their files, as a pupil would.
    QTemporaryDir folder;
    nibbo::World world;
    BuildDemoWorld(world);
    nibbo::PlainStockField noStock;
    nibbo::WorldRecord record;
    nibbo::StoreWorld(world, noStock, record);
    const nibbo::WorldFileBytes bytes = nibbo::EncodeWorldFile(record);
    if (!folder.isValid() || !QDir::setCurrent(folder.path()) ||
        !nibbo::SaveFile("garten.wlt", {reinterpret_cast<const char*>(bytes.data()), bytes.size()}).empty() ||
        !nibbo::SaveFile("sammeln.pas", kDemoProgram).empty()) {
        QTextStream(stderr) << "nibbo-screenshot: cannot write the demo files\n";
        return 73;
    }
    nibbo::NibboSession& session = form.Session();
    session.World.LoadWorldFile("garten.wlt");
    session.Programs.LoadProgramFile("sammeln.pas");
    form.show();
    QApplication::processEvents();

    // One statement per press, until Nibbo has eaten on its way; then two frames of its chewing.
    for (int step = 0; step < kMostSteps && form.ItemsSpinEdit->ReadStock() < kEatenWhenShown; ++step)
        session.Run.StepSpeedButtonClick();
    if (form.ItemsSpinEdit->ReadStock() != kEatenWhenShown || !shown.Shown.isEmpty() ||
        !session.Run.State().RunActive) {
        QTextStream(stderr) << "nibbo-screenshot: the demo run did not go as planned: "
                            << shown.Shown.join("; ") << "\n";
        return 70;
    }
    session.Run.StepTimerTimer();
    session.Run.StepTimerTimer();

    // A repaint of the whole window paints the world anew, with the figure at rest; the screen of a
    // running program keeps showing what the view last drew, the figure with the food in its mouth.
    const QImage onScreen = form.FeldEditorDrawGrid->Surface().copy();
    QApplication::processEvents();
    QPixmap picture = form.grab();
    {
        QPainter painter(&picture);
        painter.drawImage(form.FeldEditorDrawGrid->mapTo(&form, QPoint(2, 2)), onScreen);
    }
    return Save(picture.toImage(), output) ? 0 : 73;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments().mid(1);
    const auto absolute = [](const QString& path) { return QFileInfo(path).absoluteFilePath(); };
    if (args.size() == 1) return MainWindow(absolute(args[0]));
    if (args.size() == 3 && args[0] == QLatin1String("--world")) return WorldView(args[1], absolute(args[2]));
    if (args.size() == 2 && args[0] == QLatin1String("--pictures")) return PictureSheet(absolute(args[1]));
    QTextStream(stderr) << "usage: nibbo-screenshot OUTPUT.png\n"
                           "       nibbo-screenshot --world WORLD.wlt OUTPUT.png\n"
                           "       nibbo-screenshot --pictures OUTPUT.png\n";
    return 64;
}
