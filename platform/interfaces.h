#pragma once
// The IPv4 networks this machine is attached to, as far as the search for devices needs them.
#include <cstdint>
#include <vector>

namespace kx::platform {

// The directed broadcast address (host byte order) of every IPv4 interface that is up, has a
// broadcast address and is not loopback, each address once, in the order the system lists
// them. The limited broadcast 255.255.255.255 leaves through one interface only, so a PC with a
// second network card reaches the devices behind it only through these.
std::vector<std::uint32_t> DirectedBroadcastAddresses();

} // namespace kx::platform
