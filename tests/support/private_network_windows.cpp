// Windows has no network namespaces a program can enter by itself. The suite runs under Wine
// inside one that scripts/test-windows.sh makes (with Wine's server, which opens the sockets,
// started inside it); here the program only checks that it sees nothing but loopback adapters,
// and otherwise keeps the network tests from running.
#include "tests/support/private_network.h"

#include <string>

#include "platform/interfaces.h"
#include "platform/socket.h"

namespace kx::test {
namespace {

std::string g_problem = "not checked";
bool g_ready = false;

} // namespace

void EnterPrivateNetwork(int, char**) {
    // Every test that opens a socket needs the socket layer; the start-up tests stop and
    // restart it themselves.
    if (!platform::SocketStartup()) {
        g_problem = "WSAStartup failed";
        return;
    }
    const std::string adapter = platform::NonLoopbackInterface();
    g_ready = adapter.empty();
    g_problem = g_ready ? ""
                        : "adapter " + adapter +
                              " is not a loopback one; run the suite "
                              "through scripts/test-windows.sh";
}

bool PrivateNetworkReady() {
    return g_ready;
}
const char* PrivateNetworkProblem() {
    return g_problem.c_str();
}

// Windows programs have no network namespace of their own to name.
std::string CurrentNamespace() {
    return {};
}
std::string StartNamespace() {
    return {};
}

} // namespace kx::test
