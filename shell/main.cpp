// The program's entry: the main window first, then the info and help windows, hidden, then the
// event loop until "Ende" or the main window's close box ends it.
#include "resources/pictures.h"
#include "shell/nibboform.h"
#include "windows/helpunit.h"
#include "windows/infounit.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nibbo"));
    // The desktop entry's name lets the desktop group the windows under the installed icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("nibbo"));
    QApplication::setWindowIcon(nibbo::pictures::AppIcon());
    nibbo::TNibboForm nibboForm;
    // Both are destroyed before the main window, whose figure pictures the info window shows.
    nibbo::TInfoForm infoForm(nibboForm.PacImageList);
    nibbo::THelpForm helpForm;
    nibboForm.InfoForm = &infoForm;
    nibboForm.HelpForm = &helpForm;
    nibboForm.show();
    return QApplication::exec();
}
