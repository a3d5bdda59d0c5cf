#include "res/dialog_template.h"
#include "res/resource_ids.h"

namespace kx::res {

namespace {

constexpr unsigned kLabel = kVisible;
constexpr unsigned kList = kVisible | kVScroll;

// Rows of the four inputs; each drop-down list's height includes its open list.
constexpr int kRow1 = 28, kRow2 = 48, kRow3 = 68, kRow4 = 88;
constexpr int kEnableX = 128, kPositionX = 208, kChannelX = 288;
// Transparency and combination stand right of the visible columns and stay hidden.
constexpr int kTransparencyX = 378, kCombinationX = 438;

constexpr ControlTemplate kControls[] = {
    {kNoControlId, ControlKind::Static, "Meter Enable", kEnableX, 15, 60, 8, kLabel},
    {kNoControlId, ControlKind::Static, "Position", kPositionX, 15, 60, 8, kLabel},
    {kNoControlId, ControlKind::Static, "Channel", kChannelX, 15, 60, 8, kLabel},
    {kNoControlId, ControlKind::Static, "Transparency", kTransparencyX, 15, 55, 8, 0},
    {kNoControlId, ControlKind::Static, "Combination", kCombinationX, 15, 60, 8, 0},

    {kNoControlId, ControlKind::Static, "SDI IN 1", 78, kRow1 + 2, 40, 8, kLabel},
    {IDC_AUDIO_ENABLE_1, ControlKind::DropDownList, "", kEnableX, kRow1, 60, 40, kList},
    {IDC_AUDIO_POSITION_1, ControlKind::DropDownList, "", kPositionX, kRow1, 60, 40, kList},
    {IDC_AUDIO_CHANNEL_1, ControlKind::DropDownList, "", kChannelX, kRow1, 60, 80, kList},
    {IDC_AUDIO_TRANSPARENCY_1, ControlKind::DropDownList, "", kTransparencyX, kRow1, 55, 40, 0},
    {IDC_AUDIO_COMBINATION_1, ControlKind::DropDownList, "", kCombinationX, kRow1, 60, 40, 0},

    {kNoControlId, ControlKind::Static, "SDI IN 2", 78, kRow2 + 2, 40, 8, kLabel},
    {IDC_AUDIO_ENABLE_2, ControlKind::DropDownList, "", kEnableX, kRow2, 60, 40, kList},
    {IDC_AUDIO_POSITION_2, ControlKind::DropDownList, "", kPositionX, kRow2, 60, 40, kList},
    {IDC_AUDIO_CHANNEL_2, ControlKind::DropDownList, "", kChannelX, kRow2, 60, 80, kList},
    {IDC_AUDIO_TRANSPARENCY_2, ControlKind::DropDownList, "", kTransparencyX, kRow2, 55, 40, 0},
    {IDC_AUDIO_COMBINATION_2, ControlKind::DropDownList, "", kCombinationX, kRow2, 60, 40, 0},

    {kNoControlId, ControlKind::Static, "SDI IN 3", 78, kRow3 + 2, 40, 8, kLabel},
    {IDC_AUDIO_ENABLE_3, ControlKind::DropDownList, "", kEnableX, kRow3, 60, 40, kList},
    {IDC_AUDIO_POSITION_3, ControlKind::DropDownList, "", kPositionX, kRow3, 60, 40, kList},
    {IDC_AUDIO_CHANNEL_3, ControlKind::DropDownList, "", kChannelX, kRow3, 60, 80, kList},
    {IDC_AUDIO_TRANSPARENCY_3, ControlKind::DropDownList, "", kTransparencyX, kRow3, 55, 40, 0},
    {IDC_AUDIO_COMBINATION_3, ControlKind::DropDownList, "", kCombinationX, kRow3, 60, 40, 0},

    {kNoControlId, ControlKind::Static, "SDI IN 4", 78, kRow4 + 2, 40, 8, kLabel},
    {IDC_AUDIO_ENABLE_4, ControlKind::DropDownList, "", kEnableX, kRow4, 60, 40, kList},
    {IDC_AUDIO_POSITION_4, ControlKind::DropDownList, "", kPositionX, kRow4, 60, 40, kList},
    {IDC_AUDIO_CHANNEL_4, ControlKind::DropDownList, "", kChannelX, kRow4, 60, 80, kList},
    {IDC_AUDIO_TRANSPARENCY_4, ControlKind::DropDownList, "", kTransparencyX, kRow4, 55, 40, 0},
    {IDC_AUDIO_COMBINATION_4, ControlKind::DropDownList, "", kCombinationX, kRow4, 60, 40, 0},

    {IDC_AUDIO_GROUP, ControlKind::GroupBox, "", 42, 6, 400, 105, kVisible},
};

constexpr DialogTemplate kTemplate = {IDD_KX7214_AUDIO, 514, 118, "MS Shell Dlg", 8, true,
                                      kControls};

} // namespace

const DialogTemplate& AudioTemplate() {
    return kTemplate;
}

} // namespace kx::res
