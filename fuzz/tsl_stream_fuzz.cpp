// A TSL stream over TCP: packets wrapped in DLE STX with 0xFE doubled, cut into reads anywhere.
#include <cstdint>
#include <vector>

#include "service/tsl_stream.h"
#include "service/tsl_v50.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte decides how the rest is cut into reads.
    const std::size_t piece = 1 + data[0] % 32;
    kx::service::TslStreamUnwrapper unwrapper;
    std::vector<kx::service::TslUpdate> updates;
    for (std::size_t at = 1; at < size; at += piece) {
        const std::size_t n = std::min(piece, size - at);
        unwrapper.Feed({data + at, n}, [&](std::span<const std::uint8_t> packet) {
            if (packet.size() > kx::service::tsl50::kMaxPacket ||
                kx::service::tsl50::PacketLength(packet) != packet.size())
                __builtin_trap();
            kx::service::tsl50::Parse(packet, updates);
        });
    }
    return 0;
}

extern "C" void KxFuzzSeeds(std::vector<std::vector<std::uint8_t>>* seeds) {
    seeds->push_back({0x03, 0xFE, 0x02, 0x0B, 0x00, 0x00, 0x00, 0xFE, 0xFE, 0x00,
                      0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0xFE, 0xFE, 0xFE, 0x02,
                      0x06, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});
}
