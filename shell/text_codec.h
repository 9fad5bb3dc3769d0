// The editor's text (QString) and the one Windows-1252 codec of shell/windows1252.h: QString holds
// UTF-16, so every unit stays the character that positions count.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

namespace nibbo {

// Bytes of a file into text; every byte is one character.
QString DecodeWindows1252(const QByteArray& bytes);
// Text into bytes, or nothing when a character has no Windows-1252 byte.
std::optional<QByteArray> EncodeWindows1252(const QString& text);
// The first character of the text that Windows-1252 cannot hold, or -1.
qsizetype FirstUnencodable(const QString& text);

// CR LF, lone CR and lone LF each become one LF.
QString NormalizeLineBreaks(const QString& text);
// The lines of a text with LF line breaks: an empty last line (text ending in a line break) is
// not a line of its own, and an empty text has no lines.
QStringList SplitLines(const QString& text);

// One line for the core: one byte per UTF-16 unit, so positions stay the same; a character that
// Windows-1252 cannot hold becomes the byte 0x1A, which no word of the language contains.
std::string ToCoreLine(const QString& line);
std::vector<std::string> ToCoreLines(const QStringList& lines);

} // namespace nibbo
