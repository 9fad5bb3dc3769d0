// Every message box, question and file dialog of the main window goes through this one interface:
// the program shows Qt's dialogs, the tests put a scripted stand-in in its place.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

class QWidget;

namespace nibbo {

struct FileFilter {
    QString Label;   // "Nibbos Welt"
    QString Pattern; // "*.wlt"
};

struct FileDialogSpec {
    enum Kind { Open, Save } Mode = Open;
    QString Title;
    QList<FileFilter> Filters;
    int SelectedFilter = 0; // index into Filters
    QString InitialFolder = QStringLiteral(".");
    QString PresetName;
};

struct FileChoice {
    QString Path;
    int SelectedFilter = 0; // the filter selected when the dialog was confirmed
};

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

// A name chosen without an extension gets the extension of the filter that was selected, so that
// the file shows in the open dialog later on.
QString WithFilterExtension(const FileChoice& choice, const FileDialogSpec& spec);

// The full path of a chosen file; a save dialog's choice gets its filter's extension first.
QString ChosenPath(const FileChoice& choice, const FileDialogSpec& spec);

} // namespace nibbo
