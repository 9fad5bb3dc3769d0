// The text of a task for pupils (aufgabe.md in a task's folder) as HTML, for the task booklet and for
// the web page, which both show it. The texts are written in the small part of Markdown that a
// teacher writes without thinking about it: headings, paragraphs, lists, bold, italic, code, code
// blocks, links and pictures. Anything else stays text, and every character that HTML would read as
// markup is escaped, so a text can never inject anything into the page that shows it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace nibbo {

// A picture in a task text: "![Alt](Target)".
struct TaskPicture {
    std::string Alt;
    std::string Target;
};

// Draws a picture as HTML; the caller knows where the pictures of a task live (the booklet draws
// them from the task's worlds, the web page links the files).
using TaskPictureHtml = std::function<std::string(const TaskPicture&)>;

// The task text as a fragment of HTML. The first heading "# Title" becomes an <h1> like the others:
// callers that number tasks take the title with TaskTitle and leave out the first line themselves.
std::string TaskTextHtml(std::string_view markdown, const TaskPictureHtml& picture);

// The text of the first line when it is a heading "# Title", else "".
std::string TaskTitle(std::string_view markdown);

// The text without its first line when that is the title heading.
std::string_view WithoutTitle(std::string_view markdown);

// The topic line right under the title, "*Thema: Schleifen*", as its text "Schleifen"; else "".
std::string TaskTopic(std::string_view markdown);

// Text as HTML shows it: &, <, >, " and ' escaped.
std::string EscapeHtml(std::string_view text);

} // namespace nibbo
