// The syntax check on the button "Syntax-Überprüfung": it checks the editor's text, lists every
// fault in the message list and selects the line of the first one. The run control calls it before
// every run and starts only when the list stays empty.
#include "language/syntax_check.h"
#include "shell/nibboform.h"
#include "shell/prg_memo.h"

#include <QListWidget>
#include <QTextBlock>

namespace nibbo {

void TNibboForm::SyntaxSpeedButtonClick() {
    InfoListBox->clear();
    PackedLines lines = PrgMemo->CoreLines();
    if (lines.empty()) {
        Dialogs->ShowMessage(QStringLiteral("Erst Programm schreiben!"));
        FormPaint();
        InfoListBox->addItem(QStringLiteral("kein Programm!"));
        return;
    }
    const std::vector<std::string> messages = CheckSyntaxInPlace(lines, ProcTable, Scanner);
    QStringList items;
    items.reserve(qsizetype(messages.size()));
    for (const std::string& message : messages)
        items << QString::fromStdString(message);
    InfoListBox->addItems(items);
    if (InfoListBox->count() > 0) SelectErrorLine();
}

void TNibboForm::SelectErrorLine() {
    if (InfoListBox->count() == 0) return;
    // The message begins with the number of the line it is about.
    const QString first = InfoListBox->item(0)->text();
    const qsizetype colon = first.indexOf(QLatin1Char(':'));
    bool isNumber = false;
    const int line = colon > 0 ? first.left(colon).toInt(&isNumber) : 0;
    if (!isNumber || line < 0 || line >= PrgMemo->LineCount()) return;
    // Every line before it counts its line break as two characters.
    const QTextBlock block = PrgMemo->document()->findBlockByNumber(line);
    PrgMemo->SetSelection(block.position() + line, block.length() - 1);
}

} // namespace nibbo
