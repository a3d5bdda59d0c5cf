#pragma once
// One UDP datagram on the TSL port, in either version.
#include <cstdint>
#include <span>
#include <vector>

#include "service/tsl_message.h"

namespace kx::service {

// A datagram that is exactly one version 5.00 packet is read as v5.0; otherwise one made of
// whole v3.1 messages is read as v3.1; anything else is read as v5.0 as far as it holds
// together. A v3.1 message starts with a byte of 0x80 or more, which as the low byte of a v5.0
// byte count would have to match the datagram's length and be followed by version 0: the
// order decides the rare datagram that could be both.
std::vector<TslUpdate> ParseTslDatagram(std::span<const std::uint8_t> datagram);

} // namespace kx::service
