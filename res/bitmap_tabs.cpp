#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

#include "res/bitmap_painters.h"

namespace kx::res {

namespace {

const QColor kSelectedGround{0x36, 0x3B, 0x42};
constexpr int kIconCentreY = 20;

// A screen outline 26 x 17 centred on (cx, kIconCentreY), with its stand.
QRectF Screen(QPainter& p, qreal cx) {
    const QRectF screen(cx - 13, kIconCentreY - 11, 26, 17);
    p.drawRoundedRect(screen, 2, 2);
    p.drawLine(QPointF(cx, screen.bottom()), QPointF(cx, screen.bottom() + 3));
    p.drawLine(QPointF(cx - 5, screen.bottom() + 3), QPointF(cx + 5, screen.bottom() + 3));
    return screen;
}

void StatusIcon(QPainter& p, qreal cx, const QColor& c) {
    const QRectF s = Screen(p, cx);
    for (int row = 0; row < 3; ++row)
        p.fillRect(QRectF(s.left() + 5, s.top() + 4 + row * 4, row == 1 ? 10 : 16, 2), c);
}

void ScaleIcon(QPainter& p, qreal cx, const QColor&) {
    const QRectF s = Screen(p, cx);
    p.drawLine(QPointF(s.center().x(), s.top()), QPointF(s.center().x(), s.bottom()));
    p.drawLine(QPointF(s.left(), s.center().y()), QPointF(s.right(), s.center().y()));
}

void OverlayIcon(QPainter& p, qreal cx, const QColor& c) {
    const QRectF s = Screen(p, cx);
    p.fillRect(QRectF(s.center().x() - 6, s.bottom() - 6, 12, 4), c);
}

void AudioIcon(QPainter& p, qreal cx, const QColor& c) {
    const int heights[] = {8, 14, 19, 11, 16};
    for (int i = 0; i < 5; ++i)
        p.fillRect(QRectF(cx - 12 + i * 5, kIconCentreY + 9 - heights[i], 3, heights[i]), c);
}

void InputIcon(QPainter& p, qreal cx, const QColor& c) {
    const QRectF s = Screen(p, cx);
    p.fillRect(QRectF(s.left() + 3, s.top() + 3, 9, 4), c);
}

void SettingIcon(QPainter& p, qreal cx, const QColor& c) {
    const QPointF centre(cx, kIconCentreY - 1);
    QPainterPath gear;
    for (int i = 0; i < 16; ++i) {
        const double angle = i * std::numbers::pi / 8.0;
        const double r = (i % 2 == 0) ? 11.0 : 8.5;
        const QPointF point(centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle));
        if (i == 0)
            gear.moveTo(point);
        else
            gear.lineTo(point);
    }
    gear.closeSubpath();
    gear.addEllipse(centre, 3.5, 3.5);
    p.fillPath(gear, c);
}

void DrawIcon(QPainter& p, TabIcon icon, qreal cx, const QColor& c) {
    p.setPen(QPen(c, 1.6));
    p.setBrush(Qt::NoBrush);
    switch (icon) {
    case TabIcon::Status:
        StatusIcon(p, cx, c);
        break;
    case TabIcon::Scale:
        ScaleIcon(p, cx, c);
        break;
    case TabIcon::Overlay:
        OverlayIcon(p, cx, c);
        break;
    case TabIcon::Audio:
        AudioIcon(p, cx, c);
        break;
    case TabIcon::Input:
        InputIcon(p, cx, c);
        break;
    case TabIcon::Setting:
        SettingIcon(p, cx, c);
        break;
    }
}

QFont LabelFont() {
    QFont font(QStringLiteral("sans-serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(9);
    font.setBold(true);
    return font;
}

} // namespace

QImage PaintTab(QSize size, TabIcon icon, const char* label, bool selected) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(selected ? kSelectedGround : kPageGround);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour = selected ? kTabBlue : kTabGrey;
    DrawIcon(p, icon, size.width() / 2.0, colour);
    p.setPen(colour);
    p.setFont(LabelFont());
    p.drawText(QRect(0, 35, size.width(), 26), Qt::AlignHCenter | Qt::AlignTop,
               QString::fromLatin1(label));
    if (selected)
        p.fillRect(0, size.height() - 3, size.width(), 3, kTabBlue);
    return image;
}

QImage PaintAppIcon(int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = side;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2E, 0x31, 0x36));
    p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.18, s * 0.18);
    const QColor quad[] = {kTabBlue, {0x2F, 0xA8, 0x6E}, {0xD9, 0x8E, 0x2B}, {0xC8, 0x4B, 0x4B}};
    const qreal margin = s * 0.16;
    const qreal gap = s * 0.06;
    const qreal cell = (s - 2 * margin - gap) / 2;
    for (int i = 0; i < 4; ++i) {
        const QRectF r(margin + (i % 2) * (cell + gap), margin + (i / 2) * (cell + gap), cell,
                       cell * 0.8);
        p.setBrush(quad[i]);
        p.drawRect(r);
    }
    return image;
}

} // namespace kx::res
