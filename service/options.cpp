#include "service/options.h"

#include <CLI/CLI.hpp>

#include "link/frame.h"
#include "service/dotted_quad.h"

namespace kx::service {
namespace {

constexpr std::uint32_t kLoopbackNet = 0x7F000000;
constexpr std::uint32_t kLoopbackMask = 0xFF000000;

struct UsageError {
    std::string message;
};

std::uint16_t Port(const std::string& text, const std::string& what) {
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != text.npos ||
        std::stoul(text) == 0 || std::stoul(text) > 65535)
        throw UsageError{what + ": the port must be 1 to 65535, not '" + text + "'"};
    return static_cast<std::uint16_t>(std::stoul(text));
}

platform::Endpoint ParseListen(const std::string& text) {
    const std::size_t colon = text.rfind(':');
    const auto ip = ParseDottedQuad(text.substr(0, colon == text.npos ? 0 : colon));
    if (colon == text.npos || !ip)
        throw UsageError{"--listen: expected ADDR:PORT with an IPv4 address, e.g. 127.0.0.1:8723, "
                         "not '" +
                         text + "'"};
    return {*ip, Port(text.substr(colon + 1), "--listen")};
}

void ParseTsl(const std::string& text, TslPorts& ports) {
    const bool udp = text.starts_with("udp:");
    if (!udp && !text.starts_with("tcp:"))
        throw UsageError{"--tsl: expected udp:PORT or tcp:PORT, not '" + text + "'"};
    const std::uint16_t port = Port(text.substr(4), "--tsl");
    // The devices answer on this port; a TSL listener there would take their replies.
    if (udp && port == frame::kPort)
        throw UsageError{"--tsl: UDP port 7000 is the multiviewers' own port"};
    std::optional<std::uint16_t>& slot = udp ? ports.udp : ports.tcp;
    if (slot)
        throw UsageError{"--tsl: " + text.substr(0, 3) + " is given twice"};
    slot = port;
}

void Check(const CommandLine& cl) {
    if ((cl.listen.ip & kLoopbackMask) != kLoopbackNet && !cl.token_file)
        throw UsageError{"--listen beyond loopback needs --token-file: anyone on the network "
                         "could otherwise drive the devices"};
    const bool tsl = cl.tsl.udp || cl.tsl.tcp;
    if (tsl != cl.map_file.has_value())
        throw UsageError{tsl ? "--tsl needs --map FILE: which displays drive which labels"
                             : "--map is only used with --tsl"};
}

} // namespace

std::optional<CommandLine> ParseCommandLine(int argc, char** argv, std::ostream& out,
                                            std::ostream& err, int& exit_status) {
    CLI::App app{"kx7214d: drives KX7214 multiviewers from automation over HTTP/JSON and TSL UMD"};
    std::string listen;
    std::vector<std::string> tsl;
    std::string token_file;
    std::string map_file;
    CommandLine cl;
    app.add_option("--listen", listen, "ADDR:PORT of the HTTP interface (127.0.0.1:8723)");
    app.add_option("--token-file", token_file,
                   "file whose first line is the bearer token every request must carry");
    app.add_option("--tsl", tsl, "udp:PORT (v3.1 and v5.0) or tcp:PORT (v5.0), repeatable");
    app.add_option("--map", map_file, "JSON file: which TSL display drives which label");
    app.add_flag("--verbose", cl.verbose,
                 "also write the exchanges' and the search's diagnostic lines");
    try {
        app.parse(argc, argv);
        if (!listen.empty())
            cl.listen = ParseListen(listen);
        for (const std::string& t : tsl)
            ParseTsl(t, cl.tsl);
        if (!token_file.empty())
            cl.token_file = token_file;
        if (!map_file.empty())
            cl.map_file = map_file;
        Check(cl);
        return cl;
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        exit_status = 0;
    } catch (const CLI::ParseError& e) {
        err << "kx7214d: " << e.what() << "\n";
        exit_status = kExitUsage;
    } catch (const UsageError& e) {
        err << "kx7214d: " << e.message << "\n";
        exit_status = kExitUsage;
    }
    return std::nullopt;
}

} // namespace kx::service
