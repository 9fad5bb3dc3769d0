// The three image lists of the world view: the figure (20 images, orientation * 5 + frame), the
// wall (1 image) and food (9 images, image n - 1 shows n portions). Each list renders its pictures
// for the device pixel ratio it is asked for and keeps them.
#pragma once

#include <QPixmap>
#include <QVector>
#include <functional>
#include <map>

class QPainter;

namespace nibbo {

class TImageList {
public:
    using Maker = std::function<QPixmap(int index, qreal dpr)>;
    TImageList(int count, Maker maker);

    int Count() const { return count_; }
    // The picture for a device pixel ratio; an index outside the list gives a null pixmap.
    QPixmap Pixmap(int index, qreal dpr) const;
    // Draws the picture with its top-left corner at the given logical point, transparently, rendered
    // for as many device pixels as the painter covers there.
    void Draw(QPainter& painter, QPointF topLeft, int index) const;

private:
    int count_;
    Maker maker_;
    mutable std::map<qreal, QVector<QPixmap>> cache_;
};

TImageList MakePacImageList();
TImageList MakeSteinImageList();
TImageList MakeItemImageList();

} // namespace nibbo
