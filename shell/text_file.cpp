#include "shell/text_file.h"

#include "shell/text_codec.h"

#include <QDir>
#include <QFile>

namespace nibbo {

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString FileProblem(const QString& path, const std::string& problem) {
    return QString::fromStdString(FileMessage(QDir::toNativeSeparators(path).toStdString(), problem));
}

TextFileResult ReadTextFile(const QString& path) {
    const FileRead read = ReadTextFileBytes(LocalPath(path));
    if (!read.Ok()) return {false, {}, FileProblem(path, read.Problem)};
    return {true, NormalizeLineBreaks(DecodeWindows1252(QByteArray::fromStdString(read.Bytes))), {}};
}

TextFileResult WriteTextFile(const QString& path, const QString& text) {
    QString withBreaks = text;
    withBreaks.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const std::optional<QByteArray> bytes = EncodeWindows1252(withBreaks);
    if (!bytes)
        return {false, {}, FileProblem(path, "Der Text enthält Zeichen, die die Datei nicht fassen kann.")};
    const std::string problem =
        SaveFile(LocalPath(path), std::string_view(bytes->constData(), bytes->size()));
    if (!problem.empty()) return {false, {}, FileProblem(path, problem)};
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
