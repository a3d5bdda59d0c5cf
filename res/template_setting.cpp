#include "res/dialog_template.h"
#include "res/resource_ids.h"

namespace kx::res {

namespace {

constexpr unsigned kLabel = kVisible | kAlignRight;
constexpr unsigned kButton = kVisible;

// Left group: the apply mode and the operations on the whole configuration.
constexpr int kLeftA = 22, kLeftB = 114, kButtonWidth = 80, kButtonHeight = 14;
// Right group: the device's network address.
constexpr int kNetLabelX = 222, kNetFieldX = 280, kNetFieldWidth = 110, kNetFieldHeight = 13;

constexpr ControlTemplate kControls[] = {
    {kNoControlId, ControlKind::Static, "Setting", kLeftA, 22, 40, 8, kLabel},
    {IDC_SETTING_MODE, ControlKind::DropDownList, "", 68, 20, 70, 40, kVisible | kVScroll},
    {IDC_SETTING_APPLY, ControlKind::PushButton, "Apply", 146, 19, 48, kButtonHeight, 0},
    {IDC_SETTING_SAVE_FILE, ControlKind::PushButton, "Save Settings", kLeftA, 45, kButtonWidth,
     kButtonHeight, kButton},
    {IDC_SETTING_SAVE_CUSTOM1, ControlKind::PushButton, "Save to Custom1", kLeftB, 45, kButtonWidth,
     kButtonHeight, kButton},
    {IDC_SETTING_LOAD_FILE, ControlKind::PushButton, "Load Settings", kLeftA, 67, kButtonWidth,
     kButtonHeight, kButton},
    {IDC_SETTING_SAVE_CUSTOM2, ControlKind::PushButton, "Save to Custom2", kLeftB, 67, kButtonWidth,
     kButtonHeight, kButton},
    {IDC_SETTING_LOAD_DEFAULTS, ControlKind::PushButton, "Load Defaults", kLeftA, 89, kButtonWidth,
     kButtonHeight, kButton},
    // Hidden, and does nothing when pressed.
    {IDC_SETTING_FIRMWARE, ControlKind::PushButton, "Firmware Update", kLeftB, 89, kButtonWidth,
     kButtonHeight, 0},

    {kNoControlId, ControlKind::Static, "IP Address", kNetLabelX, 23, 52, 8, kLabel},
    {IDC_SETTING_IP, ControlKind::IpAddress, "", kNetFieldX, 21, kNetFieldWidth, kNetFieldHeight,
     kVisible},
    {kNoControlId, ControlKind::Static, "Subnet Mask", kNetLabelX, 45, 52, 8, kLabel},
    {IDC_SETTING_MASK, ControlKind::IpAddress, "", kNetFieldX, 43, kNetFieldWidth, kNetFieldHeight,
     kVisible},
    {kNoControlId, ControlKind::Static, "Gateway", kNetLabelX, 67, 52, 8, kLabel},
    {IDC_SETTING_GATEWAY, ControlKind::IpAddress, "", kNetFieldX, 65, kNetFieldWidth,
     kNetFieldHeight, kVisible},
    {IDC_SETTING_NET_APPLY, ControlKind::PushButton, "Apply", 342, 89, 48, kButtonHeight, kButton},

    {IDC_SETTING_GROUP_LEFT, ControlKind::GroupBox, "", 7, 3, 206, 111, kVisible},
    {IDC_SETTING_GROUP_RIGHT, ControlKind::GroupBox, "", 213, 3, 206, 111, kVisible},
};

constexpr DialogTemplate kTemplate = {IDD_KX7214_SETTING, 519, 138, "MS Shell Dlg", 8, true,
                                      kControls};

} // namespace

const DialogTemplate& SettingTemplate() {
    return kTemplate;
}

} // namespace kx::res
