#include "tests/support/test_segment.h"

#include <spawn.h>
#include <sys/wait.h>

#include "platform/socket.h"
#include "tests/support/private_network.h"

extern char** environ;

namespace kx::test {
namespace {

constexpr const char* kPcSide = "v0";
constexpr const char* kPcAddress = "192.0.2.1/24";

std::string Joined(const std::vector<std::string>& args) {
    std::string text = "ip";
    for (const std::string& a : args)
        text += ' ' + a;
    return text;
}

} // namespace

TestSegment::TestSegment(const std::vector<std::uint32_t>& device_ips) {
    // Interfaces are only ever added inside the namespace the test program made for itself.
    if (!PrivateNetworkReady()) {
        m_problem = std::string("no private network: ") + PrivateNetworkProblem();
        return;
    }
    bool ok = Ip({"link", "add", kPcSide, "type", "veth", "peer", "name", "v1"}) &&
              Ip({"link", "set", "v1", "up"}) && Ip({"link", "set", kPcSide, "up"}) &&
              Ip({"addr", "add", kPcAddress, "brd", "+", "dev", kPcSide});
    for (std::size_t i = 0; ok && i < device_ips.size(); ++i)
        ok = Ip({"addr", "add", platform::InetNtoa(device_ips[i]) + "/24", "dev", kPcSide});
}

TestSegment::~TestSegment() {
    if (PrivateNetworkReady())
        Ip({"link", "del", kPcSide});
}

bool TestSegment::RunIp(const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>("ip")};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    int status = -1;
    const bool ran = posix_spawnp(&pid, "ip", nullptr, nullptr, argv.data(), environ) == 0 &&
                     waitpid(pid, &status, 0) == pid;
    return ran && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The first command that fails is kept as the problem.
bool TestSegment::Ip(const std::vector<std::string>& args) {
    if (RunIp(args))
        return true;
    if (m_problem.empty())
        m_problem = "'" + Joined(args) + "' failed";
    return false;
}

} // namespace kx::test
