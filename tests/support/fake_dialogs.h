// A scripted stand-in for the main window's dialogs: it records every text it is shown, in order,
// and answers questions and file dialogs from a script. An unscripted question is answered No and
// an unscripted file dialog is cancelled, and both are counted so that a test can notice them.
#pragma once

#include "shell/dialogs.h"

#include <QList>
#include <QStringList>

namespace nibbo::testing {

class FakeDialogs : public TDialogs {
public:
    // Everything shown, in order, each entry prefixed by its kind:
    // "message: ...", "question: ...", "error: ...", "open: <title>" or "save: <title>".
    QStringList Log;
    QStringList Messages;
    QStringList Questions;
    QStringList Errors;
    QList<FileDialogSpec> FileDialogs;

    QList<bool> Answers;                    // answers to the next questions, in order
    QList<std::optional<FileChoice>> Files; // choices of the next file dialogs, in order
    int Unscripted = 0;

    void ShowMessage(const QString& text) override;
    bool AskQuestion(const QString& text) override;
    void ShowError(const QString& text) override;
    std::optional<FileChoice> ChooseFile(const FileDialogSpec& spec) override;

    // Convenience for scripts: a file chosen with the dialog's first filter (or the given one).
    void ChooseNext(const QString& path, int filter = -1);
    void CancelNext() { Files.append(std::nullopt); }
    void AnswerNext(bool yes) { Answers.append(yes); }
    void Clear();
};

} // namespace nibbo::testing
