#pragma once
// The IPv4 networks this machine is attached to, as far as the search for devices needs them.
#include <cstdint>
#include <string>
#include <vector>

namespace kx::platform {

// The directed broadcast address (host byte order) of every IPv4 interface that is up, has a
// broadcast address and is not loopback, each address once, in the order the system lists
// them. The limited broadcast 255.255.255.255 leaves through one interface only, so a PC with a
// second network card reaches the devices behind it only through these.
std::vector<std::uint32_t> DirectedBroadcastAddresses();

// The name of a network interface that is not a loopback one, or empty when loopback is all
// there is. When the interfaces cannot be listed, a text that says so: a network that cannot be
// seen is not known to be private. Demos and tests that answer the search with simulated devices
// may only run where the broadcast cannot leave the machine.
std::string NonLoopbackInterface();

} // namespace kx::platform
