// Program and recording texts live in files as Windows-1252 with CR LF line breaks, and the core
// reads them as lines of 8-bit characters, one byte per character. These helpers move text between
// the files, the editor (QString) and the core (std::string of Windows-1252 bytes), keeping every
// character position intact.
#pragma once

#include "language/scanner.h"

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
// The lines of a text in which each line but the last ends in `lineEnd`, for the core in one piece,
// each as ToCoreLine has it; an empty last line is not a line of its own.
PackedLines ToPackedCoreLines(QStringView text, QChar lineEnd);

} // namespace nibbo
