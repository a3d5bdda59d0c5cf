#include "res/dialog_template.h"
#include "res/resource_ids.h"

namespace kx::res {

namespace {

constexpr unsigned kLabel = kVisible;
constexpr unsigned kList = kVisible | kVScroll;
constexpr unsigned kContent = kVisible | kBorder | kAutoHScroll;

constexpr int kRowY[4] = {28, 47, 66, 85};
constexpr int kSaveY[4] = {28, 50, 66, 87};

// One row per input line: label, four lists, the content field and its hidden button.
constexpr ControlTemplate RowLabel(int i, std::string_view label) {
    return {kNoControlId, ControlKind::Static, label, 15, kRowY[i] + 2, 34, 8, kLabel};
}
constexpr ControlTemplate List(const int (&ids)[4], int i, int x, int width, int list_height) {
    return {ids[i], ControlKind::DropDownList, "", x, kRowY[i], width, list_height, kList};
}
constexpr ControlTemplate Content(int i) {
    return {IDC_OVERLAY_CONTENT[i], ControlKind::Edit, "", 289, kRowY[i], 90, 12, kContent};
}
constexpr ControlTemplate Save(int i) {
    return {IDC_OVERLAY_SAVE[i], ControlKind::PushButton, "Save", 381, kSaveY[i], 27, 12, 0};
}

#define KX_OVERLAY_ROW(i, label)                                                                   \
    RowLabel(i, label), List(IDC_OVERLAY_UMD_ENABLE, i, 51, 43, 40),                               \
        List(IDC_OVERLAY_POSITION, i, 102, 45, 50), List(IDC_OVERLAY_TEXT_COLOR, i, 155, 53, 90),  \
        List(IDC_OVERLAY_BACK_COLOR, i, 216, 64, 90), Content(i), Save(i)

constexpr ControlTemplate kControls[] = {
    {kNoControlId, ControlKind::Static, "UMD Enable", 51, 17, 43, 8, kLabel},
    {kNoControlId, ControlKind::Static, "Position", 102, 17, 45, 8, kLabel},
    {kNoControlId, ControlKind::Static, "Text Color", 155, 17, 53, 8, kLabel},
    {kNoControlId, ControlKind::Static, "Background Color", 216, 17, 64, 8, kLabel},
    {kNoControlId, ControlKind::Static, "Content", 289, 17, 90, 8, kLabel},
    KX_OVERLAY_ROW(0, "SDI IN 1"),
    KX_OVERLAY_ROW(1, "SDI IN 2"),
    KX_OVERLAY_ROW(2, "SDI IN 3"),
    KX_OVERLAY_ROW(3, "SDI IN 4"),
    {IDC_OVERLAY_GROUP, ControlKind::GroupBox, "", 9, 7, 407, 107, kVisible},
};

#undef KX_OVERLAY_ROW

constexpr DialogTemplate kTemplate = {IDD_KX7214_OVERLAY, 452, 128, "MS Shell Dlg", 8, true,
                                      kControls};

} // namespace

const DialogTemplate& OverlayTemplate() {
    return kTemplate;
}

} // namespace kx::res
