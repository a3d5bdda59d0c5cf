#include "ui/page_background.h"

#include <QKeyEvent>

#include "platform/log.h"
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

namespace {
const QRect kGroupBoxPlace(10, 5, 620, 180);
} // namespace

CPageDialog::CPageDialog(const res::DialogTemplate& dialog_template, const char* log_name,
                         QWidget* parent)
    : CDialog(dialog_template, parent), m_log_name(log_name) {}

bool CPageDialog::PreTranslateMessage(QKeyEvent* key) {
    if (key->key() == Qt::Key_Escape) {
        platform::Log("kx7214 %s  esc  \n", m_log_name);
        return true;
    }
    return CDialog::PreTranslateMessage(key);
}

void CPageDialog::OnEraseBkgnd(QPainter& painter) {
    DrawStretchedBitmap(painter, rect(), res::IDB_PAGE_BACKGROUND);
}

void CPageDialog::PostNcDestroy() {
    DeleteSelf();
    platform::Log("kx7214 %s PostNcDestroy \n", m_log_name);
}

QWidget* CPageDialog::PlaceGroupBox(int id) {
    QWidget* group = GetDlgItem(id);
    group->setGeometry(kGroupBoxPlace);
    return group;
}

} // namespace kx::ui
