#include "res/dialog_template.h"
#include "res/resource_ids.h"

namespace kx::res {

namespace {

constexpr unsigned kTab = kVisible | kImageButton;

constexpr ControlTemplate kControls[] = {
    {IDC_TAB_STATUS, ControlKind::PushButton, "Status", 68, 7, 54, 18, kTab},
    {IDC_TAB_SCALE, ControlKind::PushButton, "Scale", 131, 7, 54, 18, kTab},
    {IDC_TAB_OVERLAY, ControlKind::PushButton, "Overlay", 190, 7, 54, 18, kTab},
    {IDC_TAB_AUDIO, ControlKind::PushButton, "Audio", 253, 7, 54, 18, kTab},
    {IDC_TAB_INPUT, ControlKind::PushButton, "Input", 314, 7, 54, 18, kTab},
    {IDC_TAB_SETTING, ControlKind::PushButton, "Setting", 381, 7, 54, 18, kTab},
    {IDC_PAGE_AREA, ControlKind::StaticFrame, "", 56, 41, 58, 23, 0},
    {IDC_PAGE_FRAME, ControlKind::StaticFrame, "", 42, 183, 548, 242, 0},
    {IDC_PREVIEW_ANCHOR, ControlKind::Static, "", 301, 140, 56, 8, kVisible},
};

constexpr DialogTemplate kTemplate = {IDD_KX7214, 520, 369, "MS Shell Dlg", 8, true, kControls};

} // namespace

const DialogTemplate& ContainerTemplate() {
    return kTemplate;
}

} // namespace kx::res
