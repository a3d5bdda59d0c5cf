#pragma once
// One function per bitmap; bitmaps.cpp lists them with their ids and sizes.
#include <QColor>
#include <QImage>

namespace kx::res {

// Background of the device pages and of the device page container.
inline const QColor kPageGround{0x2E, 0x31, 0x36};
// Tab pictures: grey when normal, blue when selected.
inline const QColor kTabGrey{0x8A, 0x90, 0x98};
inline const QColor kTabBlue{0x12, 0x84, 0xCA};

QImage PaintUniformGround(QSize size);
QImage PaintMainGround(QSize size);
QImage PaintMinimizeGlyph(QSize size);
QImage PaintCloseGlyph(QSize size);

enum class TabIcon { Status, Scale, Overlay, Audio, Input, Setting };
QImage PaintTab(QSize size, TabIcon icon, const char* label, bool selected);

QImage PaintAppIcon(int side);

// Layout pictures: the windows of layout k drawn from the preview's layout table.
inline constexpr int kLayoutPictureCount = 16;
int LayoutBitmapId(int layout, bool selected);
QSize LayoutPictureSize(int layout, bool selected);
QImage PaintLayoutPicture(QSize size, int layout, bool selected);

} // namespace kx::res
