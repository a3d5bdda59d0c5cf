#include "res/dialog_template.h"
#include "res/resource_ids.h"

namespace kx::res {

namespace {

constexpr ControlTemplate kControls[] = {
    {IDC_ABOUT_ICON, ControlKind::StaticFrame, "", 14, 14, 21, 20, kVisible},
    {IDC_ABOUT_NAME, ControlKind::Static, "Tavrin Ethernet Control", 42, 14, 150, 8, kVisible},
    {IDC_ABOUT_VERSION, ControlKind::Static, "Version 1.0.1.5", 42, 26, 150, 8, kVisible},
    {IDC_ABOUT_NOTE, ControlKind::Static, "Control panel for the KX7214 quad multiviewer", 42, 38,
     170, 8, kVisible},
    {IDOK, ControlKind::PushButton, "OK", 163, 52, 50, 14, kVisible},
};

constexpr DialogTemplate kTemplate = {IDD_ABOUTBOX, 220, 72, "MS Shell Dlg", 8, false, kControls};

} // namespace

const DialogTemplate& AboutTemplate() {
    return kTemplate;
}

} // namespace kx::res
