// The program's entry: the main window first, then the info and help windows, hidden, then the
// event loop until "Ende" or the main window's close box ends it.
#include "shell/nibboform.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nibbo"));
    nibbo::TNibboForm nibboForm;
    nibboForm.show();
    return QApplication::exec();
}
