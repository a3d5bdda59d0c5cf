#!/usr/bin/env bash
# test.sh [--sanitize]: builds from scratch in its own directory and runs the whole suite.
# Test programs move themselves into a private network namespace; nothing leaves loopback.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" = "--sanitize" ]; then
    dir=$root/build-sanitize
    "$root/scripts/build.sh" "$dir" -DKX_SANITIZE=ON -DKX_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export LSAN_OPTIONS=suppressions=$root/tests/support/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
    dir=$root/build-test
    if command -v git >/dev/null && [ -d "$root/.git" ]; then
        "$root/scripts/check-format.sh"
    fi
    "$root/scripts/build.sh" "$dir"
fi
cd "$dir"
ctest --output-on-failure -j2
if [ "${1:-}" = "--sanitize" ]; then
    # Everything that parses bytes from outside, for 200,000 inputs each.
    for f in "$dir"/fuzz/*_fuzz; do
        echo "fuzzing $(basename "$f")"
        "$f" --runs 200000 --seed 7
    done
fi
