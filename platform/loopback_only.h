#pragma once
// Whether this process can reach any network but loopback. The search is a broadcast to
// 255.255.255.255:7000; demos and tests that answer it with simulated devices may only run where
// it cannot leave the machine, as inside a private network namespace.
#include <string>

namespace kx::platform {

// The name of a network interface that is not a loopback one, or empty when loopback is all
// there is. When the interfaces cannot be listed, a text that says so: a network that cannot be
// seen is not known to be private.
std::string NonLoopbackInterface();

} // namespace kx::platform
