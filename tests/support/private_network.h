#pragma once
// Test programs open the product's sockets, broadcast to 255.255.255.255:7000 and bind port
// 7000. They do that only inside a private network namespace with loopback alone: every program
// re-executes itself inside a fresh one before the first test, even when it was started in a
// namespace that already has loopback alone, because other programs may share that one.
#include <string>

namespace kx::test {

// Call first thing in main(). Never returns into the host network: it either execs itself
// inside a private namespace, or records why it could not.
void EnterPrivateNetwork(int argc, char** argv);

// True when this process runs with loopback as its only interface.
bool PrivateNetworkReady();
const char* PrivateNetworkProblem();

// The network namespace ("net:[inode]") the process runs in, and the one it was started in.
std::string CurrentNamespace();
std::string StartNamespace();

} // namespace kx::test

// Network tests start with this: they skip with the reason where isolation was impossible
// (and fail instead when CI is set, so a skipped network test never passes CI).
#define KX_REQUIRE_PRIVATE_NETWORK()                                                               \
    do {                                                                                           \
        if (!::kx::test::PrivateNetworkReady()) {                                                  \
            if (std::getenv("CI") != nullptr)                                                      \
                FAIL() << "no private network: " << ::kx::test::PrivateNetworkProblem();           \
            GTEST_SKIP() << "no private network: " << ::kx::test::PrivateNetworkProblem();         \
        }                                                                                          \
    } while (0)
