#include "ui/overlay_page.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "platform/log.h"
#include "platform/text.h"
#include "res/resource_ids.h"
#include "ui/button_st.h"
#include "ui/option_lists.h"
#include "ui/typing_limit.h"

namespace kx::ui {

namespace {

// The log line of a committed text differs by line in its spacing.
constexpr const char* kCommitLogFormats[kLineCount] = {"line %d umd  %s \n", "line %d umd   %s \n",
                                                       "line %d umd   %s \n", "line %d umd  %s \n"};

std::uint8_t Selection(const QComboBox* combo) {
    return static_cast<std::uint8_t>(combo->currentIndex());
}

// The line whose control `id` is in the column, or -1.
int LineOf(const int (&ids)[kLineCount], int id) {
    for (int line = 0; line < kLineCount; ++line)
        if (ids[line] == id)
            return line;
    return -1;
}

} // namespace

std::int8_t CKX7214_Overlay::m_umd_edit_focus = 0;

CKX7214_Overlay::CKX7214_Overlay(QWidget* parent)
    : CPageDialog(res::OverlayTemplate(), "overlay", parent) {}

QComboBox* CKX7214_Overlay::Combo(const int (&ids)[kLineCount], int line) const {
    return DlgItem<QComboBox>(ids[line]);
}

QLineEdit* CKX7214_Overlay::Content(int line) const {
    return DlgItem<QLineEdit>(res::IDC_OVERLAY_CONTENT[line]);
}

bool CKX7214_Overlay::AutoApply() const {
    return m_p_main_wnd->m_all_kx7214_page_data.kx7214_auto_or_manual_status == 0;
}

bool CKX7214_Overlay::OnInitDialog() {
    m_p_main_wnd = m_p_glo_main_dlg;
    PlaceGroupBox(res::IDC_OVERLAY_GROUP)->raise();
    if (m_p_main_wnd == nullptr)
        return false;
    for (int line = 0; line < kLineCount; ++line)
        InitLine(line, m_p_main_wnd->m_all_kx7214_page_data);
    for (int id : res::IDC_OVERLAY_SAVE)
        DlgItem<CButtonST>(id)->ApplyTextButtonLook();
    return false;
}

void CKX7214_Overlay::InitLine(int line, const kx7214_page_data& record) {
    const auto i = static_cast<std::size_t>(line);
    FillList(Combo(res::IDC_OVERLAY_UMD_ENABLE, line), OffOnEntries(), record.kx7214_umd_enable[i]);
    FillList(Combo(res::IDC_OVERLAY_POSITION, line), LeftMiddleRightEntries(),
             record.kx7214_umd_postion[i]);
    FillList(Combo(res::IDC_OVERLAY_TEXT_COLOR, line), ColorEntries(),
             record.kx7214_umd_text_color[i]);
    FillList(Combo(res::IDC_OVERLAY_BACK_COLOR, line), ColorEntries(),
             record.kx7214_umd_back_color[i]);
    QLineEdit* content = Content(line);
    content->setText(QString::fromStdU16String(m_p_main_wnd->m_umd_text[i]));
    CTypingLimit::Attach(content, kUmdTextTypingLimit);
    EnableLine(line, record.kx7214_umd_enable[i] != 0);
}

// The UMD Enable list itself always stays enabled.
void CKX7214_Overlay::EnableLine(int line, bool enable) {
    Combo(res::IDC_OVERLAY_POSITION, line)->setEnabled(enable);
    Combo(res::IDC_OVERLAY_TEXT_COLOR, line)->setEnabled(enable);
    Combo(res::IDC_OVERLAY_BACK_COLOR, line)->setEnabled(enable);
    Content(line)->setEnabled(enable);
}

void CKX7214_Overlay::SendIfAuto(std::uint8_t command, int line, std::uint8_t value) {
    if (AutoApply())
        m_p_main_wnd->SendLineValue(command, static_cast<std::uint8_t>(line), value);
}

void CKX7214_Overlay::OnEnableChanged(int line) {
    const std::uint8_t value = Selection(Combo(res::IDC_OVERLAY_UMD_ENABLE, line));
    m_p_main_wnd->m_all_kx7214_page_data.kx7214_umd_enable[line] = value;
    EnableLine(line, value != 0);
    m_p_main_wnd->UpdateUmdGeometry();
    SendIfAuto(CMD_SET_UMD_ENABLE, line, value);
}

void CKX7214_Overlay::OnPositionChanged(int line) {
    const std::uint8_t value = Selection(Combo(res::IDC_OVERLAY_POSITION, line));
    m_p_main_wnd->m_all_kx7214_page_data.kx7214_umd_postion[line] = value;
    m_p_main_wnd->UpdateUmdGeometry();
    SendIfAuto(CMD_SET_UMD_POSITION, line, value);
}

// A label whose text and background had the same colour could not be read, so such a choice
// is refused by putting the list back.
void CKX7214_Overlay::OnTextColorChanged(int line) {
    kx7214_page_data& record = m_p_main_wnd->m_all_kx7214_page_data;
    QComboBox* combo = Combo(res::IDC_OVERLAY_TEXT_COLOR, line);
    const std::uint8_t value = Selection(combo);
    if (value == record.kx7214_umd_back_color[line]) {
        combo->setCurrentIndex(record.kx7214_umd_text_color[line]);
        return;
    }
    record.kx7214_umd_text_color[line] = value;
    m_p_main_wnd->UpdateUmdGeometry();
    SendIfAuto(CMD_SET_UMD_TEXT_COLOR, line, value);
}

void CKX7214_Overlay::OnBackColorChanged(int line) {
    kx7214_page_data& record = m_p_main_wnd->m_all_kx7214_page_data;
    QComboBox* combo = Combo(res::IDC_OVERLAY_BACK_COLOR, line);
    const std::uint8_t value = Selection(combo);
    if (value == record.kx7214_umd_text_color[line]) {
        combo->setCurrentIndex(record.kx7214_umd_back_color[line]);
        return;
    }
    record.kx7214_umd_back_color[line] = value;
    m_p_main_wnd->UpdateUmdGeometry();
    SendIfAuto(CMD_SET_UMD_BACK_COLOR, line, value);
}

void CKX7214_Overlay::CommitText(int line) {
    std::u16string& text = m_p_main_wnd->m_umd_text[static_cast<std::size_t>(line)];
    text = Content(line)->text().toStdU16String();
    platform::Log(kCommitLogFormats[line], line + 1, platform::Utf16ToUtf8(text).c_str());
    m_p_main_wnd->UpdateUmdGeometry();
    if (AutoApply())
        m_p_main_wnd->SendUmdText(line);
}

void CKX7214_Overlay::OnCommand(int id, Notify code) {
    if (m_p_main_wnd == nullptr)
        return;
    if (code == Notify::SelChange) {
        if (const int line = LineOf(res::IDC_OVERLAY_UMD_ENABLE, id); line >= 0)
            OnEnableChanged(line);
        if (const int line = LineOf(res::IDC_OVERLAY_POSITION, id); line >= 0)
            OnPositionChanged(line);
        if (const int line = LineOf(res::IDC_OVERLAY_TEXT_COLOR, id); line >= 0)
            OnTextColorChanged(line);
        if (const int line = LineOf(res::IDC_OVERLAY_BACK_COLOR, id); line >= 0)
            OnBackColorChanged(line);
        return;
    }
    const int line = LineOf(res::IDC_OVERLAY_CONTENT, id);
    if (line < 0)
        return;
    if (code == Notify::KillFocus)
        CommitText(line);
    if (code == Notify::SetFocus) {
        m_umd_edit_focus = static_cast<std::int8_t>(line + 1);
        platform::Log("line %d fouce on\n", line + 1);
    }
}

// Enter in a content field stores and sends its text and keeps the focus there; Enter
// anywhere else on the page does nothing. Either way the key goes no further.
bool CKX7214_Overlay::OnEnterKey() {
    const QWidget* focus = QApplication::focusWidget();
    for (int line = 0; line < kLineCount && m_edit_string_index == 0; ++line) {
        if (focus != Content(line))
            continue;
        m_edit_string_index = static_cast<std::int8_t>(line + 1);
        m_p_main_wnd->m_umd_text[static_cast<std::size_t>(line)] =
            Content(line)->text().toStdU16String();
    }
    if (m_edit_string_index == 0)
        platform::Log("  normal return  \n");
    platform::Log("m_edit_string_index = %d\n", m_edit_string_index);
    if (m_edit_string_index == 0)
        return true;
    platform::Log("m_p_glo_main_dlg->m_all_kx7214_page_data.kx7214_auto_or_manual_status = %d \n ",
                  m_p_main_wnd->m_all_kx7214_page_data.kx7214_auto_or_manual_status);
    m_p_main_wnd->UpdateUmdGeometry();
    if (AutoApply())
        m_p_main_wnd->SendUmdText(m_edit_string_index - 1);
    return true;
}

bool CKX7214_Overlay::PreTranslateMessage(QKeyEvent* key) {
    m_edit_string_index = 0;
    if (IsEnterKey(key) && m_p_main_wnd != nullptr)
        return OnEnterKey();
    return CPageDialog::PreTranslateMessage(key);
}

// A click on the page does not take the focus out of a content field by itself; handing it
// to the group box makes the field commit.
void CKX7214_Overlay::OnLButtonDown(QMouseEvent*) {
    if (m_umd_edit_focus <= 0)
        return;
    platform::Log("set group focus \n");
    GetDlgItem(res::IDC_OVERLAY_GROUP)->setFocus(Qt::MouseFocusReason);
    m_umd_edit_focus = 0;
}

// The content fields look the same whether their line is on or off.
CtlColor CKX7214_Overlay::OnCtlColor(QWidget*, int id, CtlType type) {
    CtlColor colors;
    if (type == CtlType::Edit || type == CtlType::ListBox)
        colors = {kSkinEditText, kSkinEditGround, kSkinEditGround};
    if (type == CtlType::Static)
        colors = {kSkinLabelText, kSkinPageGround, kSkinPageGround};
    if (LineOf(res::IDC_OVERLAY_CONTENT, id) >= 0)
        colors = {kSkinFieldText, kSkinFieldGround, kSkinFieldGround};
    return colors;
}

} // namespace kx::ui
