#include "link/commands.h"

#include <array>

#include "link/config_layout.h"
#include "model/record.h"

namespace kx {
namespace {

#define KX_FIELD(f) #f, static_cast < std::ptrdiff_t>(offsetof(kx7214_page_data, kx7214_##f))

using enum PayloadShape;
using EK = ExchangeKind;
using namespace block;

constexpr std::array kCommands = {
    CommandInfo{CMD_SEARCH, "CMD_SEARCH", Empty, EK::Search, false, {}},
    CommandInfo{CMD_READ_ALL, "CMD_READ_ALL", Empty, EK::ReadAll, false, {}},
    CommandInfo{CMD_SET_DEVICE_NAME, "CMD_SET_DEVICE_NAME", Name, EK::DeviceName, true, {}},
    CommandInfo{CMD_SET_OUTPUT_FORMAT, "CMD_SET_OUTPUT_FORMAT", Value, EK::Value, true,
                KX_FIELD(output_format), kOutputFormat, 0, 11},
    CommandInfo{CMD_SET_BORDER_COLOR, "CMD_SET_BORDER_COLOR", Value, EK::Value, true,
                KX_FIELD(border_color), kBorderColor, 0, 4},
    CommandInfo{CMD_SET_OUTPUT_LAYOUT, "CMD_SET_OUTPUT_LAYOUT", Value, EK::Value, true,
                KX_FIELD(output_layout), kOutputLayout, 0, 16},
    CommandInfo{CMD_SET_UMD_ENABLE, "CMD_SET_UMD_ENABLE", LineValue, EK::LineValue, true,
                KX_FIELD(umd_enable), kUmdLine + kUmdEnable, kUmdStride, 2},
    CommandInfo{CMD_SET_UMD_POSITION, "CMD_SET_UMD_POSITION", LineValue, EK::LineValue, true,
                KX_FIELD(umd_postion), kUmdLine + kUmdPosition, kUmdStride, 3},
    CommandInfo{CMD_SET_UMD_TEXT_COLOR, "CMD_SET_UMD_TEXT_COLOR", LineValue, EK::LineValue, true,
                KX_FIELD(umd_text_color), kUmdLine + kUmdTextColor, kUmdStride, 16},
    CommandInfo{CMD_SET_UMD_BACK_COLOR, "CMD_SET_UMD_BACK_COLOR", LineValue, EK::LineValue, true,
                KX_FIELD(umd_back_color), kUmdLine + kUmdBackColor, kUmdStride, 16},
    CommandInfo{CMD_SET_UMD_TEXT, "CMD_SET_UMD_TEXT", LineText, EK::UmdText, true, {}},
    CommandInfo{CMD_SET_AUDIO_ENABLE, "CMD_SET_AUDIO_ENABLE", LineValue, EK::LineValue, true,
                KX_FIELD(audio_enable), kAudio + kAudioEnable, kAudioStride, 2},
    // The device takes 0 (Left) and 2 (Right); three values keep 1 readable as Right.
    CommandInfo{CMD_SET_AUDIO_POSITION, "CMD_SET_AUDIO_POSITION", LineValue, EK::LineValue, true,
                KX_FIELD(audio_postion), kAudio + kAudioPosition, kAudioStride, 3},
    CommandInfo{CMD_SET_AUDIO_TRANSPARENCY, "CMD_SET_AUDIO_TRANSPARENCY", LineValue, EK::LineValue,
                true, KX_FIELD(audio_transparency), kAudio + kAudioTransparency, kAudioStride, 3},
    CommandInfo{CMD_SET_AUDIO_COMBINATION, "CMD_SET_AUDIO_COMBINATION", LineValue, EK::LineValue,
                true, KX_FIELD(audio_combination), kAudio + kAudioCombination, kAudioStride, 3},
    CommandInfo{CMD_SET_AUDIO_CHANNEL, "CMD_SET_AUDIO_CHANNEL", LineValue, EK::LineValue, true,
                KX_FIELD(audio_in_ch), kAudio + kAudioChannel, kAudioStride, 8},
    CommandInfo{CMD_SET_INPUT_ENABLE, "CMD_SET_INPUT_ENABLE", LineValue, EK::LineValue, true,
                KX_FIELD(input_enable), kInput + kInputEnable, kInputStride, 2},
    CommandInfo{CMD_SET_INPUT_TEXT_COLOR, "CMD_SET_INPUT_TEXT_COLOR", LineValue, EK::LineValue,
                true, KX_FIELD(input_text_color), kInput + kInputTextColor, kInputStride, 16},
    CommandInfo{CMD_SET_INPUT_BACK_COLOR, "CMD_SET_INPUT_BACK_COLOR", LineValue, EK::LineValue,
                true, KX_FIELD(input_back_color), kInput + kInputBackColor, kInputStride, 16},
    CommandInfo{CMD_SET_INPUT_POSITION, "CMD_SET_INPUT_POSITION", LineValue, EK::LineValue, true,
                KX_FIELD(input_postion), kInput + kInputPosition, kInputStride, 3},
    CommandInfo{CMD_SAVE_CUSTOM, "CMD_SAVE_CUSTOM", Value, EK::Value, false, {}},
    CommandInfo{CMD_SET_BORDER_ENABLE, "CMD_SET_BORDER_ENABLE", Value, EK::Value, true,
                KX_FIELD(border_enable), kBorderEnable, 0, 2},
    CommandInfo{CMD_SET_ALL, "CMD_SET_ALL", Block, EK::AllConfig, false, {}},
    CommandInfo{CMD_SET_NETWORK, "CMD_SET_NETWORK", PayloadShape::Network, EK::Network, false, {}},
};

#undef KX_FIELD

} // namespace

std::uint32_t DeadlineMs(ExchangeKind kind) {
    switch (kind) {
    case EK::Search:
        return 2000;
    case EK::ReadAll:
    case EK::Value:
    case EK::Network:
        return 1000;
    case EK::LineValue:
    case EK::UmdText:
    case EK::DeviceName:
    case EK::AllConfig:
        return 500;
    }
    return 0;
}

std::span<const CommandInfo> Commands() {
    return kCommands;
}

const CommandInfo* FindCommand(std::uint8_t code) {
    for (const auto& c : kCommands)
        if (c.code == code)
            return &c;
    return nullptr;
}

const CommandInfo* FindSetting(std::string_view field) {
    for (const auto& c : kCommands)
        if (c.IsSetting() && c.field == field)
            return &c;
    return nullptr;
}

std::size_t RequestLength(PayloadShape shape, std::size_t payload_len) {
    switch (shape) {
    case Empty:
        return frame::kOverhead;
    case PayloadShape::Value:
        return frame::kOverhead + 1;
    case PayloadShape::LineValue:
        return frame::kOverhead + 2;
    case Block:
        return frame::kOverhead + block::kSize;
    case PayloadShape::Network:
        return frame::kOverhead + netcfg::kSize;
    case LineText:
    case Name:
        return frame::kOverhead + payload_len;
    }
    return 0;
}

} // namespace kx
