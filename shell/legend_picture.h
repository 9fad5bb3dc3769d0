// A picture of the editing legend: a 25 x 25 world picture over a square of the path colour. It
// paints the picture whenever it is shown, for the device it is shown on, so that it stays sharp
// when the window moves to a screen of another pixel ratio.
#pragma once

#include <QWidget>
#include <functional>

namespace nibbo {

class TLegendPicture : public QWidget {
    Q_OBJECT
public:
    using Painter = std::function<void(QPainter&)>;
    // The picture is painted into the logical 25 x 25 square at the painter's origin.
    TLegendPicture(Painter paint, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Painter paint_;
};

} // namespace nibbo
