// A task's text on any bytes: the HTML made from it holds only the elements of the small Markdown
// (paragraphs, headings, lists, code, bold, italic, links and the pictures the caller draws), each
// closed in the order it was opened, every other "<" and "&" of the text escaped, and no link that
// could run anything.
#include "invariants.h"

#include "resources/task_text.h"

#include <string>
#include <string_view>
#include <vector>

using namespace nibbo;
using nibbo::fuzz::Require;

namespace {

// What the caller draws for a picture: an element the checks know.
constexpr std::string_view kPicture = "<img>";

bool SafeLink(std::string_view target) {
    return target.find(':') == std::string_view::npos || target.starts_with("http://") ||
           target.starts_with("https://") || target.starts_with("mailto:");
}

// The element at the start of html ("<p>", "</em>", "<a href=...>"): its name and length, or a
// length of 0 for anything the text may not produce.
struct Tag {
    std::string Name;
    bool Closing = false;
    size_t Length = 0;
};

Tag ReadTag(std::string_view html) {
    static const std::vector<std::string_view> kNames = {
        "p", "h1", "h2", "h3", "h4", "h5", "h6", "ul", "ol", "li", "pre", "code", "em", "strong", "a"};
    Tag tag;
    size_t at = 1;
    tag.Closing = html.size() > 1 && html[1] == '/';
    at += tag.Closing;
    const size_t end = html.find('>');
    if (end == std::string_view::npos) return tag;
    std::string_view inside = html.substr(at, end - at);
    if (!tag.Closing && inside.starts_with("a href=\"") && inside.ends_with('"')) {
        const std::string_view target = inside.substr(8, inside.size() - 9);
        Require(target.find('"') == std::string_view::npos, "a quote inside a link's target");
        Require(SafeLink(target), "a link that could run something");
        inside = "a";
    }
    for (std::string_view name : kNames)
        if (inside == name) {
            tag.Name = std::string(name);
            tag.Length = end + 1;
        }
    return tag;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view markdown(reinterpret_cast<const char*>(data), size);
    const std::string html = TaskTextHtml(markdown, [](const TaskPicture&) { return std::string(kPicture); });

    std::vector<std::string> open;
    for (size_t i = 0; i < html.size();) {
        const std::string_view rest = std::string_view(html).substr(i);
        if (rest.starts_with(kPicture)) {
            i += kPicture.size();
        } else if (rest.starts_with('<')) {
            const Tag tag = ReadTag(rest);
            Require(tag.Length > 0, "markup in the text that is not the text's own");
            if (tag.Closing) {
                Require(!open.empty() && open.back() == tag.Name, "an element closed out of order");
                open.pop_back();
            } else {
                open.push_back(tag.Name);
            }
            i += tag.Length;
        } else if (rest.starts_with('&')) {
            Require(rest.starts_with("&amp;") || rest.starts_with("&lt;") || rest.starts_with("&gt;") ||
                        rest.starts_with("&quot;") || rest.starts_with("&#39;"),
                    "an ampersand of the text not escaped");
            ++i;
        } else {
            Require(rest[0] != '>' && rest[0] != '"', "a character of markup not escaped");
            ++i;
        }
    }
    Require(open.empty(), "an element left open");

    const std::string_view body = WithoutTitle(markdown);
    Require(markdown.ends_with(body), "the text without its title is not the end of the text");
    Require(TaskTitle(markdown).find('\n') == std::string::npos, "a title of more than one line");
    return 0;
}
