#pragma once
// Control and bitmap ids shared by the templates, the bitmaps and the windows built from them.

namespace kx::res {

// Standard dialog commands.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// About box.
inline constexpr int IDC_ABOUT_ICON = 1200;
inline constexpr int IDC_ABOUT_NAME = 1201;
inline constexpr int IDC_ABOUT_VERSION = 1202;
inline constexpr int IDC_ABOUT_NOTE = 1203;

// Main window.
inline constexpr int IDC_BTN_SCAN = 1000;
inline constexpr int IDC_DEVICE_COMBO = 1001;
inline constexpr int IDC_PAGE_HOLDER = 1002;
inline constexpr int IDC_BTN_MINIMIZE = 1003;
inline constexpr int IDC_BTN_CLOSE = 1004;
inline constexpr int IDC_STATUS_LABEL = 1074;
inline constexpr int IDC_VERSION_LABEL = 1075;
// Finding a device by its address: the address field (with the remembered addresses in its
// list) and its two buttons.
inline constexpr int IDC_FIND_ADDRESS = 1080;
inline constexpr int IDC_BTN_FIND = 1081;
inline constexpr int IDC_BTN_FORGET = 1082;

// Device page container.
inline constexpr int IDC_TAB_STATUS = 1103;
inline constexpr int IDC_TAB_SCALE = 1104;
inline constexpr int IDC_TAB_OVERLAY = 1105;
inline constexpr int IDC_TAB_AUDIO = 1139;
inline constexpr int IDC_TAB_INPUT = 1140;
inline constexpr int IDC_TAB_SETTING = 1106;
inline constexpr int IDC_PAGE_AREA = 1007;
inline constexpr int IDC_PAGE_FRAME = 1008;
inline constexpr int IDC_PREVIEW_ANCHOR = 1078;

// Status page.
inline constexpr int IDC_STATUS_SAVE = 1003;
inline constexpr int IDC_STATUS_NAME = 1009;
inline constexpr int IDC_STATUS_VERSION = 1010;
inline constexpr int IDC_STATUS_OUTPUT = 1031;
inline constexpr int IDC_STATUS_GROUP = 1073;

// Audio page; the transparency and combination lists are hidden.
inline constexpr int IDC_AUDIO_ENABLE_1 = 1061;
inline constexpr int IDC_AUDIO_ENABLE_2 = 1062;
inline constexpr int IDC_AUDIO_ENABLE_3 = 1063;
inline constexpr int IDC_AUDIO_ENABLE_4 = 1064;
inline constexpr int IDC_AUDIO_POSITION_1 = 1054;
inline constexpr int IDC_AUDIO_POSITION_2 = 1055;
inline constexpr int IDC_AUDIO_POSITION_3 = 1056;
inline constexpr int IDC_AUDIO_POSITION_4 = 1057;
inline constexpr int IDC_AUDIO_CHANNEL_1 = 1067;
inline constexpr int IDC_AUDIO_CHANNEL_2 = 1028;
inline constexpr int IDC_AUDIO_CHANNEL_3 = 1029;
inline constexpr int IDC_AUDIO_CHANNEL_4 = 1034;
inline constexpr int IDC_AUDIO_TRANSPARENCY_1 = 1058;
inline constexpr int IDC_AUDIO_TRANSPARENCY_2 = 1059;
inline constexpr int IDC_AUDIO_TRANSPARENCY_3 = 1020;
inline constexpr int IDC_AUDIO_TRANSPARENCY_4 = 1060;
inline constexpr int IDC_AUDIO_COMBINATION_1 = 1065;
inline constexpr int IDC_AUDIO_COMBINATION_2 = 1024;
inline constexpr int IDC_AUDIO_COMBINATION_3 = 1066;
inline constexpr int IDC_AUDIO_COMBINATION_4 = 1026;
inline constexpr int IDC_AUDIO_GROUP = 1069;

// Input page.
inline constexpr int IDC_INPUT_ENABLE_1 = 1068;
inline constexpr int IDC_INPUT_ENABLE_2 = 1015;
inline constexpr int IDC_INPUT_ENABLE_3 = 1016;
inline constexpr int IDC_INPUT_ENABLE_4 = 1017;
inline constexpr int IDC_INPUT_POSITION_1 = 1026;
inline constexpr int IDC_INPUT_POSITION_2 = 1027;
inline constexpr int IDC_INPUT_POSITION_3 = 1028;
inline constexpr int IDC_INPUT_POSITION_4 = 1029;
inline constexpr int IDC_INPUT_TEXT_COLOR_1 = 1018;
inline constexpr int IDC_INPUT_TEXT_COLOR_2 = 1019;
inline constexpr int IDC_INPUT_TEXT_COLOR_3 = 1020;
inline constexpr int IDC_INPUT_TEXT_COLOR_4 = 1021;
inline constexpr int IDC_INPUT_BACK_COLOR_1 = 1022;
inline constexpr int IDC_INPUT_BACK_COLOR_2 = 1023;
inline constexpr int IDC_INPUT_BACK_COLOR_3 = 1024;
inline constexpr int IDC_INPUT_BACK_COLOR_4 = 1025;
inline constexpr int IDC_INPUT_GROUP = 1070;

// Setting page.
inline constexpr int IDC_SETTING_MODE = 1014;
inline constexpr int IDC_SETTING_APPLY = 1114;
inline constexpr int IDC_SETTING_SAVE_FILE = 1006;
inline constexpr int IDC_SETTING_SAVE_CUSTOM1 = 1007;
inline constexpr int IDC_SETTING_LOAD_FILE = 1008;
inline constexpr int IDC_SETTING_SAVE_CUSTOM2 = 1009;
inline constexpr int IDC_SETTING_LOAD_DEFAULTS = 1010;
inline constexpr int IDC_SETTING_FIRMWARE = 1011;
inline constexpr int IDC_SETTING_IP = 1035;
inline constexpr int IDC_SETTING_MASK = 1036;
inline constexpr int IDC_SETTING_GATEWAY = 1037;
inline constexpr int IDC_SETTING_NET_APPLY = 1038;
inline constexpr int IDC_SETTING_GROUP_LEFT = 1076;
inline constexpr int IDC_SETTING_GROUP_RIGHT = 1077;

// Scale page.
inline constexpr int IDC_SCALE_BUTTON_1 = 1003; // hidden, no handler
inline constexpr int IDC_SCALE_BUTTON_2 = 1004; // hidden, no handler
inline constexpr int IDC_SCALE_OUTPUT_FORMAT = 1011;
inline constexpr int IDC_SCALE_LAYOUT_LIST = 1012; // hidden
inline constexpr int IDC_SCALE_BORDER_COLOR = 1013;
inline constexpr int IDC_SCALE_BORDER_ENABLE = 1014;
inline constexpr int IDC_SCALE_GROUP = 1072;
inline constexpr int IDC_SCALE_LAYOUT_FIRST = 1079; // layout k is button 1079 + k

// Overlay page, one row per input line.
inline constexpr int IDC_OVERLAY_UMD_ENABLE[4] = {1041, 1035, 1036, 1037};
inline constexpr int IDC_OVERLAY_POSITION[4] = {1042, 1043, 1044, 1045};
inline constexpr int IDC_OVERLAY_TEXT_COLOR[4] = {1046, 1047, 1048, 1049};
inline constexpr int IDC_OVERLAY_BACK_COLOR[4] = {1050, 1051, 1052, 1053};
inline constexpr int IDC_OVERLAY_CONTENT[4] = {1016, 1019, 1022, 1025};
inline constexpr int IDC_OVERLAY_SAVE[4] = {1003, 1004, 1005, 1006}; // hidden, no action
inline constexpr int IDC_OVERLAY_GROUP = 1071;

// Bitmaps.
inline constexpr int IDB_PAGE_GROUND = 136;     // 590 x 500, container background
inline constexpr int IDB_MAIN_GROUND = 138;     // main window background
inline constexpr int IDB_PAGE_BACKGROUND = 139; // 586 x 222, page background
inline constexpr int IDB_MINIMIZE = 140;
inline constexpr int IDB_CLOSE = 141;
inline constexpr int IDB_TAB_STATUS = 142; // selected picture: id + 1
inline constexpr int IDB_TAB_SCALE = 144;
inline constexpr int IDB_TAB_OVERLAY = 146;
inline constexpr int IDB_TAB_AUDIO = 148;
inline constexpr int IDB_TAB_SETTING = 150;
inline constexpr int IDB_TAB_INPUT = 153;

// Layout pictures: layout k is 155 + 2k, selected 156 + 2k.
inline constexpr int IDB_LAYOUT_FIRST = 155;

inline constexpr int IDI_APP = 128;

} // namespace kx::res
