#include "tests/support/private_network.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <net/if.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace kx::test {
namespace {

std::string g_problem = "not checked";
bool g_ready = false;

bool OnlyLoopback() {
    struct if_nameindex* names = if_nameindex();
    if (names == nullptr)
        return false;
    bool only_lo = true;
    for (struct if_nameindex* n = names; n->if_index != 0; ++n)
        only_lo = only_lo && std::strcmp(n->if_name, "lo") == 0;
    if_freenameindex(names);
    return only_lo;
}

} // namespace

void EnterPrivateNetwork(int argc, char** argv) {
    if (OnlyLoopback()) {
        g_ready = true;
        g_problem.clear();
        return;
    }
    if (std::getenv("KX_PRIVATE_NETWORK_TRIED") != nullptr) {
        g_problem = "re-executed, but interfaces besides lo are still visible";
        return;
    }
    // Inside sh, /proc/self/exe names the shell: read our own path first.
    std::vector<char> self(4096);
    ssize_t n = readlink("/proc/self/exe", self.data(), self.size() - 1);
    if (n <= 0) {
        g_problem = "cannot read /proc/self/exe";
        return;
    }
    self[static_cast<std::size_t>(n)] = '\0';
    setenv("KX_PRIVATE_NETWORK_TRIED", "1", 1);

    std::vector<const char*> args = {"unshare",
                                     geteuid() == 0 ? "-n" : "-rn",
                                     "--",
                                     "sh",
                                     "-c",
                                     "ip link set lo up && ip route add default dev lo src "
                                     "127.0.0.1 && exec \"$0\" \"$@\"",
                                     self.data()};
    for (int i = 1; i < argc; ++i)
        args.push_back(argv[i]);
    args.push_back(nullptr);
    execvp("unshare", const_cast<char* const*>(args.data()));
    g_problem = std::string("cannot run unshare: ") + std::strerror(errno);
}

bool PrivateNetworkReady() {
    return g_ready;
}
const char* PrivateNetworkProblem() {
    return g_problem.c_str();
}

} // namespace kx::test
