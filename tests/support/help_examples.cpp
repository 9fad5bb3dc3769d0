#include "support/help_examples.h"

#include "shell/text_codec.h"
#include "windows/helpunit.h"

namespace nibbo::testing {

namespace {

QString FirstWord(const QString& line) {
    return line.trimmed().section(QLatin1Char(' '), 0, 0);
}

bool IsMarker(const QString& line) {
    return line.startsWith(QLatin1String("Beispiel")) && line.trimmed().endsWith(QLatin1Char(':'));
}

} // namespace

QList<HelpExample> ExtractExamples(const QString& pageText, int tab) {
    const QStringList lines = NormalizeLineBreaks(pageText).split(QLatin1Char('\n'));
    QList<HelpExample> examples;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!IsMarker(lines[i])) continue;
        qsizetype first = i + 1;
        while (first < lines.size() && lines[first].trimmed().isEmpty())
            ++first;
        if (first == lines.size()) break;

        HelpExample example;
        example.Tab = tab;
        const QString word = FirstWord(lines[first]);
        qsizetype end = first; // one past the example's last line
        if (word == QLatin1String("program")) {
            example.IsProgram = true;
            while (end < lines.size() && lines[end].trimmed() != QLatin1String("end."))
                ++end;
            if (end < lines.size()) ++end;
        } else if (word == QLatin1String("if") || word == QLatin1String("while") ||
                   word == QLatin1String("repeat")) {
            while (end < lines.size() && !lines[end].trimmed().isEmpty() && !IsMarker(lines[end]))
                ++end;
        } else {
            continue;
        }
        example.Lines = lines.mid(first, end - first);
        examples.append(example);
        i = end - 1;
    }
    return examples;
}

QList<HelpExample> AllHelpExamples() {
    QList<HelpExample> examples;
    for (int tab = 0; tab < kHelpPageCount; ++tab)
        examples += ExtractExamples(HelpPageText(tab), tab);
    return examples;
}

SourceLines ExampleProgram(const HelpExample& example) {
    if (example.IsProgram) return ToCoreLines(example.Lines);
    QStringList lines{QStringLiteral("program beispiel;"), QStringLiteral("begin")};
    for (const QString& line : example.Lines)
        lines.append(QStringLiteral("  ") + line);
    lines.append(QStringLiteral("end."));
    return ToCoreLines(lines);
}

} // namespace nibbo::testing
