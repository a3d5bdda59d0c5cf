#include <algorithm>

#include "link/config_layout.h"
#include "link/read_all.h"
#include "platform/log.h"
#include "platform/text.h"

namespace kx {

using platform::Log;

std::string DeviceNameBytes(const std::u16string& name) {
    std::string ansi = platform::WideToAnsi(name);
    // The name's terminator marks its end on the device: a zero inside would cut it there.
    ansi = ansi.substr(0, ansi.find('\0'));
    if (ansi.size() > block::kDeviceNameSize - 1)
        ansi.resize(block::kDeviceNameSize - 1);
    return ansi;
}

std::array<std::uint8_t, kAllDataBlockSize> PackedBlock(const SessionState& state) {
    std::array<std::uint8_t, kAllDataBlockSize> b{};
    const auto& rec = state.m_all_kx7214_page_data;
    b[block::kOutputFormat] = rec.kx7214_output_format;
    b[block::kBorderColor] = rec.kx7214_border_color;
    b[block::kOutputLayout] = rec.kx7214_output_layout;
    b[block::kBorderEnable] = rec.kx7214_border_enable;

    const std::string name = DeviceNameBytes(state.m_device_name);
    std::copy(name.begin(), name.end(), b.begin() + block::kDeviceName); // the zero follows

    for (int i = 0; i < kLineCount; ++i) {
        const std::size_t at = block::UmdAt(i);
        b[at + block::kUmdEnable] = rec.kx7214_umd_enable[i];
        b[at + block::kUmdPosition] = rec.kx7214_umd_postion[i];
        b[at + block::kUmdTextColor] = rec.kx7214_umd_text_color[i];
        b[at + block::kUmdBackColor] = rec.kx7214_umd_back_color[i];
        const std::u16string_view text = platform::CutUtf16(
            state.m_umd_text[static_cast<std::size_t>(i)], block::kUmdTextSize / 2);
        b[at + block::kUmdTextLength] = static_cast<std::uint8_t>(text.size() * 2);
        for (std::size_t k = 0; k < text.size(); ++k) {
            b[at + block::kUmdText + 2 * k] = static_cast<std::uint8_t>(text[k] & 0xFF);
            b[at + block::kUmdText + 2 * k + 1] = static_cast<std::uint8_t>(text[k] >> 8);
        }
    }
    for (int i = 0; i < kLineCount; ++i) {
        const std::size_t at = block::AudioAt(i);
        b[at + block::kAudioEnable] = rec.kx7214_audio_enable[i];
        b[at + block::kAudioPosition] =
            IsAudioRight(rec.kx7214_audio_postion[i]) ? 2 : rec.kx7214_audio_postion[i];
        b[at + block::kAudioChannel] = rec.kx7214_audio_in_ch[i];
    }
    for (int i = 0; i < kLineCount; ++i) {
        const std::size_t at = block::InputAt(i);
        b[at + block::kInputEnable] = rec.kx7214_input_enable[i];
        b[at + block::kInputPosition] = rec.kx7214_input_postion[i];
        b[at + block::kInputTextColor] = rec.kx7214_input_text_color[i];
        b[at + block::kInputBackColor] = rec.kx7214_input_back_color[i];
    }
    return b;
}

void PackAllDataBlock(SessionState& state) {
    Log(" Configuration dev name is %d \n", static_cast<int>(state.m_device_name.size()));
    state.m_all_data_block = PackedBlock(state);
    for (std::uint8_t& postion : state.m_all_kx7214_page_data.kx7214_audio_postion)
        if (postion == 1)
            postion = 2;
    Log(" send all page data\n");
}

} // namespace kx
