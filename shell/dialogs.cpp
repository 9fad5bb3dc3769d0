#include "shell/dialogs.h"

#include "shell/window_layout.h"

#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>

namespace nibbo {

void TQtDialogs::ShowMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kMessageTitle), text, QMessageBox::Ok, parent_);
    box.exec();
}

bool TQtDialogs::AskQuestion(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kQuestionTitle), text, QMessageBox::NoButton,
                    parent_);
    QPushButton* yes = box.addButton(QString::fromUtf8(kYesButton), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QString::fromUtf8(kNoButton), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void TQtDialogs::ShowError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kErrorTitle), text, QMessageBox::Ok, parent_);
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
