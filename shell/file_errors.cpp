#include "shell/file_errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace nibbo {

QString FileError(const QString& path, const QString& text) {
    return QDir::toNativeSeparators(path) + QLatin1Char('\n') + text;
}

QString OpenFailure(const QString& path) {
    const QFileInfo info(path);
    QString reason;
    if (!info.exists())
        reason = QStringLiteral(" Sie existiert nicht.");
    else if (info.isDir())
        reason = QStringLiteral(" Das ist ein Ordner.");
    else if (!info.isReadable())
        reason = QStringLiteral(" Der Zugriff wurde verweigert.");
    return FileError(path, QStringLiteral("Die Datei kann nicht geöffnet werden.") + reason);
}

QString CreateObstacle(const QString& path) {
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        return QStringLiteral(" Der Ordner „%1“ existiert nicht.").arg(QDir::toNativeSeparators(folder.filePath()));
    if (info.isDir()) return QStringLiteral(" Unter diesem Namen gibt es schon einen Ordner.");
    constexpr QFile::Permissions kAnyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (info.exists() && !(info.permissions() & kAnyWrite)) return QStringLiteral(" Sie ist schreibgeschützt.");
    return {};
}

QString CreateFailure(const QString& path) {
    return FileError(path, QStringLiteral("Die Datei kann nicht angelegt werden.") + CreateObstacle(path));
}

QString WriteFailure(const QString& path) {
    return FileError(path,
                     QStringLiteral("Die Datei kann nicht geschrieben werden. Eine vorhandene Datei bleibt unverändert."));
}

} // namespace nibbo
