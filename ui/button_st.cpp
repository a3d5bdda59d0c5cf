#include "ui/button_st.h"

#include <QApplication>
#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>

#include "res/bitmaps.h"

namespace kx::ui {

namespace {

// The system colours the button is drawn with where no slot applies.
const QColor kButtonFace{0xF0, 0xF0, 0xF0};
const QColor kButtonText{0x00, 0x00, 0x00};
const QColor kHighlight{0xFF, 0xFF, 0xFF};
const QColor kShadow{0xA0, 0xA0, 0xA0};
const QColor kDarkShadow{0x69, 0x69, 0x69};

// The picture's pixels that are not pure black, as a two-colour shape.
QBitmap InkOf(const QPixmap& bitmap) {
    return QBitmap::fromPixmap(bitmap.createMaskFromColor(Qt::black, Qt::MaskInColor));
}

QPixmap Tinted(const QBitmap& shape, const QColor& color) {
    QPixmap tinted(shape.size());
    tinted.fill(color);
    tinted.setMask(shape);
    return tinted;
}

// With a caption the picture sits 3 pixels from the left edge and the caption moves right
// of it; without one the picture is centred.
constexpr int kImageMargin = 3;

} // namespace

CButtonST::CButtonST(QWidget* parent) : QPushButton(parent) {
    m_colors = {kButtonFace, kButtonText, kButtonFace, kButtonText, kButtonFace, kButtonText};
    setAutoDefault(false);
}

void CButtonST::Attach() {
    m_owner_draw = true;
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover, false);
    update();
}

int CButtonST::SetButtonBitmap(int bitmap_id) {
    return SetButtonBitmap(res::LoadBitmap(bitmap_id));
}

int CButtonST::SetButtonBitmap(const QPixmap& bitmap) {
    m_bitmap = QPixmap();
    m_disabled_ink = QPixmap();
    if (bitmap.isNull() || bitmap.size().isEmpty()) {
        update();
        return BTNST_INVALIDRESOURCE;
    }
    const QBitmap ink = InkOf(bitmap);
    if (ink.isNull()) {
        update();
        return BTNST_FAILEDMASK;
    }
    m_bitmap = bitmap;
    m_bitmap.setMask(ink);
    m_disabled_ink = QPixmap::fromImage(ink.toImage());
    update();
    return BTNST_OK;
}

void CButtonST::SetStateColor(int slot, const QColor& color, bool repaint) {
    if (slot < 0 || slot >= BTNST_MAX_COLORS)
        return;
    m_colors[static_cast<std::size_t>(slot)] = color;
    if (repaint)
        update();
}

void CButtonST::SetFlatLook(bool flat, bool repaint) {
    m_flat = flat;
    if (repaint)
        update();
}

void CButtonST::SetHoverBorder(bool on, bool repaint) {
    m_hover_border = on;
    if (repaint)
        update();
}

void CButtonST::SetTransparentBackground(bool on, bool repaint) {
    m_transparent = on;
    if (repaint)
        update();
}

void CButtonST::ApplyTextButtonLook() {
    Attach();
    const QColor ground(64, 64, 64);
    const QColor text(128, 128, 128);
    SetStateColor(BTNST_COLOR_BK_IN, ground);
    SetStateColor(BTNST_COLOR_FG_IN, text);
    SetStateColor(BTNST_COLOR_BK_OUT, ground);
    SetStateColor(BTNST_COLOR_FG_OUT, text);
    SetStateColor(BTNST_COLOR_BK_FOCUS, ground);
}

void CButtonST::ApplyBitmapButtonLook(int bitmap_id) {
    Attach();
    SetButtonBitmap(bitmap_id);
    SetTransparentBackground(true);
    SetFlatLook(true);
    SetHoverBorder(false);
}

void CButtonST::SetHovered(bool hovered) {
    if (m_hovered == hovered)
        return;
    m_hovered = hovered;
    update();
}

void CButtonST::mouseMoveEvent(QMouseEvent* event) {
    QPushButton::mouseMoveEvent(event);
    if (!m_owner_draw)
        return;
    // Moving in with the left button already held does not highlight the button.
    if ((event->buttons() & Qt::LeftButton) && !m_hovered)
        return;
    const bool over = rect().contains(event->position().toPoint());
    const bool may_track = m_always_track || QApplication::activeWindow() != nullptr;
    if (over && may_track)
        SetHovered(true);
    else if (!over)
        SetHovered(false);
}

// A double click counts as one more press.
void CButtonST::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void CButtonST::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    SetHovered(false);
}

void CButtonST::focusOutEvent(QFocusEvent* event) {
    QPushButton::focusOutEvent(event);
    SetHovered(false);
}

void CButtonST::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    const bool deactivated = event->type() == QEvent::ActivationChange && !isActiveWindow();
    const bool disabled = event->type() == QEvent::EnabledChange && !isEnabled();
    if (deactivated || disabled)
        SetHovered(false);
}

void CButtonST::paintEvent(QPaintEvent* event) {
    if (!m_owner_draw) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter p(this);
    const bool pressed = isDown();
    const bool focused = hasFocus();
    const bool disabled = !isEnabled();
    if (!m_transparent)
        FillButtonBackground(p, pressed, focused);
    if (!m_flat)
        DrawClassicFrame(p, pressed, focused);
    else if (m_hover_border && (pressed || m_hovered))
        DrawButtonBorder(p, pressed);
    const QRect caption = DrawImage(p, pressed, disabled);
    // A picture that fills the button leaves its caption no room: centring the caption on
    // that empty area would paint a cut-off fragment of it over the picture's right edge.
    if (!text().isEmpty() && caption.width() > 0)
        DrawCaption(p, caption, pressed, disabled);
}

void CButtonST::FillButtonBackground(QPainter& p, bool pressed, bool focused) {
    int slot = BTNST_COLOR_BK_OUT;
    if (m_hovered || pressed)
        slot = BTNST_COLOR_BK_IN;
    else if (focused)
        slot = BTNST_COLOR_BK_FOCUS;
    p.fillRect(rect(), StateColor(slot));
}

// One pixel along the edge: light at top and left, dark at bottom and right; the other way
// round while pressed.
void CButtonST::DrawButtonBorder(QPainter& p, bool pressed) {
    const QRect r = rect();
    const QColor top_left = pressed ? kShadow : kHighlight;
    const QColor bottom_right = pressed ? kHighlight : kShadow;
    p.fillRect(r.left(), r.top(), r.width(), 1, top_left);
    p.fillRect(r.left(), r.top(), 1, r.height(), top_left);
    p.fillRect(r.left(), r.bottom(), r.width(), 1, bottom_right);
    p.fillRect(r.right(), r.top(), 1, r.height(), bottom_right);
}

// The classic look, which no window of the program selects: 3-D edges, a black frame for
// the focused button and a focus rectangle.
void CButtonST::DrawClassicFrame(QPainter& p, bool pressed, bool focused) {
    QRect r = rect();
    if (focused) {
        p.setPen(Qt::black);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    p.setPen(pressed ? kDarkShadow : kHighlight);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(pressed ? kHighlight : kDarkShadow);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    if (focused) {
        p.setPen(QPen(kButtonText, 1, Qt::DotLine));
        p.drawRect(r.adjusted(3, 3, -4, -4));
    }
}

QRect CButtonST::DrawImage(QPainter& p, bool pressed, bool disabled) {
    QRect caption = rect();
    if (m_bitmap.isNull())
        return caption;
    const QSize size = m_bitmap.size();
    QPoint at((width() - size.width()) / 2, (height() - size.height()) / 2);
    if (!text().isEmpty()) {
        at.setX(kImageMargin);
        caption.setLeft(caption.left() + size.width() + kImageMargin);
    }
    if (pressed)
        at += QPoint(1, 1);
    if (!disabled) {
        p.drawPixmap(at, m_bitmap);
        return caption;
    }
    const QBitmap shape = QBitmap::fromPixmap(m_disabled_ink);
    p.drawPixmap(at + QPoint(1, 1), Tinted(shape, kHighlight));
    p.drawPixmap(at, Tinted(shape, kShadow));
    return caption;
}

// Measured word-wrapped at the caption area's width (a longer word widens the box), then
// centred on that area, even where the area is narrower than the text.
void CButtonST::DrawCaption(QPainter& p, QRect caption, bool pressed, bool disabled) {
    if (pressed)
        caption.translate(1, 1);
    const int flags = Qt::AlignHCenter | Qt::TextWordWrap;
    QRect box = fontMetrics().boundingRect(QRect(0, 0, std::max(caption.width(), 1), 0xFFFF), flags,
                                           text());
    box.moveTo(caption.left() + (caption.width() - box.width()) / 2,
               caption.top() + (caption.height() - box.height()) / 2);
    p.setFont(font());
    if (disabled) {
        p.setPen(kHighlight);
        p.drawText(box.translated(1, 1), flags, text());
        p.setPen(kShadow);
        p.drawText(box, flags, text());
        return;
    }
    const bool lit = m_hovered || pressed;
    p.setPen(StateColor(lit ? BTNST_COLOR_FG_IN : BTNST_COLOR_FG_OUT));
    p.drawText(box, flags, text());
}

} // namespace kx::ui
