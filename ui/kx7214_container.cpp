#include "ui/kx7214_container.h"

#include <QKeyEvent>

#include "model/preview_geometry.h"
#include "platform/log.h"
#include "res/resource_ids.h"
#include "ui/page_background.h"
#include "ui/page_factory.h"
#include "ui/preview_painter.h"

namespace kx::ui {

namespace {
const QRect kChildPageArea(80, 70, 640, 200);
const QRect kPreviewAnchor(130, 280, 1, 1);
constexpr int kStatusTab = 1;
} // namespace

CKX7214::CKX7214(CKX7214Session& main, QRect& show_mode_rect, QWidget* parent)
    : CDialog(res::ContainerTemplate(), parent), m_main(main), m_show_mode_rect(show_mode_rect) {
    // A new container shows no windows until its first page has read the device.
    m_main.m_preview = PreviewGeometry{};
}

bool CKX7214::OnInitDialog() {
    for (const TabInfo& tab : Tabs()) {
        auto* button = DlgItem<CButtonST>(tab.button_id);
        button->Attach();
        button->SetButtonBitmap(tab.normal_bitmap);
        button->setGeometry(tab.x, kTabTop, tab.width, kTabHeight);
        button->SetTransparentBackground(true);
        button->SetFlatLook(true);
        button->SetHoverBorder(false);
    }
    MoveItem(res::IDC_PAGE_AREA, kChildPageArea);
    m_rc_child_page = GetDlgItem(res::IDC_PAGE_AREA)->geometry();
    MoveItem(res::IDC_PREVIEW_ANCHOR, kPreviewAnchor);
    m_show_mode_rect = GetDlgItem(res::IDC_PREVIEW_ANCHOR)->geometry();
    SwitchPage(kStatusTab);
    return false;
}

CButtonST* CKX7214::TabButton(int tab) const {
    const TabInfo* info = FindTab(tab);
    return info == nullptr ? nullptr : DlgItem<CButtonST>(info->button_id);
}

void CKX7214::SwitchPage(int tab) {
    const TabInfo* info = FindTab(tab);
    if (tab == m_current_tab || info == nullptr)
        return;
    if (const TabInfo* current = FindTab(m_current_tab))
        TabButton(current->tab)->SetButtonBitmap(current->normal_bitmap);
    ClosePage();
    OpenPage(*info);
}

// The page goes first, so that a field it is editing commits before the read. The Status
// page reads the device itself when it opens.
void CKX7214::ReadAgain() {
    const TabInfo* info = FindTab(m_current_tab);
    if (info == nullptr)
        return;
    ClosePage();
    if (info->tab != kStatusTab) {
        m_main.ReadAllConfig();
        m_main.UpdatePreviewGeometry();
    }
    OpenPage(*info);
}

void CKX7214::ClosePage() {
    if (!m_p_child_page)
        return;
    m_p_child_page->hide();
    m_p_child_page->DestroyWindow();
    m_p_child_page = nullptr;
}

void CKX7214::OpenPage(const TabInfo& tab) {
    CDialog* page = tab.create(this);
    m_p_child_page = page;
    page->Create();
    TabButton(tab.tab)->SetButtonBitmap(tab.selected_bitmap);
    page->setGeometry(m_rc_child_page);
    page->show();
    m_current_tab = static_cast<std::uint8_t>(tab.tab);
}

void CKX7214::OnCommand(int id, Notify code) {
    if (code != Notify::Clicked)
        return;
    for (const TabInfo& tab : Tabs())
        if (tab.button_id == id)
            SwitchPage(tab.tab);
}

bool CKX7214::PreTranslateMessage(QKeyEvent* key) {
    if (key->key() == Qt::Key_Escape) {
        platform::Log("kx7214 main  esc  \n");
        return true;
    }
    return CDialog::PreTranslateMessage(key);
}

CtlColor CKX7214::OnCtlColor(QWidget*, int id, CtlType type) {
    // The anchor only marks where the preview goes; the preview covers it.
    if (id == res::IDC_PREVIEW_ANCHOR)
        return {};
    return SharedCtlColor(type);
}

void CKX7214::OnEraseBkgnd(QPainter& painter) {
    DrawStretchedBitmap(painter, rect(), res::IDB_PAGE_GROUND);
}

QRect CKX7214::PreviewRect() const {
    return QRect(m_show_mode_rect.topLeft(), QSize(kPreviewWidth, kPreviewHeight));
}

void CKX7214::InvalidatePreview() {
    update(PreviewRect());
}

// The whole preview is drawn off-screen and copied in one piece whenever any of it needs
// repainting.
void CKX7214::OnPaint(QPainter& painter) {
    if (!PaintRegion().intersects(PreviewRect()))
        return;
    platform::Log("update OnPaint OnPaint OnPaint OnPaint \n");
    painter.drawImage(PreviewRect().topLeft(),
                      PaintPreview(m_main.m_preview, m_main.m_all_kx7214_page_data));
}

void CKX7214::PostNcDestroy() {
    CDialog::PostNcDestroy();
    DeleteSelf();
    platform::Log("kx7214 main PostNcDestroy \n");
}

} // namespace kx::ui
