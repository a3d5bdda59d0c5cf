#pragma once
// A push button that paints its own flat look: colour slots per state, an optional picture
// whose pure black pixels let the background show, a thin 3-D border while the mouse is over
// it or it is pressed, and no focus rectangle.
#include <QColor>
#include <QPixmap>
#include <QPushButton>
#include <array>

namespace kx::ui {

class CButtonST : public QPushButton {
    Q_OBJECT
public:
    enum ColorSlot {
        BTNST_COLOR_BK_IN = 0,    // background while hovered or pressed
        BTNST_COLOR_FG_IN = 1,    // text while hovered or pressed
        BTNST_COLOR_BK_OUT = 2,   // background otherwise
        BTNST_COLOR_FG_OUT = 3,   // text otherwise
        BTNST_COLOR_BK_FOCUS = 4, // background while focused and neither hovered nor pressed
        BTNST_COLOR_FG_FOCUS = 5,
        BTNST_MAX_COLORS = 6,
    };
    // SetButtonBitmap results.
    enum { BTNST_OK = 0, BTNST_INVALIDRESOURCE = 1, BTNST_FAILEDMASK = 2 };

    explicit CButtonST(QWidget* parent = nullptr);

    // Takes over the painting of the button (until then it looks like a standard button).
    void Attach();
    bool IsOwnerDraw() const { return m_owner_draw; }

    int SetButtonBitmap(int bitmap_id);
    int SetButtonBitmap(const QPixmap& bitmap);
    void SetStateColor(int slot, const QColor& color, bool repaint = true);
    QColor StateColor(int slot) const { return m_colors.at(static_cast<std::size_t>(slot)); }
    void SetFlatLook(bool flat, bool repaint = true);
    void SetHoverBorder(bool on, bool repaint = true);
    void SetTransparentBackground(bool on, bool repaint = true);
    void SetAlwaysTrack(bool on) { m_always_track = on; }

    bool IsHovered() const { return m_hovered; }
    const QPixmap& Bitmap() const { return m_bitmap; }

    // The program's two looks: flat grey text buttons, and pictures on a transparent ground.
    void ApplyTextButtonLook();
    void ApplyBitmapButtonLook(int bitmap_id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SetHovered(bool hovered);
    void FillButtonBackground(QPainter& p, bool pressed, bool focused);
    void DrawButtonBorder(QPainter& p, bool pressed);
    QRect DrawImage(QPainter& p, bool pressed, bool disabled);
    void DrawCaption(QPainter& p, QRect caption, bool pressed, bool disabled);
    void DrawClassicFrame(QPainter& p, bool pressed, bool focused);

    bool m_owner_draw = false;
    bool m_flat = true;
    bool m_hover_border = true;
    bool m_transparent = false;
    bool m_always_track = true;
    bool m_hovered = false;
    std::array<QColor, BTNST_MAX_COLORS> m_colors;
    QPixmap m_bitmap;       // with its mask: pure black is transparent
    QPixmap m_disabled_ink; // the picture's shape, for the embossed disabled look
};

} // namespace kx::ui
