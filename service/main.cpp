// kx7214d: drives KX7214 multiviewers from automation, over HTTP/JSON and TSL UMD.
#include <atomic>
#include <chrono>
#include <csignal>
#include <iostream>
#include <thread>

#include "platform/log.h"
#include "platform/socket.h"
#include "service/dotted_quad.h"
#include "service/fleet_port.h"
#include "service/options.h"
#include "service/service.h"
#include "service/token.h"

namespace {

using namespace kx::service;

std::atomic<bool> g_stop{false};

extern "C" void OnSignal(int) {
    g_stop = true;
}

// Standard error carries one line per request and per label send; the search's and the
// exchanges' own diagnostic lines only when asked for.
void LogTo(bool verbose) {
    kx::platform::SetLogSink([verbose](std::string_view line) {
        if (verbose || line.starts_with("http ") || line.starts_with("tsl ") ||
            line.starts_with("kx7214d: "))
            kx::platform::LogToStderr(line);
    });
}

bool Prepare(const CommandLine& cl, ServiceOptions& o, int& status) {
    std::string error;
    o.http.listen = cl.listen;
    o.tsl = cl.tsl;
    if (cl.token_file && !(o.http.token = LoadToken(*cl.token_file, error))) {
        std::cerr << "kx7214d: " << error << "\n";
        status = kExitNoInput;
        return false;
    }
    if (cl.map_file) {
        auto map = LoadDisplayMap(*cl.map_file, error);
        if (!map) {
            std::cerr << "kx7214d: --map " << error << "\n";
            status = kExitNoInput;
            return false;
        }
        o.map = std::move(*map);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int status = 0;
    const auto cl = ParseCommandLine(argc, argv, std::cout, std::cerr, status);
    ServiceOptions options;
    if (!cl || !Prepare(*cl, options, status))
        return status;
    LogTo(cl->verbose);
    kx::platform::SocketStartup();
    FleetPort port;
    Service service(port, std::move(options));
    std::string error;
    if (!service.Start(error)) {
        std::cerr << "kx7214d: " << error << "\n";
        return kExitUnavailable;
    }
    kx::platform::Log("kx7214d: listening on http://%s:%u/api/v1/\n",
                      DottedQuad(cl->listen.ip).c_str(), unsigned{service.HttpPort()});
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    // The signal handler may only set the flag; this thread looks at it.
    while (!g_stop)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    kx::platform::Log("kx7214d: stopping\n");
    return 0;
}
