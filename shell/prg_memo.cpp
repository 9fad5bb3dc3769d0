#include "shell/prg_memo.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace nibbo {

TPrgMemo::TPrgMemo(QWidget* parent) : QPlainTextEdit(parent) {
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(12);
    setFont(font);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(false);

    // The running statement is shown as a selection while the editor is disabled and unfocused:
    // it looks the same whatever the state. The underscores of this font reach down to the very
    // bottom of their line, so the selection is a light background painted under the text of all
    // lines (PaintSelection), and the selected text keeps its own dark colour. Qt's selection,
    // painted line by line, would cover the underscores of the line above, and its light text is
    // cut off at the line's bottom, just where the underscores are; its background is transparent.
    const QPalette usual = palette();
    QPalette pal = usual;
    const QColor highlight = pal.color(QPalette::Active, QPalette::Highlight);
    const QColor base = pal.color(QPalette::Active, QPalette::Base);
    // Halfway between the usual selection colour and the editor's ground.
    selectionColour_ = QColor((highlight.red() + base.red()) / 2, (highlight.green() + base.green()) / 2,
                              (highlight.blue() + base.blue()) / 2);
    // While a program runs the editor is disabled; its text stays readable, only a little paler.
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(80, 80, 80));
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Highlight, Qt::transparent);
        pal.setColor(group, QPalette::HighlightedText, pal.color(group, QPalette::Text));
    }
    setPalette(pal);
    // The scroll bars keep the usual selection colours, should the style use them.
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        QPalette own = bar->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
                own.setColor(group, role, usual.color(group, role));
        bar->setPalette(own);
    }

    connect(document(), &QTextDocument::contentsChanged, this, [this] { InvalidateBlockStarts(); });
}

void TPrgMemo::SetTabStopsInCharacters(int characters) {
    setTabStopDistance(QFontMetricsF(font()).horizontalAdvance(QLatin1Char(' ')) * characters);
}

QStringList TPrgMemo::Lines() const {
    QStringList lines;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        lines << block.text();
    if (!lines.isEmpty() && lines.constLast().isEmpty()) lines.removeLast();
    return lines;
}

int TPrgMemo::LineCount() const {
    return document()->blockCount() - (document()->lastBlock().length() == 1 ? 1 : 0);
}

QString TPrgMemo::Text() const {
    return document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

void TPrgMemo::SetText(const QString& text) {
    if (text == Text()) return;
    setPlainText(text);
}

void TPrgMemo::AppendLine(const QString& line) {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    // The text ends in a line break exactly when its last block is empty.
    QString addition = line + QLatin1Char('\n');
    if (!document()->lastBlock().text().isEmpty()) addition.prepend(QLatin1Char('\n'));
    cursor.insertText(addition);
}

void TPrgMemo::Clear() {
    if (!document()->isEmpty()) clear();
}

const QVector<int>& TPrgMemo::BlockStarts() const {
    if (blockStarts_.isEmpty())
        for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
            blockStarts_.append(block.position());
    return blockStarts_;
}

int TPrgMemo::DocumentPosition(int crlfPosition) const {
    // Block k starts at document position p and at p + k when breaks count two.
    const QVector<int>& starts = BlockStarts();
    int lo = 0, hi = int(starts.size()) - 1, block = 0;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        if (starts[mid] + mid <= crlfPosition) {
            block = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    // A position inside a two-character line break falls on the end of its line.
    const int lineLength = document()->findBlockByNumber(block).length() - 1;
    const int offset = std::clamp(crlfPosition - (starts.value(block) + block), 0, lineLength);
    return std::clamp(starts.value(block) + offset, 0, std::max(0, document()->characterCount() - 1));
}

int TPrgMemo::CrlfPosition(int documentPosition) const {
    return documentPosition + document()->findBlock(documentPosition).blockNumber();
}

void TPrgMemo::SetSelection(int start, int length) {
    QTextCursor cursor(document());
    cursor.setPosition(DocumentPosition(start));
    if (length > 0) cursor.setPosition(DocumentPosition(start + length), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

int TPrgMemo::SelStart() const {
    return CrlfPosition(textCursor().selectionStart());
}

int TPrgMemo::SelLength() const {
    const QTextCursor cursor = textCursor();
    return CrlfPosition(cursor.selectionEnd()) - CrlfPosition(cursor.selectionStart());
}

void TPrgMemo::paintEvent(QPaintEvent* event) {
    PaintSelection(event->rect());
    QPlainTextEdit::paintEvent(event);
}

void TPrgMemo::PaintSelection(const QRect& area) {
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) return;
    QPainter painter(viewport());
    painter.setClipRect(area);
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    for (QTextBlock block = document()->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        const QPointF origin = blockBoundingGeometry(block).translated(contentOffset()).topLeft();
        if (origin.y() > area.bottom()) break;
        const QTextLayout* layout = block.layout();
        const int from = start - block.position();
        const int to = end - block.position();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const int lineEnd = line.textStart() + line.textLength();
            if (to <= line.textStart() || from > lineEnd) continue;
            // Where Qt would put it: from the selection's first character, and past the end of a
            // block by a quarter of the line's height when the selection goes on to the next one.
            const qreal left = std::floor(line.cursorToX(std::max(from, line.textStart())));
            qreal right = line.cursorToX(std::min(to, lineEnd));
            if (to > lineEnd && i == layout->lineCount() - 1) right += line.height() / 4;
            painter.fillRect(
                QRectF(origin.x() + left, std::floor(origin.y() + line.y()), right - left, line.height()),
                selectionColour_);
        }
    }
}

void TPrgMemo::keyPressEvent(QKeyEvent* event) {
    // Shift+Return would insert a line separator inside the line; every line break is a real one.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & Qt::ShiftModifier)) {
        textCursor().insertText(QStringLiteral("\n"));
        ensureCursorVisible();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

} // namespace nibbo
