// TSL datagrams come from any switcher or router on the network, well formed or not.
#include <cstdint>
#include <vector>

#include "service/tsl_datagram.h"
#include "service/tsl_v31.h"
#include "service/tsl_v50.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    std::size_t units = 0;
    for (const auto& u : kx::service::ParseTslDatagram(bytes))
        units += u.text ? u.text->size() : 0;
    // Both readers on every input, whatever the version detection decides.
    std::vector<kx::service::TslUpdate> out;
    kx::service::tsl31::Parse(bytes, out);
    kx::service::tsl50::Parse(bytes, out);
    for (const auto& u : out)
        units += u.text ? u.text->size() : 0;
    // No reading gives more label units than the datagram has bytes, and it was read three
    // times.
    if (units > 3 * size)
        __builtin_trap();
    return 0;
}

extern "C" void KxFuzzSeeds(std::vector<std::vector<std::uint8_t>>* seeds) {
    std::vector<std::uint8_t> v31 = {0x83, 0x01};
    for (const char c : std::string("CAM 1           "))
        v31.push_back(static_cast<std::uint8_t>(c));
    seeds->push_back(v31);
    seeds->push_back({0x0E, 0x00, 0x00, 0x00, 0x01, 0x00, 0x05, 0x00, 0x04, 0x00, 0x04, 0x00, 'C',
                      'A', 'M', '2'});
    seeds->push_back({0x16, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x04,
                      0x00, 0xE9, 0x00, 0xAC, 0x20, 0x01, 0x00, 0x3F, 0x80, 0x00, 0x00});
}
