#pragma once
// A session talking to simulated multiviewers on loopback addresses, for link tests.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "link/session.h"
#include "sim/multiviewer.h"
#include "tests/support/private_network.h"

namespace kx {

// Found by the test framework next to Outcome, so failures name the outcome.
inline void PrintTo(Outcome outcome, std::ostream* os) {
    *os << (outcome == Outcome::Accepted  ? "Accepted"
            : outcome == Outcome::Refused ? "Refused"
                                          : "TimedOut");
}

} // namespace kx

namespace kx::test {

inline std::uint32_t Loopback(int last) {
    return 0x7F000000u | static_cast<std::uint32_t>(last);
}

class SimSession : public ::testing::Test {
protected:
    void SetUp() override {
        KX_REQUIRE_PRIVATE_NETWORK();
        session.Publish();
    }

    sim::SimDevice& AddDevice(int last_octet, const std::string& name, std::uint8_t addr = 1) {
        return AddDeviceAt(Loopback(last_octet), name, addr);
    }

    sim::SimDevice& AddDeviceAt(std::uint32_t ip, const std::string& name, std::uint8_t addr = 1,
                                std::optional<bool> hears_limited_broadcast = std::nullopt) {
        sim::DeviceOptions o;
        o.hears_limited_broadcast = hears_limited_broadcast;
        o.ip = ip;
        o.search_text = sim::NameText(name);
        o.dev_addr = addr;
        return host.AddDevice(o);
    }

    void StartHost() { ASSERT_TRUE(host.Start()) << host.Error(); }

    // Selects a device directly, as a search that found it would.
    void Target(const char* ip, std::uint8_t addr = 1) {
        device_entry& e = session.m_device_list[0];
        std::memset(e.ip_text, 0, sizeof e.ip_text);
        std::memcpy(e.ip_text, ip, std::strlen(ip));
        e.dev_type = 0xA3;
        e.dev_addr = addr;
        session.m_device_index = 0;
        session.m_device_count = 1;
    }

    HeadlessView view;
    CKX7214Session session{view};
    sim::DeviceHost host;
};

} // namespace kx::test
