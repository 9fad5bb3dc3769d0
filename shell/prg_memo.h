// The program editor. Its lines are the blocks of the document (an empty last block is not a line),
// and every position the system talks about counts a line break as two characters, as the program
// file does; this class translates between those positions and the document's own.
#pragma once

#include <QColor>
#include <QPlainTextEdit>
#include <QStringList>
#include <QVector>

namespace nibbo {

class TPrgMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TPrgMemo(QWidget* parent = nullptr);

    QStringList Lines() const;
    int LineCount() const;
    // The text with LF line breaks, exactly as the lines and the final line break stand.
    QString Text() const;
    // Replaces the whole text (one change); an equal text changes nothing.
    void SetText(const QString& text);
    // Appends a whole line at the end of the text, with its own line break.
    void AppendLine(const QString& line);
    void Clear();

    // Selection and caret in positions that count line breaks as two characters, from 0.
    void SetSelection(int start, int length);
    int SelStart() const;
    int SelLength() const;

    // Positions converted between the two counts.
    int DocumentPosition(int crlfPosition) const;
    int CrlfPosition(int documentPosition) const;

    // Tab stops every two average character widths.
    void SetTabStopsInCharacters(int characters);

    // The background of the selection.
    QColor SelectionColour() const { return selectionColour_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintSelection(const QRect& area);
    void InvalidateBlockStarts() { blockStarts_.clear(); }
    const QVector<int>& BlockStarts() const; // document position of every block

    mutable QVector<int> blockStarts_;
    QColor selectionColour_;
};

} // namespace nibbo
