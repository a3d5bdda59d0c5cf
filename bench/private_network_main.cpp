// The benchmark programs' main: into a private network namespace first (they open the
// product's sockets), with the diagnostic lines silenced.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "platform/log.h"
#include "tests/support/private_network.h"

int main(int argc, char** argv) {
    kx::test::EnterPrivateNetwork(argc, argv);
    if (!kx::test::PrivateNetworkReady()) {
        std::fprintf(stderr, "no private network: %s\n", kx::test::PrivateNetworkProblem());
        return 1;
    }
    kx::platform::SetLogSink({});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
