#include "res/dialog_template.h"
#include "res/resource_ids.h"

namespace kx::res {

namespace {

constexpr unsigned kLabel = kVisible | kAlignRight;
constexpr unsigned kField = kVisible | kBorder | kAutoHScroll;

constexpr ControlTemplate kControls[] = {
    // Created hidden; only a program can press it.
    {IDC_STATUS_SAVE, ControlKind::PushButton, "Save", 277, 22, 27, 12, 0},
    {kNoControlId, ControlKind::Static, "Custom Name", 105, 24, 74, 8, kLabel},
    {IDC_STATUS_NAME, ControlKind::Edit, "", 187, 22, 81, 12, kField},
    {kNoControlId, ControlKind::Static, "Firmware Version", 107, 48, 72, 8, kLabel},
    {IDC_STATUS_VERSION, ControlKind::Edit, "", 187, 46, 81, 12, kField | kReadOnly},
    {kNoControlId, ControlKind::Static, "Output Status", 107, 72, 73, 8, kLabel},
    {IDC_STATUS_OUTPUT, ControlKind::Edit, "", 187, 70, 81, 12, kField | kReadOnly},
    {IDC_STATUS_GROUP, ControlKind::GroupBox, "", 61, 7, 283, 94, kVisible},
};

constexpr DialogTemplate kTemplate = {IDD_KX7214_STATUS, 399, 117, "MS Shell Dlg", 8, true,
                                      kControls};

} // namespace

const DialogTemplate& StatusTemplate() {
    return kTemplate;
}

} // namespace kx::res
