#include "tests/support/private_network.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <net/if.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace kx::test {
namespace {

// Names the process that has entered its own namespace. unshare and sh exec in place, so the
// program that comes back keeps its process id; a child it starts, or a test program started
// later from the same environment, has another id and makes a namespace of its own.
constexpr const char* kEnteredVar = "KX_PRIVATE_NETWORK_PID";
// The namespace the program was started in, to show that it runs in another.
constexpr const char* kStartVar = "KX_PRIVATE_NETWORK_START";

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

bool EnteredByThisProcess() {
    const char* pid = std::getenv(kEnteredVar);
    return pid != nullptr && std::to_string(getpid()) == pid;
}

// The command that runs `program` with its arguments inside a fresh namespace whose loopback is
// up and carries the default route, so the broadcast address is reachable and stays inside.
std::vector<const char*> InNewNamespace(const char* program, int argc, char** argv) {
    std::vector<const char*> args = {"unshare",
                                     geteuid() == 0 ? "-n" : "-rn",
                                     "--",
                                     "sh",
                                     "-c",
                                     "ip link set lo up && ip route add default dev lo src "
                                     "127.0.0.1 && exec \"$0\" \"$@\"",
                                     program};
    for (int i = 1; i < argc; ++i)
        args.push_back(argv[i]);
    args.push_back(nullptr);
    return args;
}

// Runs the whole recipe once with `true` in place of the program: where namespaces or the tools
// are not available the tests then skip with the reason instead of the program dying in exec.
std::string TryNewNamespace() {
    std::vector<const char*> args = InNewNamespace("true", 0, nullptr);
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, "unshare", nullptr, nullptr,
                                   const_cast<char* const*>(args.data()), environ);
    if (error != 0)
        return std::string("cannot run unshare: ") + std::strerror(error);
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "unshare could not make a namespace with a loopback route (see its message above)";
    return {};
}

} // namespace

// A namespace found already made (a wrapper script, a shell that unshared) may be shared with
// other test programs running at the same time, whose simulated devices would then answer our
// searches and take our addresses. So every program makes a fresh one, whatever it finds.
void EnterPrivateNetwork(int argc, char** argv) {
    if (EnteredByThisProcess()) {
        g_ready = OnlyLoopback();
        g_problem = g_ready ? "" : "re-executed, but interfaces besides lo are still visible";
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
    g_problem = TryNewNamespace();
    if (!g_problem.empty())
        return;
    setenv(kEnteredVar, std::to_string(getpid()).c_str(), 1);
    setenv(kStartVar, CurrentNamespace().c_str(), 1);
    std::vector<const char*> args = InNewNamespace(self.data(), argc, argv);
    execvp("unshare", const_cast<char* const*>(args.data()));
    unsetenv(kEnteredVar);
    g_problem = std::string("cannot run unshare: ") + std::strerror(errno);
}

std::string CurrentNamespace() {
    char link[64] = {};
    const ssize_t n = readlink("/proc/self/ns/net", link, sizeof link - 1);
    return n > 0 ? std::string(link, static_cast<std::size_t>(n)) : std::string();
}

std::string StartNamespace() {
    const char* start = EnteredByThisProcess() ? std::getenv(kStartVar) : nullptr;
    return start != nullptr ? start : CurrentNamespace();
}

bool PrivateNetworkReady() {
    return g_ready;
}
const char* PrivateNetworkProblem() {
    return g_problem.c_str();
}

} // namespace kx::test
