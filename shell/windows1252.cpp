#include "shell/windows1252.h"

#include <array>

namespace nibbo {

namespace {

// The characters of the bytes 0x80..0x9F; the other bytes are the characters of their number.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char kNoByte = '\x1a';

char16_t CharacterOf(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
}

// The byte of a unit, or nothing when Windows-1252 has none.
std::optional<char> ByteOf(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return char(unit);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == unit) return char(0x80 + i);
    return std::nullopt;
}

void AppendUtf8(std::string& text, char32_t code) {
    if (code < 0x80) {
        text += char(code);
    } else if (code < 0x800) {
        text += char(0xC0 | (code >> 6));
        text += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        text += char(0xE0 | (code >> 12));
        text += char(0x80 | ((code >> 6) & 0x3F));
        text += char(0x80 | (code & 0x3F));
    } else {
        text += char(0xF0 | (code >> 18));
        text += char(0x80 | ((code >> 12) & 0x3F));
        text += char(0x80 | ((code >> 6) & 0x3F));
        text += char(0x80 | (code & 0x3F));
    }
}

} // namespace

std::u16string DecodeWindows1252(std::string_view bytes) {
    std::u16string text(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        text[i] = CharacterOf(static_cast<unsigned char>(bytes[i]));
    return text;
}

std::string CoreBytes(std::u16string_view text) {
    std::string bytes(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        bytes[i] = ByteOf(text[i]).value_or(kNoByte);
    return bytes;
}

std::optional<std::size_t> FirstUnencodable(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!ByteOf(text[i])) return i;
    return std::nullopt;
}

std::u16string NormalizeLineBreaks(std::u16string_view text) {
    std::u16string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            result += u'\n';
            if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

std::string Utf8FromUtf16(std::u16string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        const bool pair = code >= 0xD800 && code < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                          text[i + 1] < 0xE000;
        if (pair)
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (code >= 0xD800 && code < 0xE000)
            code = 0xFFFD; // half a pair stands for nothing
        AppendUtf8(result, code);
    }
    return result;
}

std::string Utf8FromWindows1252(std::string_view bytes) {
    std::string result;
    result.reserve(bytes.size());
    for (const char byte : bytes)
        AppendUtf8(result, CharacterOf(static_cast<unsigned char>(byte)));
    return result;
}

} // namespace nibbo
