// A tab control that only switches: a row of tabs over a framed display area, where the widgets
// that stand for the tabs' pages are placed. It knows nothing of the pages; its owner shows and
// hides them on Change. Tabs that do not fit in one row wrap into several rows, the row of the
// selected tab standing next to the display area, as a tab control of a classic desktop does.
#pragma once

#include <QPointer>
#include <QStringList>
#include <QVector>
#include <QWidget>

namespace nibbo {

class TTabControl : public QWidget {
    Q_OBJECT
public:
    explicit TTabControl(QWidget* parent = nullptr);

    int AddTab(const QString& caption);
    int Count() const { return int(captions_.size()); }
    QString TabCaption(int index) const { return captions_.value(index); }

    // The selected tab, or -1 for none. Selecting from the program raises no Change.
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int index);

    // Where the tabs and the display area stand, in the control's coordinates.
    QRect TabRect(int index) const;
    int TabAt(QPoint point) const;
    int RowCount() const;
    QRect DisplayRect() const;

    // A widget that is kept filling the display area whenever the tabs are laid out anew.
    void PlaceInDisplay(QWidget* widget);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The user selected another tab, by mouse or keyboard.
    void Change();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SelectByUser(int index);
    // The layout follows the size also while the control is hidden and gets no resize events.
    void EnsureLayout() const;
    void Relayout() const;
    QSize TabSize(const QString& caption) const; // as the style draws a tab with this caption
    int TabHeight() const;

    QStringList captions_;
    int tabIndex_ = -1;
    mutable QSize laidOutSize_;
    mutable QVector<QRect> tabRects_;
    mutable QVector<int> tabRow_; // row of every tab in the order of filling, 0 for the first row
    mutable int rowCount_ = 0;
    mutable QRect frameRect_;
    mutable QRect displayRect_;
    QVector<QPointer<QWidget>> displayWidgets_;
};

} // namespace nibbo
