// kx7214d's speed against simulated multiviewers: from a TSL datagram to the device's
// acknowledgement under a steady label load, and an HTTP request to its acknowledgement against
// the bare exchange of the same command. Runs in its own private network namespace.
#include <benchmark/benchmark.h>
#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

#include "link/fleet_engine.h"
#include "platform/socket.h"
#include "service/fleet_port.h"
#include "service/service.h"
#include "sim/multiviewer.h"

namespace {

using namespace kx;
using Clock = std::chrono::steady_clock;

constexpr int kDevices = 16;
constexpr int kChangesPerSecond = 100;
constexpr int kChanges = 600; // six seconds of load
constexpr std::uint8_t kSetUmdText = 0x99;

std::uint32_t DeviceIp(int i) {
    return 0x7F000002u + static_cast<std::uint32_t>(i);
}

// Display index d (0 .. 63) is line d % 4 of device d / 4.
std::string Map() {
    std::string displays;
    for (int d = 0; d < kDevices * 4; ++d)
        displays += std::string(d ? "," : "") + R"({"tsl": {"index": )" + std::to_string(d) +
                    R"(}, "device": ")" + platform::InetNtoa(DeviceIp(d / 4)) + R"(", "line": )" +
                    std::to_string(d % 4) + "}";
    return R"({"displays": [)" + displays + "]}";
}

std::vector<std::uint8_t> Packet(int index, const std::string& text) {
    const auto n = static_cast<std::uint8_t>(text.size());
    std::vector<std::uint8_t> p = {static_cast<std::uint8_t>(10 + n), 0, 0, 0, 0, 0,
                                   static_cast<std::uint8_t>(index),  0, 0, 0, n, 0};
    p.insert(p.end(), text.begin(), text.end());
    return p;
}

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0
                     : v[std::min(v.size() - 1,
                                  static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

struct Rig {
    Rig() {
        for (int i = 0; i < kDevices; ++i) {
            sim::DeviceOptions o;
            o.ip = DeviceIp(i);
            o.dev_addr = 1;
            o.config = sim::DeviceConfig::Sample("Bench");
            host.AddDevice(o);
        }
    }
    bool Start(benchmark::State& state, bool tsl) {
        if (!host.Start()) {
            state.SkipWithError(host.Error().c_str());
            return false;
        }
        service::ServiceOptions o;
        o.http.listen = {0x7F000001, 0};
        if (tsl)
            o.tsl.udp = 0;
        std::string error;
        o.map = *service::ParseDisplayMap(Map(), error);
        svc = std::make_unique<service::Service>(port, std::move(o));
        if (!svc->Start(error)) {
            state.SkipWithError(error.c_str());
            return false;
        }
        return true;
    }
    sim::DeviceHost host;
    service::FleetPort port;
    std::unique_ptr<service::Service> svc;
};

// 100 label changes a second, spread over the 64 lines of 16 devices, each a datagram of its
// own; the time from sending it to the device's acknowledgement of the UMD text.
void BM_TslToAcknowledgement(benchmark::State& state) {
    Rig rig;
    std::mutex mutex;
    std::map<std::uint32_t, std::deque<Clock::time_point>> sent; // per device, in order
    std::vector<double> ms;
    rig.host.on_frame = [&](const sim::SimDevice& d, const sim::FrameRecord& f) {
        if (!f.sent || f.bytes.size() < 18 || f.bytes[16] != kSetUmdText)
            return;
        std::lock_guard lock(mutex);
        auto& queue = sent[d.Options().ip];
        if (queue.empty())
            return;
        ms.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - queue.front()).count());
        queue.pop_front();
    };
    if (!rig.Start(state, true))
        return;
    const auto sock = platform::OpenUdpSocket(0);
    const platform::Endpoint to{0x7F000001, rig.svc->TslUdpPort()};
    for (auto _ : state) {
        const auto start = Clock::now();
        for (int i = 0; i < kChanges; ++i) {
            std::this_thread::sleep_until(start +
                                          std::chrono::milliseconds(1000 * i) / kChangesPerSecond);
            // Each line changes every 640 ms, so no change is folded into another.
            const int display = (i % kDevices) * 4 + (i / kDevices) % 4;
            const auto p = Packet(display, "L" + std::to_string(i));
            {
                std::lock_guard lock(mutex);
                sent[DeviceIp(display / 4)].push_back(Clock::now());
            }
            platform::SendTo(sock, p.data(), p.size(), to);
        }
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    platform::CloseSocket(sock);
    std::lock_guard lock(mutex);
    state.counters["p50_ms"] = Percentile(ms, 0.50);
    state.counters["p99_ms"] = Percentile(ms, 0.99);
    state.counters["acknowledged"] = static_cast<double>(ms.size());
}
BENCHMARK(BM_TslToAcknowledgement)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

constexpr int kRequests = 300;

// One PUT of the output layout over a kept-alive connection, to the device's acknowledgement.
void BM_HttpSetToAcknowledgement(benchmark::State& state) {
    Rig rig;
    if (!rig.Start(state, false))
        return;
    httplib::Client client("127.0.0.1", rig.svc->HttpPort());
    client.set_keep_alive(true);
    // As curl and Node's HTTP client do: the body is not held back behind the headers.
    client.set_tcp_nodelay(true);
    std::vector<double> ms;
    for (auto _ : state) {
        for (int i = 0; i < kRequests; ++i) {
            const auto t0 = Clock::now();
            const auto r =
                client.Put("/api/v1/devices/127.0.0.2/settings/output_layout",
                           "{\"value\": " + std::to_string(i % 16) + "}", "application/json");
            ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
            if (!r || r->body.find("accepted") == std::string::npos) {
                state.SkipWithError("a request was not accepted");
                return;
            }
        }
    }
    state.counters["p50_ms"] = Percentile(ms, 0.50);
    state.counters["p99_ms"] = Percentile(ms, 0.99);
}
BENCHMARK(BM_HttpSetToAcknowledgement)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same command as a bare exchange through the fleet engine, no HTTP in front.
void BM_BareExchangeSameCommand(benchmark::State& state) {
    Rig rig;
    if (!rig.host.Start()) {
        state.SkipWithError(rig.host.Error().c_str());
        return;
    }
    FleetEngine engine;
    const FleetDevice device{DeviceIp(0), 1, 0xA3};
    std::vector<double> ms;
    for (auto _ : state) {
        for (int i = 0; i < kRequests; ++i) {
            const auto t0 = Clock::now();
            const FleetResult r =
                engine.Submit(ValueJob(device, 0x94, static_cast<std::uint8_t>(i % 16))).get();
            ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
            if (r.outcome != FleetOutcome::Accepted) {
                state.SkipWithError("an exchange was not accepted");
                return;
            }
        }
    }
    state.counters["p50_ms"] = Percentile(ms, 0.50);
    state.counters["p99_ms"] = Percentile(ms, 0.99);
}
BENCHMARK(BM_BareExchangeSameCommand)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
