#include "html_page.h"

#include "resources/task_text.h"

#include <QString>

namespace nibbo::batch {

namespace {

constexpr std::string_view kSharedStyle = R"(
@page { size: A4; margin: 14mm; }
body { font-family: "DejaVu Sans", Arial, sans-serif; font-size: 10.5pt; color: #111; max-width: 182mm;
       margin: 6mm auto; }
h1 { font-size: 18pt; margin: 0 0 2mm; }
h2 { font-size: 14pt; margin: 0 0 2mm; }
p { margin: 1mm 0; }
a { color: inherit; }
section { break-before: page; margin-top: 10mm; padding-top: 4mm; border-top: 2px solid #999; }
@media print { section { margin-top: 0; padding-top: 0; border-top: none; } }
)";

} // namespace

std::string Html(std::string_view text) {
    const QString decoded = QString::fromUtf8(text.data(), qsizetype(text.size()));
    QString shown;
    shown.reserve(decoded.size());
    for (const QChar ch : decoded) {
        const bool control = (ch.unicode() < 0x20 && ch != u'\n' && ch != u'\t') || ch.unicode() == 0x7F;
        shown += control ? QChar(QChar::ReplacementCharacter) : ch;
    }
    return EscapeHtml(shown.toStdString());
}

std::string PageStart(std::string_view title, std::string_view style) {
    return "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\"/>\n<title>" + Html(title) +
           "</title>\n<style>" + std::string(kSharedStyle) + std::string(style) +
           "</style>\n</head>\n<body>\n";
}

} // namespace nibbo::batch
