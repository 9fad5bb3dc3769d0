// Every message box, question and file dialog of the main window goes through this one interface:
// the program shows Qt's dialogs, the tests put a scripted stand-in in its place.
#pragma once

#include "shell/front_end.h"

#include <QString>
#include <optional>

class QWidget;

namespace nibbo {

class TDialogs {
public:
    virtual ~TDialogs() = default;
    // A plain message with one OK button.
    virtual void ShowMessage(const QString& text) = 0;
    // A warning box titled "Warnung" with the buttons "&Ja" and "&Nein"; true only for Ja.
    virtual bool AskQuestion(const QString& text) = 0;
    // A file that could not be read or written.
    virtual void ShowError(const QString& text) = 0;
    // A file dialog; nothing when it was cancelled.
    virtual std::optional<FileChoice> ChooseFile(const FileDialogSpec& spec) = 0;
};

// The dialogs of the running program.
class TQtDialogs : public TDialogs {
public:
    explicit TQtDialogs(QWidget* parent) : parent_(parent) {}
    void ShowMessage(const QString& text) override;
    bool AskQuestion(const QString& text) override;
    void ShowError(const QString& text) override;
    std::optional<FileChoice> ChooseFile(const FileDialogSpec& spec) override;

private:
    QWidget* parent_;
};

} // namespace nibbo
