#include "res/dialog_template.h"
#include "res/resource_ids.h"

namespace kx::res {

namespace {

constexpr unsigned kLabel = kVisible;
constexpr unsigned kList = kVisible | kVScroll;

constexpr int kRow1 = 28, kRow2 = 48, kRow3 = 68, kRow4 = 88;
constexpr int kEnableX = 93, kPositionX = 153, kTextX = 213, kBackX = 285;
// Each drop-down list's height includes its open list: two, three or sixteen entries.
constexpr int kShortList = 40, kColorList = 100;

constexpr ControlTemplate kControls[] = {
    {kNoControlId, ControlKind::Static, "Status Enable", kEnableX, 15, 48, 8, kLabel},
    {kNoControlId, ControlKind::Static, "Position", kPositionX, 15, 48, 8, kLabel},
    {kNoControlId, ControlKind::Static, "Text Color", kTextX, 15, 60, 8, kLabel},
    {kNoControlId, ControlKind::Static, "Background Color", kBackX, 15, 71, 8, kLabel},

    {kNoControlId, ControlKind::Static, "SDI IN 1", 55, kRow1 + 2, 36, 8, kLabel},
    {IDC_INPUT_ENABLE_1, ControlKind::DropDownList, "", kEnableX, kRow1, 48, kShortList, kList},
    {IDC_INPUT_POSITION_1, ControlKind::DropDownList, "", kPositionX, kRow1, 48, kShortList, kList},
    {IDC_INPUT_TEXT_COLOR_1, ControlKind::DropDownList, "", kTextX, kRow1, 60, kColorList, kList},
    {IDC_INPUT_BACK_COLOR_1, ControlKind::DropDownList, "", kBackX, kRow1, 71, kColorList, kList},

    {kNoControlId, ControlKind::Static, "SDI IN 2", 55, kRow2 + 2, 36, 8, kLabel},
    {IDC_INPUT_ENABLE_2, ControlKind::DropDownList, "", kEnableX, kRow2, 48, kShortList, kList},
    {IDC_INPUT_POSITION_2, ControlKind::DropDownList, "", kPositionX, kRow2, 48, kShortList, kList},
    {IDC_INPUT_TEXT_COLOR_2, ControlKind::DropDownList, "", kTextX, kRow2, 60, kColorList, kList},
    {IDC_INPUT_BACK_COLOR_2, ControlKind::DropDownList, "", kBackX, kRow2, 71, kColorList, kList},

    {kNoControlId, ControlKind::Static, "SDI IN 3", 55, kRow3 + 2, 36, 8, kLabel},
    {IDC_INPUT_ENABLE_3, ControlKind::DropDownList, "", kEnableX, kRow3, 48, kShortList, kList},
    {IDC_INPUT_POSITION_3, ControlKind::DropDownList, "", kPositionX, kRow3, 48, kShortList, kList},
    {IDC_INPUT_TEXT_COLOR_3, ControlKind::DropDownList, "", kTextX, kRow3, 60, kColorList, kList},
    {IDC_INPUT_BACK_COLOR_3, ControlKind::DropDownList, "", kBackX, kRow3, 71, kColorList, kList},

    {kNoControlId, ControlKind::Static, "SDI IN 4", 55, kRow4 + 2, 36, 8, kLabel},
    {IDC_INPUT_ENABLE_4, ControlKind::DropDownList, "", kEnableX, kRow4, 48, kShortList, kList},
    {IDC_INPUT_POSITION_4, ControlKind::DropDownList, "", kPositionX, kRow4, 48, kShortList, kList},
    {IDC_INPUT_TEXT_COLOR_4, ControlKind::DropDownList, "", kTextX, kRow4, 60, kColorList, kList},
    {IDC_INPUT_BACK_COLOR_4, ControlKind::DropDownList, "", kBackX, kRow4, 71, kColorList, kList},

    {IDC_INPUT_GROUP, ControlKind::GroupBox, "", 42, 6, 336, 113, kVisible},
};

constexpr DialogTemplate kTemplate = {IDD_KX7214_INPUT, 455, 136, "MS Shell Dlg", 8, true,
                                      kControls};

} // namespace

const DialogTemplate& InputTemplate() {
    return kTemplate;
}

} // namespace kx::res
