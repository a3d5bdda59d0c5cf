#include "link/frame.h"

#include <cstring>

namespace kx::frame {

std::uint16_t BuildFrame(std::uint8_t dev_type, std::uint8_t dev_addr, std::uint8_t command,
                         const std::uint8_t* payload, std::size_t payload_len, std::uint8_t* dest) {
    const auto total = static_cast<std::uint16_t>(kOverhead + payload_len);
    dest[kOffMagic1] = kMagic1;
    dest[kOffMagic2] = kMagic2;
    dest[kOffLength] = static_cast<std::uint8_t>(total & 0xFF);
    dest[kOffLength + 1] = static_cast<std::uint8_t>(total >> 8);
    dest[kOffDevType] = dev_type;
    dest[kOffDevAddr] = dev_addr;
    dest[kOffConstant] = kConstant;
    std::memset(dest + kOffReserved, 0, kReservedSize);
    dest[kOffCommand] = command;
    if (payload_len > 0)
        std::memcpy(dest + kOffPayload, payload, payload_len);

    const std::size_t checksum_at = kOffPayload + payload_len;
    std::uint16_t sum = 0;
    for (std::size_t i = 0; i < checksum_at; ++i)
        sum = static_cast<std::uint16_t>(sum + dest[i]);
    dest[checksum_at] = static_cast<std::uint8_t>(sum & 0xFF);
    dest[checksum_at + 1] = static_cast<std::uint8_t>(sum >> 8);
    dest[checksum_at + kChecksumSize] = kTrailer;
    return total;
}

} // namespace kx::frame
