// svg_to_png SVG SIZE PNG: draws an SVG file into a square PNG of SIZE pixels, with Qt SVG, so
// the build makes the program icon's bitmap sizes without a tool of its own to install.

#include <cstdio>

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

namespace {

constexpr int LargestSize = 4096;

int SizeFromText(const char *text)
{
    bool isNumber = false;
    const int size = QString::fromLocal8Bit(text).toInt(&isNumber);
    return isNumber && size > 0 && size <= LargestSize ? size : 0;
}

QImage DrawSquare(QSvgRenderer &renderer, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    const int size = argc == 4 ? SizeFromText(argv[2]) : 0;
    if (size == 0) {
        std::fprintf(stderr, "usage: svg_to_png SVG SIZE PNG (SIZE from 1 to %d)\n", LargestSize);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "svg_to_png: cannot read the SVG file %s\n", argv[1]);
        return 1;
    }
    if (!DrawSquare(renderer, size).save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "svg_to_png: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
