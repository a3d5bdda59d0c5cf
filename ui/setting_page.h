#pragma once
// The Setting page: the apply mode and Apply, the settings file, the device's two custom
// slots, the defaults, and the device's network address.
#include "link/session.h"
#include "ui/page_background.h"

namespace kx::ui {

class CIPAddressCtrl;

// The gateway offered for a device address: the address with its last number replaced by 1.
QString GatewayFor(const QString& address);

class CKX7214_Setting : public CPageDialog {
    Q_OBJECT
public:
    explicit CKX7214_Setting(QWidget* parent);

    void ApplyAllSettings();
    void LoadDefaultSettings();
    void ApplyNetworkSettings();
    void SaveSettings();
    void LoadSettings();

    CIPAddressCtrl* AddressCtrl(int id) const;

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, Notify code) override;
    CtlColor OnCtlColor(QWidget* control, int id, CtlType type) override;

private:
    void OnModeChanged();
    void ShowApplyButton();
    void FillAddresses();

    CKX7214Session* m_p_main_wnd = nullptr;
};

} // namespace kx::ui
