// The help window: the user documentation in eight tabbed pages of German text, about Nibbo, his
// world, recording by hand and the taught language. It is created once, hidden, at program start
// and lives until the program ends; closing it only hides it, so that notes typed on the recording
// page stay until the end.
#pragma once

#include "windows/help_pages.h"

#include <QString>
#include <QWidget>
#include <array>

class QTextEdit;

namespace nibbo {

class TTabControl;

// The text of the page of a tab (0..7) as it is built into the program: its heading line, an empty
// line, then the page. An index outside 0..7 gives an empty text.
QString HelpPageText(int tab);

class THelpForm : public QWidget {
    Q_OBJECT
public:
    explicit THelpForm(QWidget* parent = nullptr);

    TTabControl* RegelTabControl = nullptr;

    // The pages, one per tab, in the order of the tabs.
    QTextEdit* UeberNibboEdit = nullptr;
    QTextEdit* WeltRichEdit = nullptr;
    QTextEdit* AufzeichnungRichEdit = nullptr;
    QTextEdit* SyntaxRichEdit = nullptr;
    QTextEdit* ProcedurenRichEdit = nullptr;
    QTextEdit* SensorenRichEdit = nullptr;
    QTextEdit* EntscheidungenRichEdit = nullptr;
    QTextEdit* SchleifenRichEdit = nullptr;

    QTextEdit* Page(int tab) const;

    // Hides every page, then shows the page of the selected tab.
    void RegelTabControlChange();

private:
    std::array<QTextEdit*, kHelpPageCount> pages_{};
};

} // namespace nibbo
