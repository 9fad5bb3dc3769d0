#include "shell/text_file.h"

#include "shell/text_codec.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace nibbo {

namespace {

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

} // namespace

TextFileResult ReadTextFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {false, {}, QStringLiteral("Die Datei „%1“ kann nicht geöffnet werden.").arg(Shown(path))};
    if (file.size() > kMaxTextFileBytes)
        return {false, {},
                QStringLiteral("Die Datei „%1“ ist zu groß für den Editor (höchstens %2 MB).")
                    .arg(Shown(path))
                    .arg(kMaxTextFileBytes / (1024 * 1024))};
    const QByteArray bytes = file.read(kMaxTextFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {false, {}, QStringLiteral("Die Datei „%1“ kann nicht gelesen werden.").arg(Shown(path))};
    if (bytes.size() > kMaxTextFileBytes)
        return {false, {},
                QStringLiteral("Die Datei „%1“ ist zu groß für den Editor (höchstens %2 MB).")
                    .arg(Shown(path))
                    .arg(kMaxTextFileBytes / (1024 * 1024))};
    return {true, NormalizeLineBreaks(DecodeWindows1252(bytes)), {}};
}

TextFileResult WriteTextFile(const QString& path, const QString& text) {
    QString withBreaks = text;
    withBreaks.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const std::optional<QByteArray> bytes = EncodeWindows1252(withBreaks);
    if (!bytes) return {false, {}, QStringLiteral("Der Text kann nicht als Datei „%1“ gespeichert werden.").arg(Shown(path))};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.commit())
        return {false, {}, QStringLiteral("Die Datei „%1“ kann nicht angelegt werden.").arg(Shown(path))};
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
