#pragma once
#include <cstdint>

namespace kx {

// One discovered device, as its search reply described it.
struct device_entry {
    char ip_text[16];      // dotted quad, zero-filled
    std::uint8_t dev_addr; // echoed as frame byte 5 of every request to the device
    std::uint8_t dev_type; // echoed as frame byte 4; 0xA3 for every selectable device
};
static_assert(sizeof(device_entry) == 18);

inline constexpr int kDeviceTableSize = 128;

} // namespace kx
