#include "shell/text_codec.h"

#include "shell/windows1252.h"

namespace nibbo {

namespace {

std::u16string_view Units(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())};
}

QString FromUnits(std::u16string_view units) {
    return QString(reinterpret_cast<const QChar*>(units.data()), qsizetype(units.size()));
}

} // namespace

QString DecodeWindows1252(const QByteArray& bytes) {
    return FromUnits(
        nibbo::DecodeWindows1252(std::string_view(bytes.constData(), std::size_t(bytes.size()))));
}

std::optional<QByteArray> EncodeWindows1252(const QString& text) {
    if (FirstUnencodable(text) >= 0) return std::nullopt;
    return QByteArray::fromStdString(CoreBytes(Units(text)));
}

qsizetype FirstUnencodable(const QString& text) {
    const std::optional<std::size_t> at = nibbo::FirstUnencodable(Units(text));
    return at ? qsizetype(*at) : -1;
}

QString NormalizeLineBreaks(const QString& text) {
    return FromUnits(nibbo::NormalizeLineBreaks(Units(text)));
}

QStringList SplitLines(const QString& text) {
    if (text.isEmpty()) return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() > 1 && lines.constLast().isEmpty()) lines.removeLast();
    return lines;
}

std::string ToCoreLine(const QString& line) {
    return CoreBytes(Units(line));
}

std::vector<std::string> ToCoreLines(const QStringList& lines) {
    std::vector<std::string> result;
    result.reserve(std::size_t(lines.size()));
    for (const QString& line : lines)
        result.push_back(ToCoreLine(line));
    return result;
}

} // namespace nibbo
