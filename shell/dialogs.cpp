#include "shell/dialogs.h"

#include <QFile>
#include <QFileDialog>
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
    QFileDialog dialog(parent_, QString::fromStdString(spec.Title),
                       QString::fromStdString(spec.InitialFolder));
    dialog.setAcceptMode(spec.Mode == FileDialogSpec::Save ? QFileDialog::AcceptSave
                                                           : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    QStringList filters;
    for (const FileFilter& filter : spec.Filters)
        filters << QStringLiteral("%1 (%2)").arg(QString::fromStdString(filter.Label),
                                                 QString::fromStdString(filter.Pattern));
    dialog.setNameFilters(filters);
    if (spec.SelectedFilter >= 0 && spec.SelectedFilter < filters.size())
        dialog.selectNameFilter(filters[spec.SelectedFilter]);
    if (!spec.PresetName.empty()) dialog.selectFile(QString::fromStdString(spec.PresetName));
    // Qt gives the detail view's columns widths for short English texts, too narrow for the sizes,
    // types and dates it shows here; each of them takes the width of its texts, the name the rest.
    if (auto* details = dialog.findChild<QTreeView*>()) {
        details->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        details->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return FileChoice{QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString(),
                      int(filters.indexOf(dialog.selectedNameFilter()))};
}

} // namespace nibbo
