// Program and recording files: the editor's text in Windows-1252 with CR LF line breaks, nothing
// added. Reading takes any regular file as text; writing replaces the file in one step, so that a
// failed write never destroys the file that was there.
#pragma once

#include "shell/file_io.h"

#include <QString>
#include <optional>

namespace nibbo {

struct TextFileResult {
    bool Ok = false;
    QString Text;  // read: the file's text with LF line breaks
    QString Error; // German, naming the file
};

// Every CR LF, lone CR and lone LF of the file becomes one line break.
TextFileResult ReadTextFile(const QString& path);

// Writes text with LF line breaks as Windows-1252 with CR LF. The text must be encodable.
TextFileResult WriteTextFile(const QString& path, const QString& text);

// A path as the file layer takes it, and the message for a problem it reported with that file.
std::string LocalPath(const QString& path);
QString FileProblem(const QString& path, const std::string& problem);

// Where the text holds a character that Windows-1252 cannot hold: its position (in the text with
// LF line breaks) and a German message naming it; nothing when the whole text can be saved.
struct UnsavableCharacter {
    qsizetype Position = 0;
    qsizetype Length = 1;
    QString Message;
};
std::optional<UnsavableCharacter> FindUnsavableCharacter(const QString& text);

} // namespace nibbo
