#include "ui/status_page.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <array>

#include "platform/log.h"
#include "platform/text.h"
#include "res/resource_ids.h"
#include "ui/button_st.h"
#include "ui/typing_limit.h"

namespace kx::ui {

namespace {

constexpr std::array<const char*, 11> kOutputFormats = {
    "1080p60", "1080p50", "1080p30", "1080p25", "1080p24", "1080i60",
    "1080i50", "720p60",  "720p50",  "720p30",  "720P25",
};

bool IsField(int id) {
    return id == res::IDC_STATUS_NAME || id == res::IDC_STATUS_VERSION ||
           id == res::IDC_STATUS_OUTPUT;
}

} // namespace

std::int32_t CKX7214_Status::m_name_edit_focus = 0;

QString DisplayName(const std::u16string& device_name) {
    const std::u16string_view head = std::u16string_view(device_name).substr(0, 6);
    if (head == u"KX7214" || head == u"kx7214")
        return QStringLiteral("TRQ-9");
    return QString::fromStdU16String(device_name);
}

QString VersionText(const std::uint8_t firmware[2]) {
    const int a = firmware[0];
    const int b = firmware[1];
    return QString::asprintf("Ver %d.%d.%d.%d", a / 10, a % 10, b / 10, b % 10);
}

QString OutputStatusText(std::uint8_t output_format) {
    if (output_format < kOutputFormats.size())
        return QString::fromLatin1(kOutputFormats[output_format]);
    return QStringLiteral("NoSingal");
}

CKX7214_Status::CKX7214_Status(QWidget* parent)
    : CPageDialog(res::StatusTemplate(), "status", parent) {}

QLineEdit* CKX7214_Status::NameEdit() const {
    return DlgItem<QLineEdit>(res::IDC_STATUS_NAME);
}

bool CKX7214_Status::OnInitDialog() {
    m_p_main_wnd = m_p_glo_main_dlg;
    PlaceGroupBox(res::IDC_STATUS_GROUP)->raise();
    if (m_p_main_wnd == nullptr)
        return false;
    CKX7214Session& main = *m_p_main_wnd;
    main.ReadAllConfig();
    if (main.m_control_mode == kControlModeNotPc)
        main.View().ShowAlert(
            {"Please set DIP switches to \"Controls-PC\".", "Err", platform::AlertButtons::Ok});
    NameEdit()->setText(DisplayName(main.m_device_name));
    CTypingLimit::Attach(NameEdit(), kDeviceNameTypingLimit);
    m_committed_text = NameEdit()->text();
    const auto& record = main.m_all_kx7214_page_data;
    DlgItem<QLineEdit>(res::IDC_STATUS_VERSION)
        ->setText(VersionText(record.kx7214_firmware_version));
    auto* output = DlgItem<QLineEdit>(res::IDC_STATUS_OUTPUT);
    output->setText(QStringLiteral(" "));
    output->setText(OutputStatusText(record.kx7214_output_format));
    auto* save = DlgItem<CButtonST>(res::IDC_STATUS_SAVE);
    save->ApplyTextButtonLook();
    main.UpdatePreviewGeometry();
    return false;
}

// The name is stored and sent only when the operator changed the text since it was last
// stored: the field shows the product name for a model-word name, and committing that
// display text unchanged would rename the device.
void CKX7214_Status::CommitName(bool with_log_line) {
    if (m_p_main_wnd == nullptr)
        return;
    const QString text = NameEdit()->text();
    if (with_log_line)
        platform::Log("%s \n", text.toUtf8().constData());
    if (text == m_committed_text)
        return;
    m_committed_text = text;
    m_p_main_wnd->m_device_name = text.toStdU16String();
    if (m_p_main_wnd->m_all_kx7214_page_data.kx7214_auto_or_manual_status == 0)
        m_p_main_wnd->SendDeviceName();
}

void CKX7214_Status::OnCommand(int id, Notify code) {
    if (id == res::IDC_STATUS_SAVE && code == Notify::Clicked)
        CommitName(false);
    if (id != res::IDC_STATUS_NAME)
        return;
    if (code == Notify::KillFocus)
        CommitName(true);
    if (code == Notify::SetFocus) {
        m_name_edit_focus = 1;
        platform::Log("dev name focus on\n");
    }
}

bool CKX7214_Status::PreTranslateMessage(QKeyEvent* key) {
    if (IsEnterKey(key)) {
        if (QApplication::focusWidget() == NameEdit())
            CommitName(true);
        return true;
    }
    return CPageDialog::PreTranslateMessage(key);
}

// A click on the page does not take the focus out of the name field by itself; handing it
// to the group box makes the field commit.
void CKX7214_Status::OnLButtonDown(QMouseEvent*) {
    if (m_name_edit_focus != 1)
        return;
    GetDlgItem(res::IDC_STATUS_GROUP)->setFocus(Qt::MouseFocusReason);
    m_name_edit_focus = 0;
}

CtlColor CKX7214_Status::OnCtlColor(QWidget*, int id, CtlType type) {
    CtlColor colors;
    if (type == CtlType::Static)
        colors = {kSkinLabelText, kSkinPageGround, kSkinPageGround};
    if (IsField(id))
        colors = {kSkinFieldText, kSkinFieldGround, kSkinFieldGround};
    return colors;
}

} // namespace kx::ui
