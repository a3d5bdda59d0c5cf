#pragma once
// The configuration record: the one copy of the selected device's settings that every page
// shows and changes. Option fields hold the position of the chosen entry in the page's list.
#include <cstddef>
#include <cstdint>

namespace kx {

inline constexpr int kLineCount = 4;

struct kx7214_page_data {
    std::uint8_t kx7214_auto_or_manual_status; // 0 Auto Apply, 1 Manual Apply
    std::uint8_t kx7214_firmware_version[2];
    std::uint8_t kx7214_output_format;
    std::uint8_t kx7214_border_color;
    std::uint8_t kx7214_border_enable;
    std::uint8_t kx7214_output_layout;
    std::uint8_t kx7214_umd_enable[kLineCount];
    std::uint8_t kx7214_umd_postion[kLineCount];
    std::uint8_t kx7214_umd_text_color[kLineCount];
    std::uint8_t kx7214_umd_back_color[kLineCount];
    std::uint8_t kx7214_audio_enable[kLineCount];
    // 0 Left, 2 Right as the device takes it; 1 also means Right (the Audio page's list index).
    std::uint8_t kx7214_audio_postion[kLineCount];
    std::uint8_t kx7214_audio_transparency[kLineCount];
    std::uint8_t kx7214_audio_combination[kLineCount];
    std::uint8_t kx7214_audio_in_ch[kLineCount];
    std::uint8_t kx7214_input_enable[kLineCount];
    std::uint8_t kx7214_input_postion[kLineCount];
    std::uint8_t kx7214_input_text_color[kLineCount];
    std::uint8_t kx7214_input_back_color[kLineCount];
};

static_assert(sizeof(kx7214_page_data) == 59);
static_assert(offsetof(kx7214_page_data, kx7214_firmware_version) == 1);
static_assert(offsetof(kx7214_page_data, kx7214_output_format) == 3);
static_assert(offsetof(kx7214_page_data, kx7214_border_color) == 4);
static_assert(offsetof(kx7214_page_data, kx7214_border_enable) == 5);
static_assert(offsetof(kx7214_page_data, kx7214_output_layout) == 6);
static_assert(offsetof(kx7214_page_data, kx7214_umd_enable) == 7);
static_assert(offsetof(kx7214_page_data, kx7214_audio_enable) == 23);
static_assert(offsetof(kx7214_page_data, kx7214_audio_in_ch) == 39);
static_assert(offsetof(kx7214_page_data, kx7214_input_enable) == 43);
static_assert(offsetof(kx7214_page_data, kx7214_input_back_color) == 55);

// Audio position as the device takes it: the list index 1 stands for Right, which is 2.
inline bool IsAudioRight(std::uint8_t postion) {
    return postion == 1 || postion == 2;
}

} // namespace kx
