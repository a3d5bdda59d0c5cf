#pragma once
// A simulated multiviewer holding the sample configuration under a given name, as the fleet,
// tool and service tests start them.
#include <cstdint>
#include <string>

#include "sim/multiviewer.h"

namespace kx::test {

inline sim::DeviceOptions SampleDevice(std::uint32_t ip, const std::string& name,
                                       std::uint8_t addr = 1) {
    sim::DeviceOptions o;
    o.ip = ip;
    o.dev_addr = addr;
    o.config = sim::DeviceConfig::Sample(name);
    return o;
}

} // namespace kx::test
