// The program's entry: the main window first, then the info and help windows, hidden, then the
// event loop until "Ende" or the main window's close box ends it.
#include "resources/pictures.h"
#include "shell/nibboform.h"
#include "windows/helpunit.h"
#include "windows/infounit.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nibbo"));
    // The desktop entry's name lets the desktop group the windows under the installed icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("nibbo"));
    QApplication::setWindowIcon(nibbo::pictures::AppIcon());
    // All texts are German, also those of Qt's own file dialogs and buttons.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    nibbo::TNibboForm nibboForm;
    // Both are destroyed before the main window, whose figure pictures the info window shows.
    nibbo::TInfoForm infoForm(nibboForm.PacImageList);
    nibbo::THelpForm helpForm;
    nibboForm.InfoForm = &infoForm;
    nibboForm.HelpForm = &helpForm;
    nibboForm.show();
    return QApplication::exec();
}
