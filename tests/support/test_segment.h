#pragma once
// A second network segment for tests of discovery across network cards, built inside the
// test program's own private namespace (never the host's): a veth pair v0/v1, both ends up,
// v0 carrying 192.0.2.1/24 with its broadcast 192.0.2.255 (the PC's side) and one more
// address of 192.0.2.0/24 for each simulated device. A request sent from a socket bound to
// 0.0.0.0:7000 to a device address leaves with source 192.0.2.1; the segment's broadcast
// reaches a socket bound to 192.0.2.255:7000, while the limited broadcast does not.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace kx::test {

class TestSegment {
public:
    // Builds the segment with the given device addresses (each in 192.0.2.2..254).
    explicit TestSegment(const std::vector<std::uint32_t>& device_ips);
    ~TestSegment(); // removes the pair again
    TestSegment(const TestSegment&) = delete;
    TestSegment& operator=(const TestSegment&) = delete;

    bool Ready() const { return m_problem.empty(); }
    // Why the segment could not be built; empty when it is ready.
    const std::string& Problem() const { return m_problem; }

    // Runs `ip ARGS...` in this namespace and waits for it; true when it succeeded.
    static bool RunIp(const std::vector<std::string>& args);

private:
    bool Ip(const std::vector<std::string>& args);

    std::string m_problem;
};

// 192.0.2.last as a host-order address.
inline std::uint32_t SegmentIp(int last) {
    return 0xC0000200u | static_cast<std::uint32_t>(last);
}

} // namespace kx::test

// Tests that need the segment start with this after building it: they skip with the reason
// where it cannot be built (and fail instead when CI is set).
#define KX_REQUIRE_TEST_SEGMENT(segment)                                                           \
    do {                                                                                           \
        if (!(segment).Ready()) {                                                                  \
            if (std::getenv("CI") != nullptr)                                                      \
                FAIL() << "no test segment: " << (segment).Problem();                              \
            GTEST_SKIP() << "no test segment: " << (segment).Problem();                            \
        }                                                                                          \
    } while (0)
