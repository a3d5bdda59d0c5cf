#pragma once
// kx7214d as it runs: the fleet engine in front of simulated multiviewers, the HTTP interface
// on a loopback port and the TSL listener on ports of its own, all in the private network.
#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <thread>

#include "platform/socket.h"
#include "service/fleet_port.h"
#include "service/service.h"
#include "sim/multiviewer.h"
#include "tests/support/private_network.h"
#include "tests/support/sample_device.h"

namespace kx::service::test {

constexpr std::uint32_t Ip(int last) {
    return 0x7F000000u | static_cast<std::uint32_t>(last);
}

// UMD line i of the configuration block: back colour at 27 + 40 i + 3.
inline std::uint8_t BackColour(const sim::SimDevice& d, int line) {
    return d.Config().block[static_cast<std::size_t>(27 + 40 * line + 3)];
}

class ServiceTest : public ::testing::Test {
protected:
    using Clock = std::chrono::steady_clock;

    void SetUp() override { KX_REQUIRE_PRIVATE_NETWORK(); }

    sim::SimDevice& AddDevice(int last, const std::string& name, std::uint8_t addr = 1) {
        return host.AddDevice(kx::test::SampleDevice(Ip(last), name, addr));
    }

    void Start(const std::string& map_json = R"({"displays": []})", bool tsl = false) {
        // Every UMD text the devices receive, with its time, for the coalescing tests.
        host.on_frame = [this](const sim::SimDevice& d, const sim::FrameRecord& f) {
            if (f.sent || f.ignored || f.bytes.size() < 18 || f.bytes[16] != 0x99)
                return;
            std::lock_guard lock(m_mutex);
            m_texts.push_back({d.Options().ip, Clock::now()});
            m_changed.notify_all();
        };
        ASSERT_TRUE(host.Start()) << host.Error();
        ServiceOptions o;
        o.http.listen = {0x7F000001, 0};
        if (tsl)
            o.tsl = {std::uint16_t{0}, std::uint16_t{0}};
        std::string error;
        auto map = ParseDisplayMap(map_json, error);
        ASSERT_TRUE(map) << error;
        o.map = std::move(*map);
        service = std::make_unique<Service>(port, std::move(o));
        ASSERT_TRUE(service->Start(error)) << error;
        client = std::make_unique<httplib::Client>("127.0.0.1", service->HttpPort());
        client->set_read_timeout(10, 0);
    }

    void TearDown() override {
        service.reset();
        host.Stop();
    }

    // Waits, up to a deadline far beyond what the test needs, for what the devices show.
    template <class Pred>
    bool Eventually(Pred pred, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
        const auto end = Clock::now() + limit;
        while (!pred()) {
            if (Clock::now() > end)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }

    void SendUdp(const std::vector<std::uint8_t>& datagram) {
        const auto s = platform::OpenUdpSocket(0);
        platform::SendTo(s, datagram.data(), datagram.size(), {0x7F000001, service->TslUdpPort()});
        platform::CloseSocket(s);
    }

    static nlohmann::json Json(const httplib::Result& r) {
        return r ? nlohmann::json::parse(r->body, nullptr, false) : nlohmann::json();
    }

    struct TextFrame {
        std::uint32_t ip;
        Clock::time_point at;
    };
    std::vector<TextFrame> Texts() {
        std::lock_guard lock(m_mutex);
        return m_texts;
    }

    sim::DeviceHost host;
    FleetPort port;
    std::unique_ptr<Service> service;
    std::unique_ptr<httplib::Client> client;

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<TextFrame> m_texts;
};

} // namespace kx::service::test
