#pragma once
// The datagram layout shared by requests and replies on UDP port 7000. Both the panel and the
// simulated multiviewer build and read frames through these names only.
#include <cstddef>
#include <cstdint>

namespace kx::frame {

inline constexpr std::uint16_t kPort = 7000;

inline constexpr std::uint8_t kMagic1 = 0xA5;
inline constexpr std::uint8_t kMagic2 = 0x6C;
inline constexpr std::uint8_t kConstant = 0x01;
inline constexpr std::uint8_t kTrailer = 0xAE;

// Byte offsets.
inline constexpr std::size_t kOffMagic1 = 0;
inline constexpr std::size_t kOffMagic2 = 1;
inline constexpr std::size_t kOffLength = 2; // 16-bit little-endian total length
inline constexpr std::size_t kOffDevType = 4;
inline constexpr std::size_t kOffDevAddr = 5;
inline constexpr std::size_t kOffConstant = 6;
inline constexpr std::size_t kOffReserved = 7; // 9 zero bytes
inline constexpr std::size_t kReservedSize = 9;
inline constexpr std::size_t kOffCommand = 16;
inline constexpr std::size_t kOffPayload = 17;
// An acknowledgement carries its status where the payload starts: 0 accepted.
inline constexpr std::size_t kOffStatus = kOffPayload;
// From here a search reply holds the text with the device's name.
inline constexpr std::size_t kOffSearchText = 18;

// Magic, length, type, address, constant, reserved and command before the payload; checksum
// and trailer after it.
inline constexpr std::size_t kOverhead = 20;
inline constexpr std::size_t kChecksumSize = 2;

// Device type and address of the search request; every selectable device answers with 0xA3.
inline constexpr std::uint8_t kSearchDevType = 0x81;
inline constexpr std::uint8_t kSearchDevAddr = 0xFF;
inline constexpr std::uint8_t kSelectableDevType = 0xA3;

// Writes the frame into dest (room for kOverhead + payload_len bytes) and returns its total
// length, which is also the number of bytes to send.
std::uint16_t BuildFrame(std::uint8_t dev_type, std::uint8_t dev_addr, std::uint8_t command,
                         const std::uint8_t* payload, std::size_t payload_len, std::uint8_t* dest);

inline std::size_t TotalLength(std::size_t payload_len) {
    return kOverhead + payload_len;
}

} // namespace kx::frame
