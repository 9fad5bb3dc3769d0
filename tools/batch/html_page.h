// What the HTML pages of nibbo-batch share, the report of run and replay and the task booklet: one
// self-contained file each, printed on A4 in the same type, and every text that comes from a file
// shown as text, never taken as markup.
#pragma once

#include <string>
#include <string_view>

namespace nibbo::batch {

// Text as HTML shows it, for names, messages and programs that pupils control: the characters that
// have a meaning in HTML escaped, bytes that are no UTF-8 and control characters shown as the
// replacement character.
std::string Html(std::string_view text);

// The page up to its <body>: the title (as text) and the shared print style, then the page's own
// style rules, which may override the shared ones. Every <section> starts a new page in print.
std::string PageStart(std::string_view title, std::string_view style);

inline constexpr std::string_view kPageEnd = "</body>\n</html>\n";

} // namespace nibbo::batch
