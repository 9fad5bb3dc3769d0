#include "language/program_text.h"

namespace nibbo {

SourceLines SplitProgramText(std::string_view bytes) {
    SourceLines lines;
    std::string current;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char ch = bytes[i];
        if (ch == '\r' || ch == '\n') {
            if (ch == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            lines.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(ch);
        }
    }
    // Text after the last line break is a last line; a break at the very end opens none.
    if (!current.empty()) lines.push_back(std::move(current));
    return lines;
}

} // namespace nibbo
