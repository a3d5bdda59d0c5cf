// kx7214-sim: hosts simulated multiviewers on loopback addresses and prints every frame they
// receive and send, until SIGINT or SIGTERM.
#include <CLI/CLI.hpp>
#include <csignal>
#include <cstdio>
#include <optional>
#include <pthread.h>
#include <string>
#include <vector>

#include "platform/socket.h"
#include "platform/text.h"
#include "sim/multiviewer.h"

namespace {

constexpr int kExitUsage = 64;
constexpr std::uint32_t kFirstDeviceIp = 0x7F000002; // 127.0.0.2
constexpr int kMaxDevices = 1000;
constexpr std::uint32_t kInvalidIp = 0xFFFFFFFFu; // what inet_addr gives for bad text

struct Settings {
    int devices = 1;
    std::vector<std::string> ips;
    std::vector<std::string> names;
    std::vector<int> dev_addrs;
    int control_mode = 0;
    std::string firmware;
    int layout = 0;
    unsigned delay_ms = 0;
    int refuse = 0;
};

struct UsageError {
    std::string what;
};

// "a.b.c.d" (the panel shows byte a as a/10 . a%10) or two byte values "A,B".
std::array<std::uint8_t, 2> ParseFirmware(const std::string& text) {
    unsigned a = 0, b = 0, c = 0, d = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &tail) == 4 && b < 10 &&
        d < 10 && a * 10 + b <= 255 && c * 10 + d <= 255)
        return {static_cast<std::uint8_t>(a * 10 + b), static_cast<std::uint8_t>(c * 10 + d)};
    int x = -1, y = -1;
    if (std::sscanf(text.c_str(), "%i,%i%c", &x, &y, &tail) == 2 && x >= 0 && x <= 255 && y >= 0 &&
        y <= 255)
        return {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
    throw UsageError{"--firmware: expected a.b.c.d (b and d 0..9) or two bytes A,B: " + text};
}

std::vector<std::uint32_t> DeviceIps(const Settings& s) {
    std::vector<std::uint32_t> ips;
    for (const std::string& text : s.ips)
        ips.push_back(kx::platform::InetAddr(text.c_str()));
    if (s.ips.empty())
        for (int i = 0; i < s.devices; ++i)
            ips.push_back(kFirstDeviceIp + static_cast<std::uint32_t>(i));
    for (std::size_t i = 0; i < ips.size(); ++i) {
        if (i < s.ips.size() && ips[i] == kInvalidIp)
            throw UsageError{"--ip: not an IPv4 address: " + s.ips[i]};
        if (const std::string problem = kx::sim::DeviceIpProblem(ips[i]); !problem.empty())
            throw UsageError{"--ip: " + problem};
    }
    return ips;
}

std::vector<kx::sim::DeviceOptions> BuildDevices(const Settings& s) {
    const std::vector<std::uint32_t> ips = DeviceIps(s);
    if (s.names.size() > ips.size() || s.dev_addrs.size() > ips.size())
        throw UsageError{"--name/--dev-addr: given more often than there are devices"};
    const auto firmware =
        s.firmware.empty() ? kx::sim::DeviceConfig{}.firmware : ParseFirmware(s.firmware);
    std::vector<kx::sim::DeviceOptions> out;
    for (std::size_t i = 0; i < ips.size(); ++i) {
        kx::sim::DeviceOptions o;
        o.ip = ips[i];
        o.dev_addr = static_cast<std::uint8_t>(i < s.dev_addrs.size() ? s.dev_addrs[i] : i + 1);
        const std::string name =
            i < s.names.size() ? s.names[i] : "KX7214_NO." + std::to_string(i + 1);
        o.config = kx::sim::DeviceConfig::Sample(
            kx::platform::WideToAnsi(kx::platform::Utf8ToUtf16(name)));
        o.config.control_mode = static_cast<std::uint8_t>(s.control_mode);
        o.config.firmware = firmware;
        o.config.At(kx::block::kOutputLayout) = static_cast<std::uint8_t>(s.layout);
        out.push_back(o);
    }
    return out;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    char buf[4];
    for (std::uint8_t b : bytes) {
        std::snprintf(buf, sizeof buf, "%s%02X", out.empty() ? "" : " ", b);
        out += buf;
    }
    return out;
}

void PrintFrame(const kx::sim::SimDevice& device, const kx::sim::FrameRecord& f) {
    const std::string line = kx::platform::InetNtoa(device.Ip()) + (f.sent ? " -> " : " <- ") +
                             kx::platform::InetNtoa(f.peer_ip) + ':' + std::to_string(f.peer_port) +
                             ' ' + Hex(f.bytes) + (f.ignored ? " (ignored)" : "") + '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

void Announce(const kx::sim::SimDevice& d) {
    const std::string name = d.Options().config.Name();
    const std::string text = kx::sim::NameText(name);
    std::fprintf(
        stderr, "kx7214-sim: %s address byte %u name \"%s\" search text \"%s\"%s\n",
        kx::platform::InetNtoa(d.Ip()).c_str(), d.Options().dev_addr, name.c_str(), text.c_str(),
        text.rfind(name, 0) == 0 ? "" : " ('-' followed by '-' two places on becomes '_')");
}

void AddOptions(CLI::App& app, Settings& s) {
    auto* devices = app.add_option("--devices", s.devices, "number of devices, from 127.0.0.2")
                        ->check(CLI::Range(1, kMaxDevices));
    app.add_option("--ip", s.ips,
                   "a device's address (repeatable; 127.0.0.0/8, or 192.0.2.0/24 inside an "
                   "isolated test namespace)")
        ->excludes(devices);
    app.add_option("--name", s.names, "a device's name (repeatable, in device order)");
    app.add_option("--dev-addr", s.dev_addrs, "a device's address byte (repeatable)")
        ->check(CLI::Range(0, 255));
    app.add_option("--control-mode", s.control_mode, "control-mode byte (9: not under PC control)")
        ->check(CLI::Range(0, 255));
    app.add_option("--firmware", s.firmware, "firmware version a.b.c.d, or two bytes A,B");
    app.add_option("--layout", s.layout, "output layout 0..15")->check(CLI::Range(0, 15));
    app.add_option("--delay-ms", s.delay_ms, "answer every request after this many ms");
    app.add_option("--refuse", s.refuse, "acknowledge every set command with this status")
        ->check(CLI::Range(1, 255));
}

int Run(const std::vector<kx::sim::DeviceOptions>& options, const Settings& s) {
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGINT);
    sigaddset(&stop_signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr); // the host's thread inherits this

    kx::sim::DeviceHost host;
    host.on_frame = PrintFrame;
    for (const auto& o : options) {
        auto& d = host.AddDevice(o);
        d.reply_delay_ms = s.delay_ms;
        d.status = static_cast<std::uint8_t>(s.refuse);
        Announce(d);
    }
    if (!host.Start()) {
        std::fprintf(stderr, "kx7214-sim: %s\n", host.Error().c_str());
        return 1;
    }
    int signal = 0;
    sigwait(&stop_signals, &signal);
    host.Stop();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Simulated KX7214 multiviewers on loopback addresses"};
    Settings s;
    AddOptions(app, s);
    std::vector<kx::sim::DeviceOptions> options;
    try {
        app.parse(argc, argv);
        options = BuildDevices(s);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::fprintf(stderr, "kx7214-sim: %s\n", e.what());
        return kExitUsage;
    } catch (const UsageError& e) {
        std::fprintf(stderr, "kx7214-sim: %s\n", e.what.c_str());
        return kExitUsage;
    }
    return Run(options, s);
}
