#include "shell/dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>

namespace nibbo {

void TQtDialogs::ShowMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Nibbo"), text, QMessageBox::Ok, parent_);
    box.exec();
}

bool TQtDialogs::AskQuestion(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warnung"), text, QMessageBox::NoButton, parent_);
    QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void TQtDialogs::ShowError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Fehler"), text, QMessageBox::Ok, parent_);
    box.exec();
}

std::optional<FileChoice> TQtDialogs::ChooseFile(const FileDialogSpec& spec) {
    QFileDialog dialog(parent_, spec.Title, spec.InitialFolder);
    dialog.setAcceptMode(spec.Mode == FileDialogSpec::Save ? QFileDialog::AcceptSave
                                                           : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    QStringList filters;
    for (const FileFilter& filter : spec.Filters)
        filters << QStringLiteral("%1 (%2)").arg(filter.Label, filter.Pattern);
    dialog.setNameFilters(filters);
    if (spec.SelectedFilter >= 0 && spec.SelectedFilter < filters.size())
        dialog.selectNameFilter(filters[spec.SelectedFilter]);
    if (!spec.PresetName.isEmpty()) dialog.selectFile(spec.PresetName);
    // Qt gives the detail view's columns widths for short English texts, too narrow for the sizes,
    // types and dates it shows here; each of them takes the width of its texts, the name the rest.
    if (auto* details = dialog.findChild<QTreeView*>()) {
        details->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        details->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return FileChoice{dialog.selectedFiles().constFirst(), int(filters.indexOf(dialog.selectedNameFilter()))};
}

QString WithFilterExtension(const FileChoice& choice, const FileDialogSpec& spec) {
    if (!QFileInfo(choice.Path).suffix().isEmpty()) return choice.Path;
    if (choice.SelectedFilter < 0 || choice.SelectedFilter >= spec.Filters.size()) return choice.Path;
    const QString pattern = spec.Filters[choice.SelectedFilter].Pattern; // "*.wlt"
    const qsizetype dot = pattern.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || pattern.mid(dot + 1).contains(QLatin1Char('*'))) return choice.Path;
    QString path = choice.Path;
    if (path.endsWith(QLatin1Char('.'))) path.chop(1);
    return path + pattern.mid(dot);
}

QString ChosenPath(const FileChoice& choice, const FileDialogSpec& spec) {
    const QString path = spec.Mode == FileDialogSpec::Save ? WithFilterExtension(choice, spec) : choice.Path;
    return QFileInfo(path).absoluteFilePath();
}

} // namespace nibbo
