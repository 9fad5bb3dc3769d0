#include "shell/text_codec.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>

namespace nibbo {

namespace {

// UTF-16 unit -> Windows-1252 byte, for all 256 bytes.
const QHash<char16_t, char>& ByteOfUnit() {
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> result;
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(char(i));
        QStringDecoder decoder("windows-1252");
        const QString decoded = decoder.decode(all);
        for (int i = 0; i < decoded.size() && i < 256; ++i)
            result.insert(decoded[i].unicode(), char(i));
        return result;
    }();
    return table;
}

// A character that Windows-1252 cannot hold becomes 0x1A, which no word of the language contains.
char CoreByte(QChar ch) {
    return ByteOfUnit().value(ch.unicode(), '\x1a');
}

} // namespace

QString DecodeWindows1252(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1252");
    return decoder.decode(bytes);
}

std::optional<QByteArray> EncodeWindows1252(const QString& text) {
    if (FirstUnencodable(text) >= 0) return std::nullopt;
    QStringEncoder encoder("windows-1252");
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError() || bytes.size() != text.size()) return std::nullopt;
    return bytes;
}

qsizetype FirstUnencodable(const QString& text) {
    const auto& table = ByteOfUnit();
    for (qsizetype i = 0; i < text.size(); ++i)
        if (!table.contains(text[i].unicode())) return i;
    return -1;
}

QString NormalizeLineBreaks(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == QLatin1Char('\r')) {
            result.append(QLatin1Char('\n'));
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
        } else {
            result.append(ch);
        }
    }
    return result;
}

QStringList SplitLines(const QString& text) {
    if (text.isEmpty()) return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() > 1 && lines.constLast().isEmpty()) lines.removeLast();
    return lines;
}

std::string ToCoreLine(const QString& line) {
    std::string result;
    result.reserve(size_t(line.size()));
    for (QChar ch : line)
        result.push_back(CoreByte(ch));
    return result;
}

std::vector<std::string> ToCoreLines(const QStringList& lines) {
    std::vector<std::string> result;
    result.reserve(size_t(lines.size()));
    for (const QString& line : lines)
        result.push_back(ToCoreLine(line));
    return result;
}

PackedLines ToPackedCoreLines(QStringView text, QChar lineEnd) {
    PackedLines lines;
    lines.Reserve(size_t(text.size()), size_t(text.count(lineEnd)) + 1);
    for (QChar ch : text) {
        if (ch == lineEnd)
            lines.EndLine();
        else
            lines.Append(CoreByte(ch));
    }
    lines.EndText();
    return lines;
}

} // namespace nibbo
