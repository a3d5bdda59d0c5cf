// Exchange speed against a simulated device, the CPU cost of waiting out a deadline, and a
// search answered by a full table of devices. Runs in its own private network namespace.
#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <thread>

#include "bench/bench_main.h"
#include "link/session.h"
#include "platform/socket.h"
#include "sim/multiviewer.h"

namespace {

using namespace kx;

void Target(CKX7214Session& s, const char* ip) {
    device_entry& e = s.m_device_list[0];
    std::memset(e.ip_text, 0, sizeof e.ip_text);
    std::memcpy(e.ip_text, ip, std::strlen(ip));
    e.dev_type = 0xA3;
    e.dev_addr = 1;
    s.m_device_index = 0;
    s.m_device_count = 1;
}

sim::DeviceOptions Device(int last_octet) {
    sim::DeviceOptions o;
    o.ip = 0x7F000000u | static_cast<std::uint32_t>(last_octet);
    o.search_text = sim::NameText("Bench");
    return o;
}

// A published session and `count` simulated devices at 127.0.0.2 and up; the session aims at
// the first one.
struct Rig {
    explicit Rig(int count) {
        for (int i = 0; i < count; ++i)
            host.AddDevice(Device(2 + i));
        session.Publish();
        Target(session, "127.0.0.2");
    }
    // False (and the benchmark skipped) when the devices cannot be bound.
    bool Start(benchmark::State& state) {
        if (host.Start())
            return true;
        state.SkipWithError(host.Error().c_str());
        return false;
    }
    sim::DeviceHost host;
    HeadlessView view;
    CKX7214Session session{view};
};

// One-value exchange, the whole discipline: open, bind, send, wait, log, close.
void BM_OneValueExchange(benchmark::State& state) {
    Rig rig(1);
    if (!rig.Start(state))
        return;
    for (auto _ : state)
        if (rig.session.SendValue(CMD_SET_OUTPUT_LAYOUT, 3) != Outcome::Accepted)
            state.SkipWithError("no acknowledgement");
}
BENCHMARK(BM_OneValueExchange)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();

// The floor: a datagram there and back between two plain sockets that stay open.
void BM_BareUdpRoundTrip(benchmark::State& state) {
    using namespace platform;
    SocketHandle a = OpenUdpSocket(0);
    SocketHandle b = OpenUdpSocket(0);
    Bind(a, {0x7F000001, 7100});
    Bind(b, {0x7F000002, 7101});
    std::uint8_t buf[64] = {1, 2, 3};
    std::thread echo([&] {
        std::uint8_t in[64];
        Endpoint from{};
        for (;;) {
            int n = RecvFrom(b, in, sizeof in, &from);
            if (n <= 0 || in[0] == 0xEE)
                return;
            SendTo(b, in, static_cast<std::size_t>(n), from);
        }
    });
    for (auto _ : state) {
        SendTo(a, buf, 21, {0x7F000002, 7101});
        RecvFrom(a, buf, sizeof buf, nullptr);
    }
    std::uint8_t stop = 0xEE;
    SendTo(a, &stop, 1, {0x7F000002, 7101});
    echo.join();
    CloseSocket(a);
    CloseSocket(b);
}
BENCHMARK(BM_BareUdpRoundTrip)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();

// A silent device: the exchange waits 500 ms; the figure that matters is the CPU time.
void BM_TimedOutExchangeCpu(benchmark::State& state) {
    Rig rig(1);
    rig.host.Devices()[0]->silent = true;
    if (!rig.Start(state))
        return;
    for (auto _ : state) {
        std::clock_t c0 = std::clock();
        rig.session.SendLineValue(CMD_SET_UMD_ENABLE, 0, 1);
        state.counters["cpu_ms"] = 1000.0 * static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
    }
}
BENCHMARK(BM_TimedOutExchangeCpu)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// 128 devices answer one search at once.
void BM_SearchWith128Devices(benchmark::State& state) {
    Rig rig(128);
    if (!rig.Start(state))
        return;
    for (auto _ : state) {
        rig.session.ScanDevices();
        state.counters["listed"] = static_cast<double>(rig.view.list_items.size());
    }
}
BENCHMARK(BM_SearchWith128Devices)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (!kx::bench::EnterPrivateBench(argc, argv))
        return 1;
    return kx::bench::RunBenchmarks(argc, argv);
}
