#include "ui/setting_page.h"

#include <QComboBox>
#include <QKeyEvent>
#include <filesystem>

#include "model/settings_file.h"
#include "platform/log.h"
#include "res/resource_ids.h"
#include "ui/button_st.h"
#include "ui/ip_address_ctrl.h"
#include "ui/option_lists.h"

namespace kx::ui {

namespace {

using namespace res;

const QRect kLeftGroupPlace(10, 5, 310, 180);
const QRect kRightGroupPlace(320, 5, 310, 180);
const char* const kSubnetMask = "255.255.255.0";

constexpr int kTextButtons[] = {IDC_SETTING_APPLY,        IDC_SETTING_SAVE_FILE,
                                IDC_SETTING_LOAD_FILE,    IDC_SETTING_LOAD_DEFAULTS,
                                IDC_SETTING_SAVE_CUSTOM1, IDC_SETTING_SAVE_CUSTOM2,
                                IDC_SETTING_NET_APPLY};

// The slot numbers the device's save-to-custom command takes.
constexpr std::uint8_t kCustomSlot1 = 1;
constexpr std::uint8_t kCustomSlot2 = 2;

bool IsAddressCtrl(int id) {
    return id == IDC_SETTING_IP || id == IDC_SETTING_MASK || id == IDC_SETTING_GATEWAY;
}

bool AllZero(const CIPAddressCtrl::Octets& octets) {
    for (std::uint8_t octet : octets)
        if (octet != 0)
            return false;
    return true;
}

QString AbsoluteSettingsPath() {
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::absolute(kSettingsFileName, ec);
    return QString::fromStdString((ec ? std::filesystem::path(kSettingsFileName) : path).string());
}

} // namespace

QString GatewayFor(const QString& address) {
    const qsizetype dot = address.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    return address.left(dot + 1) + QLatin1Char('1');
}

CKX7214_Setting::CKX7214_Setting(QWidget* parent)
    : CPageDialog(res::SettingTemplate(), "setting", parent) {}

CIPAddressCtrl* CKX7214_Setting::AddressCtrl(int id) const {
    return DlgItem<CIPAddressCtrl>(id);
}

bool CKX7214_Setting::OnInitDialog() {
    m_p_main_wnd = m_p_glo_main_dlg;
    GetDlgItem(IDC_SETTING_GROUP_LEFT)->setGeometry(kLeftGroupPlace);
    GetDlgItem(IDC_SETTING_GROUP_RIGHT)->setGeometry(kRightGroupPlace);
    GetDlgItem(IDC_SETTING_GROUP_LEFT)->raise();
    GetDlgItem(IDC_SETTING_GROUP_RIGHT)->raise();
    for (int id : kTextButtons)
        DlgItem<CButtonST>(id)->ApplyTextButtonLook();
    if (m_p_main_wnd == nullptr)
        return false;
    const QStringList modes = {QStringLiteral("Auto Apply"), QStringLiteral("Manual Apply")};
    FillList(DlgItem<QComboBox>(IDC_SETTING_MODE), modes,
             m_p_main_wnd->m_all_kx7214_page_data.kx7214_auto_or_manual_status);
    FillAddresses();
    ShowApplyButton();
    return false;
}

// The address found by the last scan, the usual mask, and the first host of the address's
// network as gateway; the device's own mask and gateway are not read.
void CKX7214_Setting::FillAddresses() {
    const device_entry* device = m_p_main_wnd->SelectedDevice();
    if (device == nullptr)
        return;
    const QString address = QString::fromLatin1(
        device->ip_text, qsizetype(strnlen(device->ip_text, sizeof device->ip_text)));
    AddressCtrl(IDC_SETTING_IP)->SetText(address);
    AddressCtrl(IDC_SETTING_MASK)->SetText(QString::fromLatin1(kSubnetMask));
    AddressCtrl(IDC_SETTING_GATEWAY)->SetText(GatewayFor(address));
}

void CKX7214_Setting::ShowApplyButton() {
    const bool manual = m_p_main_wnd->m_all_kx7214_page_data.kx7214_auto_or_manual_status != 0;
    GetDlgItem(IDC_SETTING_APPLY)->setVisible(manual);
}

void CKX7214_Setting::OnCommand(int id, Notify code) {
    if (m_p_main_wnd == nullptr)
        return;
    if (id == IDC_SETTING_MODE && code == Notify::SelChange)
        return OnModeChanged();
    if (code != Notify::Clicked)
        return;
    switch (id) {
    case IDC_SETTING_APPLY:
        ApplyAllSettings();
        break;
    case IDC_SETTING_SAVE_FILE:
        SaveSettings();
        break;
    case IDC_SETTING_LOAD_FILE:
        LoadSettings();
        break;
    case IDC_SETTING_SAVE_CUSTOM1:
        m_p_main_wnd->SendValue(CMD_SAVE_CUSTOM, kCustomSlot1);
        break;
    case IDC_SETTING_SAVE_CUSTOM2:
        m_p_main_wnd->SendValue(CMD_SAVE_CUSTOM, kCustomSlot2);
        break;
    case IDC_SETTING_LOAD_DEFAULTS:
        LoadDefaultSettings();
        break;
    case IDC_SETTING_NET_APPLY:
        ApplyNetworkSettings();
        break;
    default:
        break; // the firmware update button does nothing
    }
}

// Switching the mode sends nothing: changes made in Manual Apply wait for Apply.
void CKX7214_Setting::OnModeChanged() {
    const int index = DlgItem<QComboBox>(IDC_SETTING_MODE)->currentIndex();
    if (index < 0)
        return;
    auto& mode = m_p_main_wnd->m_all_kx7214_page_data.kx7214_auto_or_manual_status;
    mode = static_cast<std::uint8_t>(index);
    platform::Log("m_p_glo_main_dlg->m_all_kx7214_page_data.kx7214_auto_or_manual_status = %d \n ",
                  mode);
    ShowApplyButton();
}

void CKX7214_Setting::ApplyAllSettings() {
    if (m_p_main_wnd != nullptr)
        m_p_main_wnd->ApplyAllSettings();
}

void CKX7214_Setting::LoadDefaultSettings() {
    if (m_p_main_wnd == nullptr)
        return;
    m_p_main_wnd->LoadDefaults();
    DlgItem<QComboBox>(IDC_SETTING_MODE)->setCurrentIndex(0);
    ShowApplyButton();
    ApplyAllSettings();
}

void CKX7214_Setting::SaveSettings() {
    if (m_p_main_wnd == nullptr)
        return;
    const SettingsSaveResult saved = SaveSettingsFile(*m_p_main_wnd);
    if (saved.written)
        return;
    const QString text = QStringLiteral("The settings could not be saved to \"%1\": %2")
                             .arg(AbsoluteSettingsPath(), QString::fromStdString(saved.reason));
    m_p_main_wnd->View().ShowAlert(
        {text.toStdString(), "Save Settings", platform::AlertButtons::Ok});
}

// A file that cannot be read leaves the record as it is and sends nothing: applying a
// configuration read from nothing would set every setting of the device to zero.
void CKX7214_Setting::LoadSettings() {
    if (m_p_main_wnd == nullptr)
        return;
    std::string reason;
    if (!LoadSettingsFile(*m_p_main_wnd, kSettingsFileName, &reason)) {
        const QString text = QStringLiteral("No settings were loaded from \"%1\": %2")
                                 .arg(AbsoluteSettingsPath(), QString::fromStdString(reason));
        m_p_main_wnd->View().ShowAlert(
            {text.toStdString(), "Load Settings", platform::AlertButtons::Ok});
        return;
    }
    ApplyAllSettings();
}

// An all-zero address, mask or gateway would leave the device unreachable; such an Apply
// does nothing. The panel keeps addressing the device where the last scan found it.
void CKX7214_Setting::ApplyNetworkSettings() {
    if (m_p_main_wnd == nullptr)
        return;
    std::array<CIPAddressCtrl::Octets, 3> parts{};
    const int ids[] = {IDC_SETTING_IP, IDC_SETTING_MASK, IDC_SETTING_GATEWAY};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        AddressCtrl(ids[i])->GetAddress(parts[i]);
        if (AllZero(parts[i]))
            return;
    }
    auto out = m_p_main_wnd->m_net_config.begin();
    for (const CIPAddressCtrl::Octets& part : parts)
        out = std::copy(part.begin(), part.end(), out);
    m_p_main_wnd->SendNetworkConfig();
}

// The address controls keep their own edit look.
CtlColor CKX7214_Setting::OnCtlColor(QWidget*, int id, CtlType type) {
    if (IsAddressCtrl(id))
        return {};
    return SharedCtlColor(type);
}

} // namespace kx::ui
