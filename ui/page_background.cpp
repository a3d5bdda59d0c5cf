#include "ui/page_background.h"

#include "res/bitmaps.h"
#include "res/resource_ids.h"

namespace kx::ui {

void DrawStretchedBitmap(QPainter& painter, const QRect& target, int bitmap_id) {
    const QPixmap bitmap = res::LoadBitmap(bitmap_id);
    if (bitmap.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawPixmap(target, bitmap, bitmap.rect());
}

void CPageDialog::OnEraseBkgnd(QPainter& painter) {
    DrawStretchedBitmap(painter, rect(), res::IDB_PAGE_BACKGROUND);
}

void CPageDialog::PostNcDestroy() {
    DeleteSelf();
}

} // namespace kx::ui
