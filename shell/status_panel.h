// A panel of the status bar that names a file: a prefix ("Welt: ") and the file's name. A name too
// long for the panel is shortened in the middle with "…", so that the prefix, the beginning of the
// path and the file's own name stay in view; the whole name is the panel's tooltip.
#pragma once

#include <QLabel>

namespace nibbo {

class TStatusPanel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    void ShowName(const QString& prefix, const QString& name);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Sets the text that fits the panel as it is now.
    void Fit();

    QString prefix_;
    QString name_;
};

} // namespace nibbo
