#include "windows/tab_control.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

#include <algorithm>
#include <limits>

namespace nibbo {

namespace {

constexpr int kTopMargin = 2;  // above the first row of tabs
constexpr int kSideMargin = 2; // left and right of the rows
constexpr int kMinTabWidth = 32;
constexpr int kDisplayInset = 4; // between the frame's outer edge and the display area

// Splits tabs of the given widths, in their order, into rows no wider than the available width.
QVector<QVector<int>> SplitIntoRows(const QVector<int>& widths, int available) {
    const int count = int(widths.size());
    int rowCount = count > 0 ? 1 : 0;
    for (int i = 0, used = 0; i < count; ++i) {
        if (used > 0 && used + widths[i] > available) {
            ++rowCount;
            used = 0;
        }
        used += widths[i];
    }
    // widest[k][i]: the narrowest possible widest row when the first i tabs fill k rows; cut[k][i]
    // the first tab of the last of those rows.
    constexpr int kNone = std::numeric_limits<int>::max();
    QVector<QVector<int>> widest(rowCount + 1, QVector<int>(count + 1, kNone));
    QVector<QVector<int>> cut(rowCount + 1, QVector<int>(count + 1, 0));
    widest[0][0] = 0;
    for (int k = 1; k <= rowCount; ++k) {
        for (int i = 1; i <= count; ++i) {
            int rowWidth = 0;
            for (int first = i - 1; first >= 0; --first) {
                rowWidth += widths[first];
                if (widest[k - 1][first] == kNone) continue;
                const int candidate = std::max(widest[k - 1][first], rowWidth);
                if (candidate < widest[k][i]) {
                    widest[k][i] = candidate;
                    cut[k][i] = first;
                }
            }
        }
    }
    QVector<QVector<int>> rows(rowCount);
    for (int k = rowCount, end = count; k > 0; --k) {
        const int first = cut[k][end];
        for (int i = first; i < end; ++i)
            rows[k - 1].append(i);
        end = first;
    }
    return rows;
}

} // namespace

TTabControl::TTabControl(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

int TTabControl::AddTab(const QString& caption) {
    captions_.append(caption);
    if (tabIndex_ < 0) tabIndex_ = 0;
    Relayout();
    update();
    return Count() - 1;
}

void TTabControl::SetTabIndex(int index) {
    if (index < -1 || index >= Count() || index == tabIndex_) return;
    tabIndex_ = index;
    Relayout();
    update();
}

QRect TTabControl::TabRect(int index) const {
    EnsureLayout();
    return tabRects_.value(index);
}

int TTabControl::RowCount() const {
    EnsureLayout();
    return rowCount_;
}

QRect TTabControl::DisplayRect() const {
    EnsureLayout();
    return displayRect_;
}

int TTabControl::TabAt(QPoint point) const {
    EnsureLayout();
    for (int i = 0; i < tabRects_.size(); ++i)
        if (tabRects_[i].contains(point)) return i;
    return -1;
}

void TTabControl::PlaceInDisplay(QWidget* widget) {
    displayWidgets_.append(widget);
    widget->setGeometry(DisplayRect());
}

QSize TTabControl::TabSize(const QString& caption) const {
    QStyleOptionTab option;
    option.initFrom(this);
    option.text = caption;
    option.shape = QTabBar::RoundedNorth;
    const int hSpace = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &option, this);
    const int vSpace = style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &option, this);
    const QSize contents(fontMetrics().size(Qt::TextShowMnemonic, caption).width() + hSpace,
                         fontMetrics().height() + vSpace);
    return style()->sizeFromContents(QStyle::CT_TabBarTab, &option, contents, this);
}

int TTabControl::TabHeight() const {
    return TabSize(QStringLiteral("X")).height();
}

QSize TTabControl::sizeHint() const {
    int width = 2 * kSideMargin;
    for (const QString& caption : captions_)
        width += std::max(TabSize(caption).width(), kMinTabWidth);
    return {width, kTopMargin + TabHeight() + 4 * kDisplayInset};
}

QSize TTabControl::minimumSizeHint() const {
    return {kMinTabWidth + 2 * kSideMargin, kTopMargin + TabHeight() + 4 * kDisplayInset};
}

void TTabControl::EnsureLayout() const {
    if (laidOutSize_ != size()) Relayout();
}

void TTabControl::Relayout() const {
    laidOutSize_ = size();
    const int count = Count();
    const int available = std::max(width() - 2 * kSideMargin, kMinTabWidth);
    QVector<int> widths(count);
    for (int i = 0; i < count; ++i)
        widths[i] = std::min(std::max(TabSize(captions_[i]).width(), kMinTabWidth), available);

    // As few rows as a left-to-right filling needs, with the tabs shared out so that the widest
    // row is as narrow as it can be: rows of even length rather than one long and one short.
    const QVector<QVector<int>> rows = SplitIntoRows(widths, available);
    rowCount_ = int(rows.size());
    tabRow_.resize(count);

    // Several rows are stretched to the full width, so that their edges line up.
    if (rowCount_ > 1) {
        for (const QVector<int>& row : rows) {
            int rowWidth = 0;
            for (int i : row)
                rowWidth += widths[i];
            const int extra = available - rowWidth;
            for (int k = 0; k < row.size(); ++k)
                widths[row[k]] += extra / int(row.size()) + (k < extra % int(row.size()) ? 1 : 0);
        }
    }

    // The row of the selected tab stands at the bottom, touching the display area.
    QVector<int> order;
    int selectedRow = -1;
    for (int r = 0; r < rowCount_; ++r) {
        for (int i : rows[r])
            tabRow_[i] = r;
        if (rows[r].contains(tabIndex_)) selectedRow = r;
    }
    for (int r = 0; r < rowCount_; ++r)
        if (r != selectedRow) order.append(r);
    if (selectedRow >= 0) order.append(selectedRow);

    const int height = TabHeight();
    tabRects_.resize(count);
    for (int place = 0; place < order.size(); ++place) {
        int x = kSideMargin;
        for (int i : rows[order[place]]) {
            tabRects_[i] = QRect(x, kTopMargin + place * height, widths[i], height);
            x += widths[i];
        }
    }

    const int tabsBottom = kTopMargin + std::max(rowCount_, 1) * height;
    frameRect_ = QRect(0, tabsBottom, width(), std::max(this->height() - tabsBottom, 0));
    displayRect_ = frameRect_.adjusted(kDisplayInset, kDisplayInset, -kDisplayInset, -kDisplayInset);
    for (const QPointer<QWidget>& widget : displayWidgets_)
        if (widget) widget->setGeometry(displayRect_);
}

void TTabControl::paintEvent(QPaintEvent*) {
    EnsureLayout();
    QPainter painter(this);

    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = frameRect_;
    frame.shape = QTabBar::RoundedNorth;
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    frame.tabBarRect = QRect(0, kTopMargin, width(), frameRect_.top() - kTopMargin);
    if (tabIndex_ >= 0) frame.selectedTabRect = tabRects_[tabIndex_];
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);

    const auto drawTab = [&](int i) {
        QStyleOptionTab tab;
        tab.initFrom(this);
        tab.rect = tabRects_[i];
        tab.text = captions_[i];
        tab.shape = QTabBar::RoundedNorth;
        tab.row = tabRow_[i];
        tab.state &= ~QStyle::State_HasFocus;
        const bool first = i == 0 || tabRow_[i - 1] != tabRow_[i];
        const bool last = i == Count() - 1 || tabRow_[i + 1] != tabRow_[i];
        tab.position = first && last ? QStyleOptionTab::OnlyOneTab
                       : first       ? QStyleOptionTab::Beginning
                       : last        ? QStyleOptionTab::End
                                     : QStyleOptionTab::Middle;
        if (tabIndex_ >= 0 && tabRow_[tabIndex_] == tabRow_[i]) {
            if (tabIndex_ == i - 1) tab.selectedPosition = QStyleOptionTab::PreviousIsSelected;
            if (tabIndex_ == i + 1) tab.selectedPosition = QStyleOptionTab::NextIsSelected;
        }
        if (i == tabIndex_) {
            tab.state |= QStyle::State_Selected;
            if (hasFocus()) tab.state |= QStyle::State_HasFocus;
        }
        style()->drawControl(QStyle::CE_TabBarTab, &tab, &painter, this);
    };
    for (int i = 0; i < Count(); ++i)
        if (i != tabIndex_) drawTab(i);
    if (tabIndex_ >= 0) drawTab(tabIndex_);
}

void TTabControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const int index = TabAt(event->position().toPoint());
    if (index >= 0) SelectByUser(index);
}

void TTabControl::keyPressEvent(QKeyEvent* event) {
    int index = tabIndex_;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        index = std::max(tabIndex_ - 1, 0);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        index = std::min(tabIndex_ + 1, Count() - 1);
        break;
    case Qt::Key_Home:
        index = 0;
        break;
    case Qt::Key_End:
        index = Count() - 1;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (index >= 0) SelectByUser(index);
}

void TTabControl::SelectByUser(int index) {
    if (index == tabIndex_) return;
    SetTabIndex(index);
    emit Change();
}

void TTabControl::resizeEvent(QResizeEvent* event) {
    Relayout();
    QWidget::resizeEvent(event);
}

void TTabControl::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        Relayout();
        update();
    }
    QWidget::changeEvent(event);
}

} // namespace nibbo
