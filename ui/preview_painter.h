#pragma once
// The 540 x 300 picture of the device's output: each input window framed in the border
// colour, its number, and its UMD label, audio meter and input-status label as filled
// rectangles, window by window so that a later window covers an earlier one.
#include <QColor>
#include <QImage>

#include "model/preview_geometry.h"
#include "model/record.h"

namespace kx::ui {

inline const QColor kPreviewGround{0xC0, 0xC0, 0xC0};
inline const QColor kWindowInside{0x37, 0x37, 0x37};
inline const QColor kAudioMeter{0x00, 0x8B, 0x8B};
inline const QColor kWindowNumberText{0xC0, 0xC0, 0xC0};
inline constexpr int kWindowFrameWidth = 2;

// Black with the border off; white, red, green or blue with it on; black for a colour the
// list does not have.
QColor FrameColor(const kx7214_page_data& record);

QImage PaintPreview(const PreviewGeometry& geometry, const kx7214_page_data& record);

} // namespace kx::ui
