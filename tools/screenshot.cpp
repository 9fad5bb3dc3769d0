// Renders the main window into a PNG for the README: a program running on a small world of walls
// and food, driven through the window's own run controls. The program is stepped with
// "Einzelschritt" until Nibbo has eaten on its way; the picture shows the running statement selected
// in the editor and the figure chewing. Runs without a display (QT_QPA_PLATFORM=offscreen).
#include "shell/file_io.h"
#include "shell/nibboform.h"
#include "shell/prg_memo.h"
#include "shell/spin_edit.h"
#include "world/world_file.h"
#include "world/world_view.h"

#include <QApplication>
#include <QDir>
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

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: nibbo-screenshot OUTPUT.png\n";
        return 64;
    }
    const QString output = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
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
    if (!picture.save(output)) {
        QTextStream(stderr) << "cannot write " << argv[1] << "\n";
        return 73;
    }
    return 0;
}
