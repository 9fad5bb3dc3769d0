// Renders the main window into a PNG for the README: a small world with walls, food and the figure,
// and a program in the editor. Runs without a display (QT_QPA_PLATFORM=offscreen).
#include "shell/nibboform.h"
#include "shell/prg_memo.h"
#include "shell/spin_edit.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>

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

void BuildDemoWorld(nibbo::World& world) {
    using namespace nibbo;
    ClearWorld(world);
    for (int c = 6; c <= 18; ++c) SetCell(world, c, 12, kWall);
    for (int r = 4; r <= 11; ++r) SetCell(world, 18, r, kWall);
    for (int c = 3; c <= 10; ++c) SetCell(world, c, 16, kWall);
    const int food[][3] = {{5, 5, 3}, {9, 5, 1}, {13, 5, 9}, {21, 8, 5}, {8, 14, 2}, {15, 17, 7}, {20, 15, 4}};
    for (const auto& f : food) SetCell(world, f[0], f[1], f[2]);
    world.StartColumn = 3;
    world.StartRow = 5;
    world.Orientation = East;
    world.StartPlaced = true;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: nibbo-screenshot OUTPUT.png\n";
        return 64;
    }
    nibbo::TNibboForm form;
    BuildDemoWorld(form.CurrentWorld);
    form.ItemsSpinEdit->WriteStock(3);
    form.PrgMemo->setPlainText(QString::fromUtf8(kDemoProgram));
    form.show();
    form.FormPaint();
    QApplication::processEvents();
    if (!form.grab().save(QString::fromLocal8Bit(argv[1]))) {
        QTextStream(stderr) << "cannot write " << argv[1] << "\n";
        return 73;
    }
    return 0;
}
