// The example programs of the help pages, read from the page texts themselves, so that a test can
// put every one of them through the syntax check. An example stands directly under a line that
// begins with "Beispiel" and ends with ":" (empty lines between are skipped). It is either a whole
// program, from its "program" line through its "end." line with any empty lines inside, or a
// fragment whose first line begins with "if", "while" or "repeat", running up to the next empty
// line or the next such line. Whatever else follows such a line is no example program.
#pragma once

#include "language/scanner.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace nibbo::testing {

struct HelpExample {
    int Tab = -1;           // the help tab whose page holds it
    bool IsProgram = false; // a whole program rather than a fragment
    QStringList Lines;

    friend bool operator==(const HelpExample&, const HelpExample&) = default;
};

QList<HelpExample> ExtractExamples(const QString& pageText, int tab = -1);

// The examples of all eight help pages, in the order of the tabs and of the pages.
QList<HelpExample> AllHelpExamples();

// The example as program text for the syntax check: a program as it stands; a fragment as the
// main block of a program named "beispiel", indented by two blanks.
SourceLines ExampleProgram(const HelpExample& example);

} // namespace nibbo::testing
