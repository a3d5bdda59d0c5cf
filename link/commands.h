#pragma once
// Every command the panel sends: code, payload shape, the exchange that carries it with its
// deadline, and, for the single settings, which record field it writes and where that field
// lies in the configuration block. Pages, the command-line tool and the simulated
// multiviewer all work from this one table.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace kx {

enum : std::uint8_t {
    CMD_READ_ALL = 0x90,
    CMD_SET_DEVICE_NAME = 0x91,
    CMD_SET_OUTPUT_FORMAT = 0x92,
    CMD_SET_BORDER_COLOR = 0x93,
    CMD_SET_OUTPUT_LAYOUT = 0x94,
    CMD_SET_UMD_ENABLE = 0x95,
    CMD_SET_UMD_POSITION = 0x96,
    CMD_SET_UMD_TEXT_COLOR = 0x97,
    CMD_SET_UMD_BACK_COLOR = 0x98,
    CMD_SET_UMD_TEXT = 0x99,
    CMD_SET_AUDIO_ENABLE = 0x9A,
    CMD_SET_AUDIO_POSITION = 0x9B,
    CMD_SET_AUDIO_TRANSPARENCY = 0x9C,
    CMD_SET_AUDIO_COMBINATION = 0x9D,
    CMD_SET_AUDIO_CHANNEL = 0x9E,
    CMD_SET_INPUT_ENABLE = 0x9F,
    CMD_SET_INPUT_TEXT_COLOR = 0xA0,
    CMD_SET_INPUT_BACK_COLOR = 0xA1,
    CMD_SET_INPUT_POSITION = 0xA2,
    CMD_SAVE_CUSTOM = 0xA3,
    CMD_SET_BORDER_ENABLE = 0xA4,
    CMD_SET_ALL = 0xA5,
    CMD_SET_NETWORK = 0xA6,
    CMD_SEARCH = 0xFF,
};

enum class PayloadShape { Empty, Value, LineValue, LineText, Name, Block, Network };
enum class ExchangeKind {
    Search,
    ReadAll,
    Value,
    LineValue,
    UmdText,
    DeviceName,
    AllConfig,
    Network
};

std::uint32_t DeadlineMs(ExchangeKind kind);

inline constexpr std::ptrdiff_t kNoField = -1;

struct CommandInfo {
    std::uint8_t code;
    std::string_view name;
    PayloadShape shape;
    ExchangeKind exchange;
    bool auto_only; // sent by a page only in Auto Apply
    // Single settings only: the record field (name without the kx7214_ prefix), its offset
    // in the record, its place in the configuration block (plus line * block_stride for the
    // per-input ones) and how many entries its option list has.
    std::string_view field;
    std::ptrdiff_t record_offset = kNoField;
    std::size_t block_offset = 0;
    std::size_t block_stride = 0;
    std::uint8_t option_count = 0;

    bool PerLine() const { return shape == PayloadShape::LineValue; }
    bool IsSetting() const { return record_offset != kNoField; }
    std::uint32_t DeadlineMs() const { return kx::DeadlineMs(exchange); }
};

std::span<const CommandInfo> Commands();
const CommandInfo* FindCommand(std::uint8_t code);
const CommandInfo* FindSetting(std::string_view field);

// Length of the whole request frame for a payload of the given shape; texts and names vary
// with their length, so they are given as payload_len.
std::size_t RequestLength(PayloadShape shape, std::size_t payload_len = 0);

} // namespace kx
