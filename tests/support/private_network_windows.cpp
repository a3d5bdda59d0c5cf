// Windows has no network namespaces a program can enter by itself. The suite runs under Wine
// inside one that scripts/test-windows.sh makes (with Wine's server, which opens the sockets,
// started inside it); here the program only checks that it sees nothing but loopback adapters,
// and otherwise keeps the network tests from running.
#include "tests/support/private_network.h"

#include <iphlpapi.h>
#include <winsock2.h>

#include <string>
#include <vector>

#include "platform/socket.h"

namespace kx::test {
namespace {

std::string g_problem = "not checked";
bool g_ready = false;

// Empty when every adapter is a loopback one, else why the network is not private.
std::string NonLoopbackAdapter() {
    ULONG size = 16 * 1024;
    std::vector<unsigned char> buffer;
    ULONG result = ERROR_BUFFER_OVERFLOW;
    for (int attempt = 0; attempt < 3 && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
        buffer.resize(size);
        result = GetAdaptersAddresses(
            AF_UNSPEC, GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST, nullptr,
            reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
    }
    if (result == ERROR_NO_DATA)
        return {};
    if (result != NO_ERROR)
        return "cannot list the network adapters (error " + std::to_string(result) + ")";
    for (auto* a = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()); a != nullptr;
         a = a->Next)
        if (a->IfType != IF_TYPE_SOFTWARE_LOOPBACK)
            return std::string("adapter ") + a->AdapterName +
                   " is not a loopback one; run the suite through scripts/test-windows.sh";
    return {};
}

} // namespace

void EnterPrivateNetwork(int, char**) {
    // Every test that opens a socket needs the socket layer; the start-up tests stop and
    // restart it themselves.
    if (!platform::SocketStartup()) {
        g_problem = "WSAStartup failed";
        return;
    }
    g_problem = NonLoopbackAdapter();
    g_ready = g_problem.empty();
}

bool PrivateNetworkReady() {
    return g_ready;
}
const char* PrivateNetworkProblem() {
    return g_problem.c_str();
}

} // namespace kx::test
