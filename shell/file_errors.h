// The German messages for files that cannot be read or written. They name the file on their first
// line and say what went wrong below it, as far as it can be told.
#pragma once

#include <QString>

namespace nibbo {

// path on the first line, the text below it.
QString FileError(const QString& path, const QString& text);

// Why a file cannot be opened for reading.
QString OpenFailure(const QString& path);

// Why a file cannot be created at path, as far as can be told before trying; "" if no reason is
// known. A file whose mode grants nobody write access counts as read-only and is not replaced.
QString CreateObstacle(const QString& path);

// The message for a file that could not be created (with the obstacle, when one is known).
QString CreateFailure(const QString& path);

// The message for a write that failed after the file was opened.
QString WriteFailure(const QString& path);

} // namespace nibbo
