#pragma once
#include <cstdint>

namespace kx::platform {

// Milliseconds from a steady clock, as 32 bits that wrap; take differences as unsigned.
std::uint32_t TickCount();
void SleepMs(std::uint32_t ms);

inline std::uint32_t ElapsedSince(std::uint32_t start) {
    return TickCount() - start;
}

} // namespace kx::platform
