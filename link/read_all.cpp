#include "link/read_all.h"

#include "link/config_layout.h"
#include "platform/log.h"
#include "platform/text.h"

namespace kx {

using platform::Log;

namespace {

class ReplyBytes {
public:
    ReplyBytes(const std::uint8_t* data, std::size_t len) : m_data(data), m_len(len) {}
    std::uint8_t operator[](std::size_t i) const { return i < m_len ? m_data[i] : 0; }
    std::uint8_t Block(std::size_t block_offset) const {
        return (*this)[readall::kBlock + block_offset];
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_len;
};

std::u16string DecodeName(const ReplyBytes& r) {
    std::string bytes;
    for (std::size_t i = 0; i < block::kDeviceNameSize; ++i) {
        std::uint8_t b = r.Block(block::kDeviceName + i);
        if (b == 0)
            break;
        bytes += static_cast<char>(b);
    }
    Log("len = %d \n", static_cast<int>(bytes.size()));
    return platform::BytesToWide(bytes);
}

std::u16string DecodeUmdText(const ReplyBytes& r, int line) {
    const std::size_t at = block::UmdAt(line);
    std::size_t len = r.Block(at + block::kUmdTextLength);
    Log("line %d umdNameLen = %d \n", line, static_cast<int>(len));
    if (len > block::kUmdTextSize) {
        Log("line %d umdNameLen is wrong,please check the recv data. \n", line);
        len = block::kUmdTextSize;
    }
    std::u16string text;
    for (std::size_t i = 0; i < len; i += 2) {
        std::uint8_t lo = r.Block(at + block::kUmdText + i);
        std::uint8_t hi = i + 1 < len ? r.Block(at + block::kUmdText + i + 1) : 0;
        auto unit = static_cast<char16_t>(lo | (hi << 8));
        if (unit == 0)
            break;
        text += unit;
    }
    return text;
}

} // namespace

void DecodeReadAll(const std::uint8_t* reply, std::size_t len, SessionState& state) {
    const ReplyBytes r(reply, len);
    auto& rec = state.m_all_kx7214_page_data;
    Log("recvBuf[recvBufIndex] = %d \n", r[readall::kControlMode]);
    state.m_control_mode = r[readall::kControlMode];
    rec.kx7214_firmware_version[0] = r[readall::kFirmware];
    rec.kx7214_firmware_version[1] = r[readall::kFirmware + 1];
    rec.kx7214_output_format = r.Block(block::kOutputFormat);
    rec.kx7214_border_color = r.Block(block::kBorderColor);
    rec.kx7214_output_layout = r.Block(block::kOutputLayout);
    rec.kx7214_border_enable = r.Block(block::kBorderEnable);
    Log("m_p_glo_main_dlg->m_all_kx7214_page_data.kx7214_border_enable = %x \n",
        rec.kx7214_border_enable);
    state.m_device_name = DecodeName(r);

    for (int i = 0; i < kLineCount; ++i) {
        const std::size_t at = block::UmdAt(i);
        rec.kx7214_umd_enable[i] = r.Block(at + block::kUmdEnable);
        rec.kx7214_umd_postion[i] = r.Block(at + block::kUmdPosition);
        rec.kx7214_umd_text_color[i] = r.Block(at + block::kUmdTextColor);
        rec.kx7214_umd_back_color[i] = r.Block(at + block::kUmdBackColor);
        state.m_umd_text[static_cast<std::size_t>(i)] = DecodeUmdText(r, i);
    }
    for (int i = 0; i < kLineCount; ++i) {
        const std::size_t at = block::AudioAt(i);
        rec.kx7214_audio_enable[i] = r.Block(at + block::kAudioEnable) & 0x01;
        rec.kx7214_audio_postion[i] = r.Block(at + block::kAudioPosition);
        Log("m_p_glo_main_dlg->m_all_kx7214_page_data.kx7214_audio_postion[%d] = %d \n", i,
            rec.kx7214_audio_postion[i]);
        rec.kx7214_audio_in_ch[i] = r.Block(at + block::kAudioChannel);
        rec.kx7214_audio_combination[i] = r.Block(at + block::kAudioCombination);
        rec.kx7214_audio_transparency[i] = r.Block(at + block::kAudioTransparency);
    }
    for (int i = 0; i < kLineCount; ++i) {
        const std::size_t at = block::InputAt(i);
        rec.kx7214_input_enable[i] = r.Block(at + block::kInputEnable);
        rec.kx7214_input_postion[i] = r.Block(at + block::kInputPosition);
        rec.kx7214_input_text_color[i] = r.Block(at + block::kInputTextColor);
        rec.kx7214_input_back_color[i] = r.Block(at + block::kInputBackColor);
    }
}

} // namespace kx
