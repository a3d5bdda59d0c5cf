#include <QPainter>

#include "res/bitmap_painters.h"

namespace kx::res {

namespace {

// Pure black is the transparent colour of a button picture: the header shows through it.
// The glyphs are drawn without anti-aliasing so that no dark fringe surrounds them.
const QColor kGlyph{0xC8, 0xCC, 0xD2};

QImage BlackImage(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

} // namespace

QImage PaintMinimizeGlyph(QSize size) {
    QImage image = BlackImage(size);
    QPainter p(&image);
    const int cx = size.width() / 2;
    const int cy = size.height() / 2;
    p.fillRect(cx - 6, cy + 2, 12, 2, kGlyph);
    return image;
}

QImage PaintCloseGlyph(QSize size) {
    QImage image = BlackImage(size);
    QPainter p(&image);
    p.setPen(QPen(kGlyph, 2, Qt::SolidLine, Qt::SquareCap));
    const int cx = size.width() / 2;
    const int cy = size.height() / 2;
    p.drawLine(cx - 5, cy - 5, cx + 5, cy + 5);
    p.drawLine(cx - 5, cy + 5, cx + 5, cy - 5);
    return image;
}

} // namespace kx::res
