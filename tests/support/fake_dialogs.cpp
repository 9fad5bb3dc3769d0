#include "support/fake_dialogs.h"

#include <QFile>

namespace nibbo::testing {

void FakeDialogs::ShowMessage(const QString& text) {
    Log << QStringLiteral("message: ") + text;
    Messages << text;
}

bool FakeDialogs::AskQuestion(const QString& text) {
    Log << QStringLiteral("question: ") + text;
    Questions << text;
    if (Answers.isEmpty()) {
        ++Unscripted;
        return false;
    }
    return Answers.takeFirst();
}

void FakeDialogs::ShowError(const QString& text) {
    Log << QStringLiteral("error: ") + text;
    Errors << text;
}

std::optional<FileChoice> FakeDialogs::ChooseFile(const FileDialogSpec& spec) {
    Log << (spec.Mode == FileDialogSpec::Save ? QStringLiteral("save: ") : QStringLiteral("open: ")) +
               QString::fromStdString(spec.Title);
    FileDialogs << spec;
    if (Files.isEmpty()) {
        ++Unscripted;
        return std::nullopt;
    }
    std::optional<FileChoice> choice = Files.takeFirst();
    if (choice && choice->SelectedFilter < 0) choice->SelectedFilter = spec.SelectedFilter;
    return choice;
}

void FakeDialogs::ChooseNext(const QString& path, int filter) {
    Files.append(FileChoice{QFile::encodeName(path).toStdString(), filter});
}

void FakeDialogs::Clear() {
    Log.clear();
    Messages.clear();
    Questions.clear();
    Errors.clear();
    FileDialogs.clear();
    Answers.clear();
    Files.clear();
    Unscripted = 0;
}

} // namespace nibbo::testing
