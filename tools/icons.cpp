// Renders the program's icon and the icons of its two file types for the desktop from the program's
// own pictures: PNG files of the usual sizes, and the program's icon also as an SVG, laid out as an
// icon theme folder (hicolor/SIZE/apps/nibbo.png, hicolor/scalable/apps/nibbo.svg,
// hicolor/SIZE/mimetypes/TYPE.png). Used by the build; needs no display.
#include "resources/pictures.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <cstdio>

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

using nibbo::pictures::kCellSize;

// A world file: a corner of a world, two walls, food and the figure on the path, as the view shows them.
void PaintWorldFileIcon(QPainter& painter) {
    painter.scale(0.5, 0.5);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(nibbo::pictures::kPathColour);
    painter.drawRoundedRect(QRectF(0, 0, 2 * kCellSize, 2 * kCellSize), 6, 6);
    nibbo::pictures::PaintWall(painter);
    painter.translate(kCellSize, 0);
    nibbo::pictures::PaintFood(painter, 3);
    painter.translate(-kCellSize, kCellSize);
    nibbo::pictures::PaintFigure(painter, 1, 1);
    painter.translate(kCellSize, 0);
    nibbo::pictures::PaintWall(painter);
}

// A recording: the program's figure with the red dot that marks recording.
void PaintRecordingFileIcon(QPainter& painter) {
    nibbo::pictures::PaintAppIcon(painter);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::white, 1.2));
    painter.setBrush(QColor(220, 0, 0));
    painter.drawEllipse(QRectF(15.5, 14.5, 9, 9));
}

struct IconSpec {
    const char* context; // the theme's folder: apps or mimetypes
    const char* name;
    void (*paint)(QPainter&);
};
constexpr IconSpec kIcons[] = {
    {"apps", "nibbo", nibbo::pictures::PaintAppIcon},
    {"mimetypes", "application-x-nibbo-world", PaintWorldFileIcon},
    {"mimetypes", "text-x-nibbo-recording", PaintRecordingFileIcon},
};

bool Fail(const QString& path) {
    std::fprintf(stderr, "nibbo-icons: %s: cannot write\n", qPrintable(path));
    return false;
}

bool WritePng(const QString& folder, const IconSpec& icon, int size) {
    const QString dir =
        QStringLiteral("%1/hicolor/%2x%2/%3").arg(folder).arg(size).arg(QLatin1String(icon.context));
    const QString path = dir + QStringLiteral("/%1.png").arg(QLatin1String(icon.name));
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.scale(qreal(size) / nibbo::pictures::kCellSize, qreal(size) / nibbo::pictures::kCellSize);
        icon.paint(painter);
    }
    if (!QDir().mkpath(dir) || !image.save(path, "PNG")) return Fail(path);
    return true;
}

bool WriteSvg(const QString& folder) {
    const QString dir = folder + QStringLiteral("/hicolor/scalable/apps");
    const QString path = dir + QStringLiteral("/nibbo.svg");
    QFile file(path);
    const QByteArray svg = QByteArray::fromStdString(nibbo::pictures::AppIconSvg());
    if (!QDir().mkpath(dir) || !file.open(QIODevice::WriteOnly) || file.write(svg) != svg.size())
        return Fail(path);
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: nibbo-icons OUTPUT-FOLDER\n");
        return 64;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    bool written = WriteSvg(folder);
    for (const IconSpec& icon : kIcons)
        for (const int size : kSizes)
            written = WritePng(folder, icon, size) && written;
    return written ? 0 : 73;
}
