#include <QFont>
#include <QLinearGradient>
#include <QPainter>

#include "res/bitmap_painters.h"

namespace kx::res {

namespace {

// The main window's controls sit on a header band; the device pages fill the area below.
constexpr int kHeaderHeight = 104;
constexpr int kPageTop = 110;
const QColor kBody{0x23, 0x26, 0x2B};
const QColor kHeaderTop{0x30, 0x35, 0x3C};
const QColor kHeaderBottom{0x1B, 0x1E, 0x22};
const QColor kAccent{0x12, 0x84, 0xCA};
const QColor kTitle{0xD8, 0xDC, 0xE1};
const QColor kSubtitle{0x80, 0x86, 0x8E};
const QColor kPanelEdge{0x3A, 0x3F, 0x46};

QFont GroundFont(int pixel_size, bool bold) {
    QFont font(QStringLiteral("sans-serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixel_size);
    font.setBold(bold);
    return font;
}

void PaintHeader(QPainter& p, int width) {
    QLinearGradient band(0, 0, 0, kHeaderHeight);
    band.setColorAt(0, kHeaderTop);
    band.setColorAt(1, kHeaderBottom);
    p.fillRect(0, 0, width, kHeaderHeight, band);
    p.fillRect(0, kHeaderHeight, width, 2, kAccent);

    // Product mark: four small windows, the multiviewer's quad view.
    const QColor quad[] = {
        {0x12, 0x84, 0xCA}, {0x2F, 0xA8, 0x6E}, {0xD9, 0x8E, 0x2B}, {0xC8, 0x4B, 0x4B}};
    for (int i = 0; i < 4; ++i)
        p.fillRect(12 + (i % 2) * 9, 6 + (i / 2) * 7, 8, 6, quad[i]);
    p.setPen(kTitle);
    p.setFont(GroundFont(13, true));
    p.drawText(QRect(36, 3, 300, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Tavrin Ethernet Control"));
    p.setPen(kSubtitle);
    p.setFont(GroundFont(10, false));
    p.drawText(QRect(250, 3, 300, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("KX7214 quad multiviewer"));
    p.fillRect(0, 25, width, 1, kPanelEdge);
}

void PaintPageArea(QPainter& p, int width, int height) {
    const QRect area(10, kPageTop, width - 20, height - kPageTop - 10);
    p.setPen(kPanelEdge);
    p.drawRect(area.adjusted(-1, -1, 0, 0));
    p.setPen(kSubtitle);
    p.setFont(GroundFont(12, false));
    p.drawText(area, Qt::AlignCenter,
               QStringLiteral("Press SCANNING to find the multiviewers on this network,\n"
                              "then choose one in the list."));
}

} // namespace

QImage PaintUniformGround(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kPageGround);
    return image;
}

QImage PaintMainGround(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kBody);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    PaintHeader(p, size.width());
    PaintPageArea(p, size.width(), size.height());
    return image;
}

} // namespace kx::res
