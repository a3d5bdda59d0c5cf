#include "ui/group_box.h"

#include <QPainter>

namespace kx::ui {

namespace {
const QColor kFrame{168, 168, 168};
const QColor kCaption{128, 128, 128};
constexpr int kCornerDiameter = 12;
} // namespace

CMyGroupBox::CMyGroupBox(const QString& caption, QWidget* parent)
    : QWidget(parent), m_caption(caption) {}

// The frame runs from (2, 8) to (width - 8, height - 8), the far edges excluded.
void CMyGroupBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kFrame, 1));
    p.setBrush(Qt::NoBrush);
    const QRectF frame(2.5, 8.5, width() - 8 - 2 - 1, height() - 8 - 8 - 1);
    p.drawRoundedRect(frame, kCornerDiameter / 2.0, kCornerDiameter / 2.0);
    if (!m_caption.isEmpty()) {
        p.setPen(kCaption);
        p.drawText(QPoint(10, fontMetrics().ascent()), m_caption);
    }
}

} // namespace kx::ui
