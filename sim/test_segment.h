#pragma once
// The second network segment that tests build inside their own private network namespace: a
// veth pair whose one end carries 192.0.2.0/24 (TEST-NET-1, which no real network uses). The
// PC's address there is 192.0.2.1; simulated devices take further addresses of the segment.
#include <cstdint>
#include <string>

namespace kx::sim {

inline constexpr std::uint32_t kSegmentNet = 0xC0000200;       // 192.0.2.0
inline constexpr std::uint32_t kSegmentMask = 0xFFFFFF00;      // /24
inline constexpr std::uint32_t kSegmentPcIp = 0xC0000201;      // 192.0.2.1
inline constexpr std::uint32_t kSegmentBroadcast = 0xC00002FF; // 192.0.2.255

inline bool OnTestSegment(std::uint32_t ip) {
    return (ip & kSegmentMask) == kSegmentNet;
}

// True when nothing sent here can leave this namespace: every interface that is up is loopback
// or one end of a veth pair whose other end is up here as well. A container's own network card
// is often a veth too, but its other end lives in the host's namespace, so it does not count.
bool TestSegmentIsolated();

// Empty when a simulated device may use this address of the test segment, else why not.
std::string TestSegmentAddressProblem(std::uint32_t ip);

} // namespace kx::sim
