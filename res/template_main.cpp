#include "res/dialog_template.h"
#include "res/resource_ids.h"

namespace kx::res {

namespace {

// The window is resized to 800 x 720 pixels when it opens; the controls placed in pixels at
// that time keep these rectangles only until then.
constexpr ControlTemplate kControls[] = {
    {IDC_BTN_SCAN, ControlKind::PushButton, "SCANNING", 38, 39, 38, 12, kVisible},
    {IDC_DEVICE_COMBO, ControlKind::DropDownList, "", 78, 39, 219, 79, kVisible | kVScroll},
    {IDC_FIND_ADDRESS, ControlKind::DropDown, "", 303, 39, 69, 79, kVisible | kVScroll},
    {IDC_BTN_FIND, ControlKind::PushButton, "FIND", 375, 39, 35, 12, kVisible},
    {IDC_BTN_FORGET, ControlKind::PushButton, "FORGET", 413, 39, 36, 12, kVisible},
    {IDC_PAGE_HOLDER, ControlKind::StaticFrame, "", 6, 59, 446, 320, 0},
    {IDC_STATUS_LABEL, ControlKind::Static, "No Device Connected", 37, 21, 80, 11, kVisible},
    {IDC_VERSION_LABEL, ControlKind::Static, "Version:1.0.1.5", 320, 21, 57, 11, kVisible},
    {IDC_BTN_MINIMIZE, ControlKind::PushButton, "Button1", 411, 0, 23, 13, kVisible | kImageButton},
    {IDC_BTN_CLOSE, ControlKind::PushButton, "Button2", 434, 0, 23, 13, kVisible | kImageButton},
};

constexpr DialogTemplate kTemplate = {IDD_MAIN, 457, 384, "MS Shell Dlg", 9, false, kControls};

} // namespace

const DialogTemplate& MainTemplate() {
    return kTemplate;
}

} // namespace kx::res
