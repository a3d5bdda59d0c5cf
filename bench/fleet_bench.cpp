// kx7214ctl over 128 simulated multiviewers: apply --defaults with 16 silent devices against
// the same work done one device after another, read of 128 answering devices (wall and CPU
// time of the tool alone), and a soak of 100,000 exchanges watching descriptors and memory.
// The devices run in a child process, so the tool's CPU time and memory are its own.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "bench/bench_main.h"
#include "cli/run.h"
#include "link/fleet_engine.h"
#include "link/session.h"
#include "platform/clock.h"
#include "sim/multiviewer.h"

namespace {

using namespace kx;

constexpr int kAnswering = 128; // 127.0.0.2 .. 127.0.0.129
constexpr int kSilent = 16;     // 127.0.0.130 .. 127.0.0.145

std::uint32_t DeviceIp(int i) {
    return 0x7F000002u + static_cast<std::uint32_t>(i);
}

std::string DeviceText(int i) {
    return "127.0.0." + std::to_string(2 + i);
}

// Starts the simulated devices in a child process; false when they cannot be bound.
class DeviceProcess {
public:
    bool Start() {
        int ready[2], stop[2];
        if (pipe(ready) != 0 || pipe(stop) != 0)
            return false;
        m_child = fork();
        if (m_child == 0) {
            close(ready[0]);
            close(stop[1]);
            RunDevices(ready[1], stop[0]);
            _exit(0);
        }
        close(ready[1]);
        close(stop[0]);
        m_stop = stop[1];
        char ok = 0;
        const bool started = read(ready[0], &ok, 1) == 1 && ok == 1;
        close(ready[0]);
        return started;
    }
    ~DeviceProcess() {
        if (m_child <= 0)
            return;
        close(m_stop);
        waitpid(m_child, nullptr, 0);
    }

private:
    static void RunDevices(int ready, int stop) {
        sim::DeviceHost host;
        for (int i = 0; i < kAnswering + kSilent; ++i) {
            sim::DeviceOptions o;
            o.ip = DeviceIp(i);
            o.config = sim::DeviceConfig::Sample("Bench" + std::to_string(i));
            host.AddDevice(o).silent = i >= kAnswering;
        }
        const char ok = host.Start() ? 1 : 0;
        (void)!write(ready, &ok, 1);
        char byte;
        (void)!read(stop, &byte, 1); // returns when the parent closes its end
        host.Stop();
    }

    pid_t m_child = -1;
    int m_stop = -1;
};

double CpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0;
    };
    return ms(u.ru_utime) + ms(u.ru_stime);
}

int RunTool(std::vector<std::string> args) {
    args.insert(args.begin(), "kx7214ctl");
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    std::ostream discard(nullptr);
    return cli::Run(static_cast<int>(argv.size()), argv.data(), discard, discard);
}

// --device for each of the given devices, all with address byte 1 (no search).
std::vector<std::string> Devices(const std::vector<int>& which) {
    std::vector<std::string> args{"--dev-addr", "1"};
    for (int i : which)
        args.insert(args.end(), {"--device", DeviceText(i)});
    return args;
}

std::vector<int> Range(int from, int count) {
    std::vector<int> out;
    for (int i = 0; i < count; ++i)
        out.push_back(from + i);
    return out;
}

// 112 answering and 16 silent devices.
std::vector<int> ApplyFleet() {
    std::vector<int> which = Range(0, kAnswering - kSilent);
    for (int i : Range(kAnswering, kSilent))
        which.push_back(i);
    return which;
}

void BM_ApplyDefaults128With16Silent(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<std::string> args = Devices(ApplyFleet());
        args.insert(args.end(), {"apply", "--defaults"});
        const std::uint32_t t0 = platform::TickCount();
        const int status = RunTool(args);
        state.counters["wall_ms"] = platform::ElapsedSince(t0);
        state.counters["exit_status"] = status;
    }
    state.counters["target_ms"] = 1.5 * (1000 + 500);
}
BENCHMARK(BM_ApplyDefaults128With16Silent)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// What the same fleet costs one device after another, as one run per device did before.
void BM_ApplyDefaultsOneByOne(benchmark::State& state) {
    for (auto _ : state) {
        const std::uint32_t t0 = platform::TickCount();
        for (int i : ApplyFleet()) {
            HeadlessView view;
            CKX7214Session session(view);
            session.Publish();
            device_entry& e = session.m_device_list[0];
            const std::string ip = DeviceText(i);
            std::memset(e.ip_text, 0, sizeof e.ip_text);
            std::memcpy(e.ip_text, ip.data(), ip.size());
            e.dev_type = 0xA3;
            e.dev_addr = 1;
            session.m_device_index = 0;
            session.m_device_count = 1;
            if (session.ReadAllConfig() == Outcome::Accepted) {
                session.LoadDefaults();
                session.ApplyAllSettings();
            }
        }
        state.counters["wall_ms"] = platform::ElapsedSince(t0);
    }
}
BENCHMARK(BM_ApplyDefaultsOneByOne)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Read128(benchmark::State& state) {
    double worst_wall = 0, worst_cpu = 0;
    for (auto _ : state) {
        std::vector<std::string> args = Devices(Range(0, kAnswering));
        args.push_back("read");
        const double c0 = CpuMs();
        const std::uint32_t t0 = platform::TickCount();
        if (RunTool(args) != 0)
            state.SkipWithError("not every device answered");
        worst_wall = std::max(worst_wall, double(platform::ElapsedSince(t0)));
        worst_cpu = std::max(worst_cpu, CpuMs() - c0);
    }
    state.counters["worst_wall_ms"] = worst_wall;
    state.counters["worst_cpu_ms"] = worst_cpu;
}
BENCHMARK(BM_Read128)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();

int OpenDescriptors() {
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

long ResidentKb() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE) / 1024;
}

// 100 batches of 1,000 exchanges over the 128 devices; the socket opens and closes with each
// batch, and every 10 batches a new engine starts. Descriptors and resident memory are taken
// each time an engine has gone (every 10,000 exchanges): as the process holds it, and once the
// allocator has handed its free pages back (malloc_trim), which is what the engine keeps alive.
void BM_Soak100kExchanges(benchmark::State& state) {
    constexpr int kBlocks = 10, kBatchesPerBlock = 10, kBatch = 1000;
    for (auto _ : state) {
        int accepted = 0;
        std::vector<int> fds;
        std::vector<long> rss, live;
        for (int block = 0; block < kBlocks; ++block) {
            {
                FleetEngine engine;
                for (int b = 0; b < kBatchesPerBlock; ++b) {
                    std::vector<FleetJob> jobs;
                    for (int j = 0; j < kBatch; ++j)
                        jobs.push_back(LineValueJob(
                            {DeviceIp(j % kAnswering), 1}, CMD_SET_UMD_TEXT_COLOR,
                            static_cast<std::uint8_t>(j % 4), static_cast<std::uint8_t>(b % 16)));
                    for (const FleetResult& r : engine.RunBatch(std::move(jobs)))
                        accepted += r.outcome == FleetOutcome::Accepted;
                }
            }
            fds.push_back(OpenDescriptors());
            rss.push_back(ResidentKb());
            malloc_trim(0);
            live.push_back(ResidentKb());
        }
        state.counters["exchanges"] = kBlocks * kBatchesPerBlock * kBatch;
        state.counters["accepted"] = accepted;
        // The first two engines settle the allocator's pools; from there on nothing may grow.
        state.counters["fds_20k"] = fds[1];
        state.counters["fds_end"] = fds.back();
        state.counters["rss_20k_kb"] = static_cast<double>(rss[1]);
        state.counters["rss_end_kb"] = static_cast<double>(rss.back());
        state.counters["trimmed_20k_kb"] = static_cast<double>(live[1]);
        state.counters["trimmed_end_kb"] = static_cast<double>(live.back());
    }
}
BENCHMARK(BM_Soak100kExchanges)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (!kx::bench::EnterPrivateBench(argc, argv))
        return 1;
    DeviceProcess devices;
    if (!devices.Start()) {
        std::fprintf(stderr, "the simulated devices could not be started\n");
        return 1;
    }
    return kx::bench::RunBenchmarks(argc, argv);
}
