#include "shell/status_panel.h"

#include <QEvent>
#include <QFontMetrics>
#include <algorithm>

namespace nibbo {

void TStatusPanel::ShowName(const QString& prefix, const QString& name) {
    prefix_ = prefix;
    name_ = name;
    setToolTip(name);
    Fit();
}

void TStatusPanel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Fit();
}

void TStatusPanel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) Fit();
}

void TStatusPanel::Fit() {
    if (prefix_.isEmpty()) return; // a panel with a plain text
    // The style sheet's border and padding are part of the contents margins once it is applied.
    ensurePolished();
    const QFontMetrics metrics = fontMetrics();
    const int room = contentsRect().width() - 2 * margin() - metrics.horizontalAdvance(prefix_);
    setText(prefix_ + metrics.elidedText(name_, Qt::ElideMiddle, std::max(room, 0)));
}

} // namespace nibbo
