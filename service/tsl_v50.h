#pragma once
// TSL UMD version 5.0: a packet of display messages for one screen (or every screen).
// Multi-byte numbers are little-endian.
#include <cstdint>
#include <span>
#include <vector>

#include "service/tsl_message.h"

namespace kx::service::tsl50 {

inline constexpr std::size_t kMaxPacket = 2048;

// Packet header.
inline constexpr std::size_t kPbc = 0; // 16 bit: byte count of everything after it
inline constexpr std::size_t kPbcSize = 2;
inline constexpr std::size_t kVersion = 2;
inline constexpr std::size_t kFlags = 3;
inline constexpr std::size_t kScreen = 4; // 16 bit
inline constexpr std::size_t kHeaderSize = 6;

inline constexpr std::uint8_t kFlagUtf16 = 0x01;
inline constexpr std::uint8_t kFlagScreenControl = 0x02;

// Display message, repeated until the byte count is used up.
inline constexpr std::size_t kIndex = 0;   // 16 bit
inline constexpr std::size_t kControl = 2; // 16 bit
inline constexpr std::size_t kLength = 4;  // 16 bit: byte count of the text
inline constexpr std::size_t kDmsgHeaderSize = 6;

inline constexpr unsigned kTextTallyShift = 2;
inline constexpr std::uint16_t kTallyMask = 0x3;
inline constexpr std::uint16_t kControlData = 0x8000;

// The packet's length as its byte count gives it (PBC plus the two bytes of PBC itself), or 0
// when fewer than two bytes are there.
std::size_t PacketLength(std::span<const std::uint8_t> bytes);

// True when the bytes are exactly one packet of version 5.00 with only defined flags.
bool IsExactPacket(std::span<const std::uint8_t> bytes);

// Appends one update per display message. The packet ends where its byte count says or where
// the bytes end, whichever is first; a message whose text runs past that end is dropped with
// everything after it. Screen control packets carry no display messages.
void Parse(std::span<const std::uint8_t> packet, std::vector<TslUpdate>& out);

} // namespace kx::service::tsl50
