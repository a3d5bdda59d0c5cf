#include "res/dialog_template.h"
#include "res/resource_ids.h"

namespace kx::res {

namespace {

constexpr unsigned kLabel = kVisible;
constexpr unsigned kList = kVisible | kVScroll;
constexpr unsigned kLayoutButton = kVisible | kImageButton;

// The layout buttons are placed in pixels when the page opens; their template rectangle is
// only where the window system first creates them.
constexpr ControlTemplate LayoutButton(int k) {
    return {IDC_SCALE_LAYOUT_FIRST + k,
            ControlKind::PushButton,
            "Button3",
            0,
            0,
            32,
            22,
            kLayoutButton};
}

constexpr ControlTemplate kControls[] = {
    {kNoControlId, ControlKind::Static, "Output Format", 36, 19, 48, 9, kLabel},
    {IDC_SCALE_OUTPUT_FORMAT, ControlKind::DropDownList, "", 85, 17, 52, 73, kList},
    {kNoControlId, ControlKind::Static, "Border Enable", 145, 19, 46, 9, kLabel},
    {IDC_SCALE_BORDER_ENABLE, ControlKind::DropDownList, "", 196, 17, 59, 30, kList},
    {kNoControlId, ControlKind::Static, "Border Color", 263, 19, 41, 8, kLabel},
    {IDC_SCALE_BORDER_COLOR, ControlKind::DropDownList, "", 306, 17, 44, 73, kList},
    {kNoControlId, ControlKind::Static, "Output Layouts", 101, 140, 51, 8, 0},
    {IDC_SCALE_LAYOUT_LIST, ControlKind::DropDownList, "", 177, 140, 112, 61, kVScroll},
    {IDC_SCALE_GROUP, ControlKind::GroupBox, "", 7, 1, 406, 184, kVisible},
    // Created hidden and handled by nothing.
    {IDC_SCALE_BUTTON_1, ControlKind::PushButton, "1", 9, 118, 17, 14, 0},
    {IDC_SCALE_BUTTON_2, ControlKind::PushButton, "2", 395, 112, 16, 14, 0},
    LayoutButton(0),
    LayoutButton(1),
    LayoutButton(2),
    LayoutButton(3),
    LayoutButton(4),
    LayoutButton(5),
    LayoutButton(6),
    LayoutButton(7),
    LayoutButton(8),
    LayoutButton(9),
    LayoutButton(10),
    LayoutButton(11),
    LayoutButton(12),
    LayoutButton(13),
    LayoutButton(14),
    LayoutButton(15),
};

// 640 x 200 pixels, the page area of the device page container.
constexpr DialogTemplate kTemplate = {IDD_KX7214_SCALE, 427, 123, "MS Shell Dlg", 8, true,
                                      kControls};

} // namespace

const DialogTemplate& ScaleTemplate() {
    return kTemplate;
}

} // namespace kx::res
