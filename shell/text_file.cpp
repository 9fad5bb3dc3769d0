#include "shell/text_file.h"

#include "shell/file_errors.h"
#include "shell/text_codec.h"

#include <QFileInfo>
#include <QFile>
#include <QSaveFile>

namespace nibbo {

namespace {

QString TooLarge(const QString& path) {
    return FileError(path, QStringLiteral("Die Datei ist zu groß für den Editor (höchstens %1 MB).")
                               .arg(kMaxTextFileBytes / (1024 * 1024)));
}

} // namespace

TextFileResult ReadTextFile(const QString& path) {
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) return {false, {}, OpenFailure(path)};
    if (file.size() > kMaxTextFileBytes) return {false, {}, TooLarge(path)};
    const QByteArray bytes = file.read(kMaxTextFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {false, {}, FileError(path, QStringLiteral("Die Datei kann nicht gelesen werden."))};
    if (bytes.size() > kMaxTextFileBytes) return {false, {}, TooLarge(path)};
    return {true, NormalizeLineBreaks(DecodeWindows1252(bytes)), {}};
}

TextFileResult WriteTextFile(const QString& path, const QString& text) {
    QString withBreaks = text;
    withBreaks.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const std::optional<QByteArray> bytes = EncodeWindows1252(withBreaks);
    if (!bytes) return {false, {}, FileError(path, QStringLiteral("Der Text enthält Zeichen, die die Datei nicht fassen kann."))};
    QSaveFile file(path);
    if (!CreateObstacle(path).isEmpty() || !file.open(QIODevice::WriteOnly)) return {false, {}, CreateFailure(path)};
    if (file.write(*bytes) != bytes->size() || !file.commit()) {
        file.cancelWriting();
        return {false, {}, WriteFailure(path)};
    }
    return {true, {}, {}};
}

std::optional<UnsavableCharacter> FindUnsavableCharacter(const QString& text) {
    const qsizetype at = FirstUnencodable(text);
    if (at < 0) return std::nullopt;
    const qsizetype length = text[at].isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
    UnsavableCharacter result;
    result.Position = at;
    result.Length = length;
    result.Message = QStringLiteral("Das markierte Zeichen „%1“ kann in der Datei nicht gespeichert werden. "
                                    "Bitte entferne oder ersetze es; es wurde nichts gespeichert.")
                         .arg(text.mid(at, length));
    return result;
}

} // namespace nibbo
