#pragma once
// Everything the main window shares with its pages besides the link: the record, the texts
// that travel with it, the network bytes to write and the staging block of the set-all write.
#include <array>
#include <cstdint>
#include <string>

#include "model/record.h"

namespace kx {

inline constexpr std::size_t kAllDataBlockSize = 235;
inline constexpr std::size_t kNetConfigSize = 12;
// Control-mode byte of a device whose DIP switches are not set to PC control.
inline constexpr std::uint8_t kControlModeNotPc = 9;

struct SessionState {
    SessionState();

    kx7214_page_data m_all_kx7214_page_data{};
    std::array<std::u16string, kLineCount> m_umd_text;
    std::u16string m_device_name;
    std::array<std::uint8_t, kNetConfigSize> m_net_config{};
    std::uint8_t m_control_mode = 0;
    std::array<std::uint8_t, kAllDataBlockSize> m_all_data_block{};

    // "Load Defaults": resets the settings an operator lays out, keeping what belongs to the
    // unit (firmware, name, network, control mode) and the two audio settings that the
    // set-all block cannot carry.
    void LoadDefaults();
};

// "A is apple" ... "D is dog" and "KX7214_NO.1", the texts before any device is read.
void SetInitialTexts(SessionState& state);

} // namespace kx
