#pragma once
// The start of every network benchmark: a private namespace of its own, no diagnostic lines.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "platform/log.h"
#include "tests/support/private_network.h"

namespace kx::bench {

// False, with the reason printed, when the program could not enter a private namespace.
inline bool EnterPrivateBench(int argc, char** argv) {
    test::EnterPrivateNetwork(argc, argv);
    if (!test::PrivateNetworkReady()) {
        std::fprintf(stderr, "no private network: %s\n", test::PrivateNetworkProblem());
        return false;
    }
    platform::SetLogSink({});
    return true;
}

inline int RunBenchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace kx::bench
