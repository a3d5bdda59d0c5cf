// The main of the benchmark programs that need nothing before their benchmarks run: into a
// private network namespace first (they open the product's sockets), diagnostic lines silenced.
#include "bench/bench_main.h"

int main(int argc, char** argv) {
    if (!kx::bench::EnterPrivateBench(argc, argv))
        return 1;
    return kx::bench::RunBenchmarks(argc, argv);
}
