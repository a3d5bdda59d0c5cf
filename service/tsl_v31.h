#pragma once
// TSL UMD version 3.1: fixed 18-byte messages, one or more to a datagram.
#include <cstdint>
#include <span>
#include <vector>

#include "service/tsl_message.h"

namespace kx::service::tsl31 {

inline constexpr std::size_t kMessageSize = 18;
inline constexpr std::size_t kHeader = 0; // 0x80 + display address
inline constexpr std::size_t kControl = 1;
inline constexpr std::size_t kText = 2;
inline constexpr std::size_t kTextSize = 16;

inline constexpr std::uint8_t kHeaderBase = 0x80;
inline constexpr std::uint8_t kMaxAddress = 126;
inline constexpr std::uint8_t kTally1 = 0x01;
inline constexpr std::uint8_t kTally2 = 0x02;
inline constexpr std::uint8_t kControlAlwaysZero = 0x80;

// True when the datagram is made of whole v3.1 messages and the first starts with a display
// header and a control byte whose top bit is clear.
bool LooksLikeV31(std::span<const std::uint8_t> datagram);

// Appends one update per whole message; a message whose header names no display address is
// skipped, and so is a cut-off message at the end.
void Parse(std::span<const std::uint8_t> datagram, std::vector<TslUpdate>& out);

} // namespace kx::service::tsl31
