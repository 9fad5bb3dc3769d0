// Renders the program's icon for the desktop from the program's own drawing: PNG files of the
// usual sizes and an SVG, laid out as an icon theme folder (hicolor/SIZE/apps/nibbo.png,
// hicolor/scalable/apps/nibbo.svg). Used by the build; needs no display.
#include "resources/pictures.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool Fail(const QString& path) {
    std::fprintf(stderr, "nibbo-icons: %s: cannot write\n", qPrintable(path));
    return false;
}

bool WritePng(const QString& folder, int size) {
    const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(folder).arg(size);
    const QString path = dir + QStringLiteral("/nibbo.png");
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.scale(qreal(size) / nibbo::pictures::kCellSize, qreal(size) / nibbo::pictures::kCellSize);
        nibbo::pictures::PaintAppIcon(painter);
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
    for (const int size : kSizes)
        written = WritePng(folder, size) && written;
    return written ? 0 : 73;
}
