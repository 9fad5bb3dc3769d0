// The program's entry: the main window first, then the info and help windows, hidden, then the
// event loop until "Ende" or the main window's close box ends it. Files named on the command line
// (as a file manager names the file that was opened) are loaded once the window shows, so that
// their messages stand over it.
#include "resources/pictures.h"
#include "shell/nibboform.h"
#include "windows/helpunit.h"
#include "windows/infounit.h"

#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <string>
#include <vector>

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
    std::vector<std::string> files;
    for (const QString& argument : QApplication::arguments().mid(1))
        files.push_back(QFile::encodeName(argument).toStdString());
    if (!files.empty())
        QTimer::singleShot(0, &nibboForm, [&nibboForm, files] { nibboForm.Session().OpenFiles(files); });
    return QApplication::exec();
}
