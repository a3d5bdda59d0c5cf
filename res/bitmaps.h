#pragma once
// Bitmap resources, painted by code at their exact sizes.
#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace kx::res {

// The picture of bitmap `id`, or a null pixmap when the program has no such bitmap.
QPixmap LoadBitmap(int id);
// Its size; an empty size for an unknown id.
QSize BitmapSize(int id);
// The application icon (icon resource 128) at the usual sizes.
QIcon LoadAppIcon();

} // namespace kx::res
