#include "ui/scale_page.h"

#include <QComboBox>
#include <QKeyEvent>

#include "platform/log.h"
#include "res/bitmap_painters.h"
#include "res/resource_ids.h"
#include "ui/button_st.h"
#include "ui/option_lists.h"
#include "ui/preview_operations.h"

namespace kx::ui {

namespace {

// Layout buttons: 48 x 36 pixels, eight to a row, 70 pixels apart.
constexpr int kButtonWidth = 48;
constexpr int kButtonHeight = 36;
constexpr int kButtonsPerRow = 8;
QPoint LayoutButtonPlace(int k) {
    return {40 + 70 * (k % kButtonsPerRow), k < kButtonsPerRow ? 80 : 130};
}

bool IsLayout(int k) {
    return k >= 0 && k < kLayoutCount;
}

std::uint8_t Selection(const QComboBox* combo) {
    return static_cast<std::uint8_t>(combo->currentIndex());
}

} // namespace

CKX7214_Scale::CKX7214_Scale(QWidget* parent)
    : CPageDialog(res::ScaleTemplate(), "scale", parent) {}

QComboBox* CKX7214_Scale::Combo(int id) const {
    return DlgItem<QComboBox>(id);
}

bool CKX7214_Scale::OnInitDialog() {
    m_p_main_wnd = m_p_glo_main_dlg;
    PlaceGroupBox(res::IDC_SCALE_GROUP);
    if (m_p_main_wnd == nullptr)
        return false;
    const kx7214_page_data& record = m_p_main_wnd->m_all_kx7214_page_data;
    FillLists(record);
    PlaceLayoutButtons();
    SelectLayout(static_cast<std::int8_t>(record.kx7214_output_layout));
    m_opened = true;
    return false;
}

void CKX7214_Scale::FillLists(const kx7214_page_data& record) {
    FillList(Combo(res::IDC_SCALE_OUTPUT_FORMAT), OutputFormatEntries(),
             record.kx7214_output_format);
    FillList(Combo(res::IDC_SCALE_BORDER_ENABLE), BorderEnableEntries(),
             record.kx7214_border_enable);
    Combo(res::IDC_SCALE_BORDER_COLOR)->setEnabled(record.kx7214_border_enable != 0);
    FillList(Combo(res::IDC_SCALE_BORDER_COLOR), BorderColorEntries(), record.kx7214_border_color);
    FillList(Combo(res::IDC_SCALE_LAYOUT_LIST), LayoutNameEntries(), record.kx7214_output_layout);
}

void CKX7214_Scale::PlaceLayoutButtons() {
    for (int k = 0; k < kLayoutCount; ++k) {
        auto* button = DlgItem<CButtonST>(res::IDC_SCALE_LAYOUT_FIRST + k);
        button->Attach();
        // The picture fills the whole button, which leaves no room for the template's caption.
        button->setText(QString());
        button->setGeometry(QRect(LayoutButtonPlace(k), QSize(kButtonWidth, kButtonHeight)));
        button->SetTransparentBackground(true);
        button->SetFlatLook(true);
        button->SetHoverBorder(false);
        button->SetButtonBitmap(res::LayoutBitmapId(k, false));
        m_btn_layout[static_cast<std::size_t>(k)] = button;
    }
}

void CKX7214_Scale::SelectLayout(std::int8_t k) {
    if (k == m_cur_layout)
        return;
    if (IsLayout(m_cur_layout))
        m_btn_layout[static_cast<std::size_t>(m_cur_layout)]->SetButtonBitmap(
            res::LayoutBitmapId(m_cur_layout, false));
    if (IsLayout(k))
        m_btn_layout[static_cast<std::size_t>(k)]->SetButtonBitmap(res::LayoutBitmapId(k, true));
    m_p_main_wnd->m_all_kx7214_page_data.kx7214_output_layout = static_cast<std::uint8_t>(k);
    // Only the marking while the page opens leaves the device and the preview alone; a record
    // layout of 128 or more reads as negative and must not swallow the operator's first choice.
    if (m_opened)
        OnOutputLayoutChanged(*m_p_main_wnd);
    m_cur_layout = k;
}

void CKX7214_Scale::OnOutputFormatChanged() {
    const std::uint8_t value = Selection(Combo(res::IDC_SCALE_OUTPUT_FORMAT));
    m_p_main_wnd->m_all_kx7214_page_data.kx7214_output_format = value;
    if (m_p_main_wnd->m_all_kx7214_page_data.kx7214_auto_or_manual_status == 0)
        m_p_main_wnd->SendValue(CMD_SET_OUTPUT_FORMAT, value);
}

void CKX7214_Scale::OnBorderColorSelected() {
    m_p_main_wnd->m_all_kx7214_page_data.kx7214_border_color =
        Selection(Combo(res::IDC_SCALE_BORDER_COLOR));
    OnBorderColorChanged(*m_p_main_wnd);
}

void CKX7214_Scale::OnBorderEnableSelected() {
    const std::uint8_t value = Selection(Combo(res::IDC_SCALE_BORDER_ENABLE));
    m_p_main_wnd->m_all_kx7214_page_data.kx7214_border_enable = value;
    Combo(res::IDC_SCALE_BORDER_COLOR)->setEnabled(value != 0);
    OnBorderEnableChanged(*m_p_main_wnd);
}

void CKX7214_Scale::OnCommand(int id, Notify code) {
    if (m_p_main_wnd == nullptr)
        return;
    if (code == Notify::SelChange && id == res::IDC_SCALE_OUTPUT_FORMAT)
        OnOutputFormatChanged();
    else if (code == Notify::SelChange && id == res::IDC_SCALE_BORDER_COLOR)
        OnBorderColorSelected();
    else if (code == Notify::SelChange && id == res::IDC_SCALE_BORDER_ENABLE)
        OnBorderEnableSelected();
    else if (code == Notify::Clicked && IsLayout(id - res::IDC_SCALE_LAYOUT_FIRST))
        SelectLayout(static_cast<std::int8_t>(id - res::IDC_SCALE_LAYOUT_FIRST));
}

CtlColor CKX7214_Scale::OnCtlColor(QWidget*, int, CtlType type) {
    return SharedCtlColor(type);
}

} // namespace kx::ui
