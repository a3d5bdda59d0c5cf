#include "link/commands.h"

#include <array>

#include "link/config_layout.h"
#include "model/record.h"

namespace kx {
namespace {

#define KX_FIELD(f) #f, static_cast<std::ptrdiff_t>(offsetof(kx7214_page_data, kx7214_##f))

using enum PayloadShape;
using enum ExchangeKind;
using namespace block;

constexpr std::array kCommands = {
    CommandInfo{CMD_SEARCH, "CMD_SEARCH", Empty, Search, false, {}},
    CommandInfo{CMD_READ_ALL, "CMD_READ_ALL", Empty, ReadAll, false, {}},
    CommandInfo{CMD_SET_DEVICE_NAME, "CMD_SET_DEVICE_NAME", Name, DeviceName, true, {}},
    CommandInfo{CMD_SET_OUTPUT_FORMAT, "CMD_SET_OUTPUT_FORMAT", Value, ExchangeKind::Value, true,
                KX_FIELD(output_format), kOutputFormat, 0, 11},
    CommandInfo{CMD_SET_BORDER_COLOR, "CMD_SET_BORDER_COLOR", Value, ExchangeKind::Value, true,
                KX_FIELD(border_color), kBorderColor, 0, 4},
    CommandInfo{CMD_SET_OUTPUT_LAYOUT, "CMD_SET_OUTPUT_LAYOUT", Value, ExchangeKind::Value, true,
                KX_FIELD(output_layout), kOutputLayout, 0, 16},
    CommandInfo{CMD_SET_UMD_ENABLE, "CMD_SET_UMD_ENABLE", LineValue, ExchangeKind::LineValue,
                true, KX_FIELD(umd_enable), kUmdLine + kUmdEnable, kUmdStride, 2},
    CommandInfo{CMD_SET_UMD_POSITION, "CMD_SET_UMD_POSITION", LineValue, ExchangeKind::LineValue,
                true, KX_FIELD(umd_postion), kUmdLine + kUmdPosition, kUmdStride, 3},
    CommandInfo{CMD_SET_UMD_TEXT_COLOR, "CMD_SET_UMD_TEXT_COLOR", LineValue,
                ExchangeKind::LineValue, true, KX_FIELD(umd_text_color),
                kUmdLine + kUmdTextColor, kUmdStride, 16},
    CommandInfo{CMD_SET_UMD_BACK_COLOR, "CMD_SET_UMD_BACK_COLOR", LineValue,
                ExchangeKind::LineValue, true, KX_FIELD(umd_back_color),
                kUmdLine + kUmdBackColor, kUmdStride, 16},
    CommandInfo{CMD_SET_UMD_TEXT, "CMD_SET_UMD_TEXT", LineText, UmdText, true, {}},
    CommandInfo{CMD_SET_AUDIO_ENABLE, "CMD_SET_AUDIO_ENABLE", LineValue, ExchangeKind::LineValue,
                true, KX_FIELD(audio_enable), kAudio + kAudioEnable, kAudioStride, 2},
    // The device takes 0 (Left) and 2 (Right); three values keep 1 readable as Right.
    CommandInfo{CMD_SET_AUDIO_POSITION, "CMD_SET_AUDIO_POSITION", LineValue,
                ExchangeKind::LineValue, true, KX_FIELD(audio_postion), kAudio + kAudioPosition,
                kAudioStride, 3},
    CommandInfo{CMD_SET_AUDIO_TRANSPARENCY, "CMD_SET_AUDIO_TRANSPARENCY", LineValue,
                ExchangeKind::LineValue, true, KX_FIELD(audio_transparency),
                kAudio + kAudioTransparency, kAudioStride, 3},
    CommandInfo{CMD_SET_AUDIO_COMBINATION, "CMD_SET_AUDIO_COMBINATION", LineValue,
                ExchangeKind::LineValue, true, KX_FIELD(audio_combination),
                kAudio + kAudioCombination, kAudioStride, 3},
    CommandInfo{CMD_SET_AUDIO_CHANNEL, "CMD_SET_AUDIO_CHANNEL", LineValue,
                ExchangeKind::LineValue, true, KX_FIELD(audio_in_ch), kAudio + kAudioChannel,
                kAudioStride, 8},
    CommandInfo{CMD_SET_INPUT_ENABLE, "CMD_SET_INPUT_ENABLE", LineValue, ExchangeKind::LineValue,
                true, KX_FIELD(input_enable), kInput + kInputEnable, kInputStride, 2},
    CommandInfo{CMD_SET_INPUT_TEXT_COLOR, "CMD_SET_INPUT_TEXT_COLOR", LineValue,
                ExchangeKind::LineValue, true, KX_FIELD(input_text_color),
                kInput + kInputTextColor, kInputStride, 16},
    CommandInfo{CMD_SET_INPUT_BACK_COLOR, "CMD_SET_INPUT_BACK_COLOR", LineValue,
                ExchangeKind::LineValue, true, KX_FIELD(input_back_color),
                kInput + kInputBackColor, kInputStride, 16},
    CommandInfo{CMD_SET_INPUT_POSITION, "CMD_SET_INPUT_POSITION", LineValue,
                ExchangeKind::LineValue, true, KX_FIELD(input_postion), kInput + kInputPosition,
                kInputStride, 3},
    CommandInfo{CMD_SAVE_CUSTOM, "CMD_SAVE_CUSTOM", Value, ExchangeKind::Value, false, {}},
    CommandInfo{CMD_SET_BORDER_ENABLE, "CMD_SET_BORDER_ENABLE", Value, ExchangeKind::Value, true,
                KX_FIELD(border_enable), kBorderEnable, 0, 2},
    CommandInfo{CMD_SET_ALL, "CMD_SET_ALL", Block, AllConfig, false, {}},
    CommandInfo{CMD_SET_NETWORK, "CMD_SET_NETWORK", PayloadShape::Network, ExchangeKind::Network,
                false, {}},
};

#undef KX_FIELD

} // namespace

std::uint32_t DeadlineMs(ExchangeKind kind) {
    switch (kind) {
    case Search:
        return 2000;
    case ReadAll:
    case ExchangeKind::Value:
    case ExchangeKind::Network:
        return 1000;
    case ExchangeKind::LineValue:
    case UmdText:
    case DeviceName:
    case AllConfig:
        return 500;
    }
    return 0;
}

std::span<const CommandInfo> Commands() { return kCommands; }

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
