// Program and recording texts live in files as Windows-1252 bytes, one byte per character. This is
// the one codec between those bytes, the editor's text (UTF-16, whose code units are the characters
// every position counts) and the UTF-8 of messages and of the batch tool's output.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace nibbo {

// Every byte is one character. The five bytes without a character become the control characters
// of their number.
std::u16string DecodeWindows1252(std::string_view bytes);

// One byte per UTF-16 unit. A unit that Windows-1252 cannot hold becomes the byte 0x1A, which no
// word of the language contains, so that positions stay the same in the core's lines.
std::string CoreBytes(std::u16string_view text);

// Where the first unit stands that Windows-1252 cannot hold, if any.
std::optional<std::size_t> FirstUnencodable(std::u16string_view text);

// CR LF, a lone CR and a lone LF each become one LF.
std::u16string NormalizeLineBreaks(std::u16string_view text);

std::string Utf8FromUtf16(std::u16string_view text);
std::string Utf8FromWindows1252(std::string_view bytes);

} // namespace nibbo
