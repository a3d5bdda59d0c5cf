#pragma once
// Dialog templates: every control of a dialog with its id, kind, caption and rectangle in
// dialog units, as the dialog layer builds them. Rectangles are x, y, width, height.
#include <span>
#include <string_view>

namespace kx::res {

enum class ControlKind {
    PushButton,
    DropDownList, // combo box, drop-down-list style; the height includes the open list
    DropDown,     // combo box with an edit field, drop-down style; the same heights
    Static,       // text label
    StaticFrame,  // frame or placeholder without text
    Edit,
    GroupBox,
    IpAddress, // four address fields of 0..255; a blank field reads as 0
};

// Style bits of one control.
enum ControlStyle : unsigned {
    kVisible = 1u << 0,
    kAlignRight = 1u << 1,
    kBorder = 1u << 2,
    kReadOnly = 1u << 3,
    kAutoHScroll = 1u << 4,
    kVScroll = 1u << 5,
    // A button that shows a picture; its caption is painted over the picture by design, so it
    // does not take part in fitting the font to the captions.
    kImageButton = 1u << 6,
};

inline constexpr int kNoControlId = -1;

struct ControlTemplate {
    int id;
    ControlKind kind;
    std::string_view caption;
    int x, y, width, height;
    unsigned style;
};

struct DialogTemplate {
    int id;
    int width, height; // dialog units
    std::string_view font_family;
    int point_size;
    bool child; // a child dialog placed inside another window, rather than a window of its own
    std::span<const ControlTemplate> controls;
};

// Ids of the templates.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_MAIN = 102;
inline constexpr int IDD_KX7214 = 129;
inline constexpr int IDD_KX7214_STATUS = 130;
inline constexpr int IDD_KX7214_SCALE = 131;
inline constexpr int IDD_KX7214_OVERLAY = 132;
inline constexpr int IDD_KX7214_SETTING = 133;
inline constexpr int IDD_KX7214_AUDIO = 134;
inline constexpr int IDD_KX7214_INPUT = 135;

// The template with that id, or null when the program has none.
const DialogTemplate* FindTemplate(int id);

// Each template lives in a file of its own; FindTemplate lists them.
const DialogTemplate& AboutTemplate();
const DialogTemplate& MainTemplate();
const DialogTemplate& ContainerTemplate();
const DialogTemplate& StatusTemplate();
const DialogTemplate& ScaleTemplate();
const DialogTemplate& OverlayTemplate();
const DialogTemplate& SettingTemplate();
const DialogTemplate& AudioTemplate();
const DialogTemplate& InputTemplate();

} // namespace kx::res
