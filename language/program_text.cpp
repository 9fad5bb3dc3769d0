#include "language/program_text.h"

#include <algorithm>

namespace nibbo {

PackedLines PackProgramText(std::string_view bytes) {
    PackedLines lines;
    // Every CR and LF ends a line but a CR LF pair, which ends one: at most this many lines.
    const auto breaks =
        size_t(std::count_if(bytes.begin(), bytes.end(), [](char ch) { return ch == '\r' || ch == '\n'; }));
    lines.Reserve(bytes.size(), breaks + 1);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char ch = bytes[i];
        if (ch == '\r' || ch == '\n') {
            if (ch == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            lines.EndLine();
        } else {
            lines.Append(ch);
        }
    }
    lines.EndText();
    return lines;
}

SourceLines SplitProgramText(std::string_view bytes) {
    const PackedLines packed = PackProgramText(bytes);
    SourceLines lines;
    lines.reserve(packed.size());
    for (size_t i = 0; i < packed.size(); ++i)
        lines.emplace_back(packed[i]);
    return lines;
}

} // namespace nibbo
