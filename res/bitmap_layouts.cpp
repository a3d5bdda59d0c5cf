// The layout pictures of the Scale page: each layout's window arrangement from the preview's
// layout table, scaled into the picture, windows grey (blue when the layout is selected) on a
// dark screen, set apart by light grey lines; the single-window layouts carry the input number.
#include <QPainter>

#include "model/preview_geometry.h"
#include "res/bitmap_painters.h"
#include "res/resource_ids.h"

namespace kx::res {

namespace {

const QColor kWindowGrey{0x45, 0x4A, 0x50};
const QColor kWindowBlue{0x12, 0x84, 0xCA};
const QColor kLine{0xB4, 0xB8, 0xBE};
const QColor kScreen{0x1E, 0x20, 0x24};
const QColor kNumberOnGrey{0xC8, 0xCC, 0xD0};
const QColor kNumberOnBlue{0xFF, 0xFF, 0xFF};

constexpr int kPictureWidth = 48;
constexpr int kPictureHeight = 36;

// Preview pixels to picture pixels; the picture's edges stay for the outer line.
QRect ToPicture(const Rect& r, QSize size) {
    const int w = size.width() - 1;
    const int h = size.height() - 1;
    const int left = r.left * w / kPreviewWidth;
    const int top = r.top * h / kPreviewHeight;
    const int right = (r.left + r.width) * w / kPreviewWidth;
    const int bottom = (r.top + r.height) * h / kPreviewHeight;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

bool IsShown(const Rect& r) {
    return r.width > 0 && r.height > 0;
}

// The one input a layout shows, or 0 when it shows more than one.
int SingleInput(const std::array<Rect, kLineCount>& windows) {
    int input = 0;
    for (int i = 0; i < kLineCount; ++i) {
        if (!IsShown(windows[static_cast<std::size_t>(i)]))
            continue;
        if (input != 0)
            return 0;
        input = i + 1;
    }
    return input;
}

void DrawWindow(QPainter& p, const QRect& outline, const QColor& fill) {
    p.fillRect(outline, kLine);
    p.fillRect(outline.adjusted(1, 1, -1, -1), fill);
}

void DrawNumber(QPainter& p, const QRect& area, int number, bool selected) {
    QFont font = p.font();
    font.setPixelSize(area.height() * 3 / 5);
    font.setBold(true);
    p.setFont(font);
    p.setPen(selected ? kNumberOnBlue : kNumberOnGrey);
    p.drawText(area, Qt::AlignCenter, QString::number(number));
}

} // namespace

int LayoutBitmapId(int layout, bool selected) {
    return IDB_LAYOUT_FIRST + 2 * layout + (selected ? 1 : 0);
}

// The selected picture of the first layout is one pixel shorter than the others.
QSize LayoutPictureSize(int layout, bool selected) {
    const bool shorter = layout == 0 && selected;
    return {kPictureWidth, shorter ? kPictureHeight - 1 : kPictureHeight};
}

QImage PaintLayoutPicture(QSize size, int layout, bool selected) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kLine);
    QPainter p(&image);
    p.fillRect(image.rect().adjusted(1, 1, -1, -1), kScreen);
    const auto& windows = LayoutTable()[static_cast<std::size_t>(layout)];
    const QColor fill = selected ? kWindowBlue : kWindowGrey;
    for (const Rect& window : windows)
        if (IsShown(window))
            DrawWindow(p, ToPicture(window, size), fill);
    if (const int input = SingleInput(windows); input != 0)
        DrawNumber(p, image.rect(), input, selected);
    return image;
}

} // namespace kx::res
