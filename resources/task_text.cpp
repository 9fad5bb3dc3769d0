#include "resources/task_text.h"

#include <vector>

namespace nibbo {

namespace {

bool Blank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

// A link's target goes into the page only when it cannot run anything: a web address or a name
// relative to the task's folder.
bool SafeTarget(std::string_view target) {
    const size_t colon = target.find(':');
    if (colon == std::string_view::npos) return true;
    return target.starts_with("https://") || target.starts_with("http://") || target.starts_with("mailto:");
}

// The farthest a mark looks for its partner: a code span, a link, bold or italic text is shorter.
// Without a bound every mark that has no partner would search the rest of the text, and a text of
// unpaired marks would take time that grows with the square of its length.
constexpr size_t kLongestSpan = 1000;

// The inline parts of a line: code spans, pictures, links, bold and italic; the rest as text.
class InlineWriter {
public:
    explicit InlineWriter(const TaskPictureHtml& picture) : picture_(picture) {}

    std::string Html(std::string_view text) const {
        std::string html;
        size_t i = 0;
        while (i < text.size()) {
            const std::string_view rest = text.substr(i, kLongestSpan);
            if (size_t used = Escaped(rest, html)) {
                i += used;
            } else if ((used = CodeSpan(rest, html))) {
                i += used;
            } else if ((used = Picture(rest, html))) {
                i += used;
            } else if ((used = Link(rest, html))) {
                i += used;
            } else if ((used = Emphasis(rest, "**", "strong", html))) {
                i += used;
            } else if ((used = Emphasis(rest, "*", "em", html))) {
                i += used;
            } else {
                html += EscapeHtml(text.substr(i, 1));
                ++i;
            }
        }
        return html;
    }

private:
    static size_t Escaped(std::string_view text, std::string& html) {
        static constexpr std::string_view kEscapable = "\\`*_[]()!#-+.>";
        if (text.size() < 2 || text[0] != '\\' || kEscapable.find(text[1]) == std::string_view::npos)
            return 0;
        html += EscapeHtml(text.substr(1, 1));
        return 2;
    }

    static size_t CodeSpan(std::string_view text, std::string& html) {
        if (!text.starts_with('`')) return 0;
        const size_t end = text.find('`', 1);
        if (end == std::string_view::npos) return 0;
        html += "<code>" + EscapeHtml(text.substr(1, end - 1)) + "</code>";
        return end + 1;
    }

    // "[label](target)" from the opening bracket: the label, the target and the length, or nothing.
    struct Bracketed {
        std::string_view Label;
        std::string_view Target;
        size_t Length = 0;
    };
    static Bracketed Brackets(std::string_view text) {
        if (!text.starts_with('[')) return {};
        const size_t close = text.find("](");
        if (close == std::string_view::npos) return {};
        const size_t end = text.find(')', close + 2);
        if (end == std::string_view::npos) return {};
        return {text.substr(1, close - 1), Trimmed(text.substr(close + 2, end - close - 2)), end + 1};
    }

    size_t Picture(std::string_view text, std::string& html) const {
        if (!text.starts_with('!')) return 0;
        const Bracketed parts = Brackets(text.substr(1));
        if (parts.Length == 0) return 0;
        html += picture_({std::string(parts.Label), std::string(parts.Target)});
        return parts.Length + 1;
    }

    size_t Link(std::string_view text, std::string& html) const {
        const Bracketed parts = Brackets(text);
        if (parts.Length == 0) return 0;
        if (SafeTarget(parts.Target))
            html += "<a href=\"" + EscapeHtml(parts.Target) + "\">" + Html(parts.Label) + "</a>";
        else
            html += Html(parts.Label);
        return parts.Length;
    }

    // "**bold**" or "*italic*": only with a closing mark on the same line and text right inside the
    // marks, so that "3 * 4" stays text.
    size_t Emphasis(std::string_view text, std::string_view mark, const char* tag, std::string& html) const {
        if (!text.starts_with(mark) || text.size() <= mark.size() * 2 || text[mark.size()] == ' ') return 0;
        // The closing mark is neither escaped nor, for italic, the first half of a bold one.
        size_t end = text.find(mark, mark.size() + 1);
        while (end != std::string_view::npos &&
               (text[end - 1] == '\\' || (mark == "*" && end + 1 < text.size() && text[end + 1] == '*')))
            end = text.find(mark, end + 2);
        if (end == std::string_view::npos || text[end - 1] == ' ') return 0;
        html += std::string("<") + tag + ">" + Html(text.substr(mark.size(), end - mark.size())) + "</" +
                tag + ">";
        return end + mark.size();
    }

    const TaskPictureHtml& picture_;
};

// The blocks of the text, one function per kind; each takes its lines from `next` on.
class BlockWriter {
public:
    BlockWriter(std::string_view markdown, const TaskPictureHtml& picture)
        : lines_(Lines(markdown)), inline_(picture) {}

    std::string Html() {
        std::string html;
        while (next_ < lines_.size()) {
            const std::string_view line = lines_[next_];
            if (Blank(line))
                ++next_;
            else if (Trimmed(line).starts_with("```"))
                html += CodeBlock();
            else if (HeadingLevel(line) > 0)
                html += Heading();
            else if (ListMarker(line) > 0)
                html += List();
            else
                html += Paragraph();
        }
        return html;
    }

private:
    static int HeadingLevel(std::string_view line) {
        const size_t level = line.find_first_not_of('#');
        if (level == 0 || level > 6 || level == std::string_view::npos || line[level] != ' ') return 0;
        return int(level);
    }

    // The length of a list item's marker ("- ", "* ", "12. "), 0 for a line that starts no item;
    // ordered tells which kind.
    static size_t ListMarker(std::string_view line, bool* ordered = nullptr) {
        if (line.size() >= 2 && (line[0] == '-' || line[0] == '*' || line[0] == '+') && line[1] == ' ') {
            if (ordered) *ordered = false;
            return 2;
        }
        const size_t digits = line.find_first_not_of("0123456789");
        if (digits > 0 && digits != std::string_view::npos && digits + 1 < line.size() &&
            line[digits] == '.' && line[digits + 1] == ' ') {
            if (ordered) *ordered = true;
            return digits + 2;
        }
        return 0;
    }

    bool StartsBlock(std::string_view line) const {
        return Blank(line) || Trimmed(line).starts_with("```") || HeadingLevel(line) > 0 ||
               ListMarker(line) > 0;
    }

    std::string CodeBlock() {
        std::string code;
        for (++next_; next_ < lines_.size() && !Trimmed(lines_[next_]).starts_with("```"); ++next_)
            code += EscapeHtml(lines_[next_]) + '\n';
        ++next_;
        return "<pre><code>" + code + "</code></pre>\n";
    }

    std::string Heading() {
        const std::string_view line = lines_[next_++];
        const std::string level = std::to_string(HeadingLevel(line));
        return "<h" + level + ">" + inline_.Html(Trimmed(line.substr(line.find(' ')))) + "</h" + level +
               ">\n";
    }

    // Items of one kind in a row; an item goes on on indented lines below it.
    std::string List() {
        bool ordered = false;
        ListMarker(lines_[next_], &ordered);
        std::string html = ordered ? "<ol>\n" : "<ul>\n";
        bool itemOrdered = ordered;
        while (next_ < lines_.size()) {
            const size_t marker = ListMarker(lines_[next_], &itemOrdered);
            if (marker == 0 || itemOrdered != ordered) break;
            std::string item(Trimmed(lines_[next_].substr(marker)));
            for (++next_; next_ < lines_.size() && !StartsBlock(lines_[next_]) &&
                          (lines_[next_].starts_with(' ') || lines_[next_].starts_with('\t'));
                 ++next_)
                item += ' ' + std::string(Trimmed(lines_[next_]));
            html += "<li>" + inline_.Html(item) + "</li>\n";
        }
        return html + (ordered ? "</ol>\n" : "</ul>\n");
    }

    std::string Paragraph() {
        std::string text(Trimmed(lines_[next_]));
        for (++next_; next_ < lines_.size() && !StartsBlock(lines_[next_]); ++next_)
            text += '\n' + std::string(Trimmed(lines_[next_]));
        return "<p>" + inline_.Html(text) + "</p>\n";
    }

    std::vector<std::string_view> lines_;
    size_t next_ = 0;
    InlineWriter inline_;
};

// A text as written, without the byte order mark some editors put before it.
std::string_view WithoutByteOrderMark(std::string_view markdown) {
    static constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    return markdown.starts_with(kByteOrderMark) ? markdown.substr(kByteOrderMark.size()) : markdown;
}

std::string_view FirstLine(std::string_view markdown) {
    markdown = WithoutByteOrderMark(markdown);
    std::string_view line = markdown.substr(0, markdown.find('\n'));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

} // namespace

std::string TaskTextHtml(std::string_view markdown, const TaskPictureHtml& picture) {
    return BlockWriter(WithoutByteOrderMark(markdown), picture).Html();
}

std::string TaskTitle(std::string_view markdown) {
    const std::string_view line = FirstLine(markdown);
    return line.starts_with("# ") ? std::string(Trimmed(line.substr(2))) : std::string();
}

std::string_view WithoutTitle(std::string_view markdown) {
    markdown = WithoutByteOrderMark(markdown);
    if (!FirstLine(markdown).starts_with("# ")) return markdown;
    const size_t end = markdown.find('\n');
    return end == std::string_view::npos ? std::string_view() : markdown.substr(end + 1);
}

std::string TaskTopic(std::string_view markdown) {
    static constexpr std::string_view kStart = "*Thema:";
    for (const std::string_view line : Lines(WithoutTitle(markdown))) {
        if (Blank(line)) continue;
        const std::string_view topic = Trimmed(line);
        if (!topic.starts_with(kStart) || !topic.ends_with('*') || topic.ends_with("**")) return {};
        return std::string(Trimmed(topic.substr(kStart.size(), topic.size() - kStart.size() - 1)));
    }
    return {};
}

std::string EscapeHtml(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char ch : text) {
        switch (ch) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&#39;";
            break;
        default:
            escaped += ch;
        }
    }
    return escaped;
}

} // namespace nibbo
