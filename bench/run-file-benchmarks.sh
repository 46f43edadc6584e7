#!/usr/bin/env bash
# Builds the client file benchmarks in Release and runs them: nine repetitions of each, in random
# order so that a busy spell of the machine falls on floors and ours alike, their medians, then
# our loads and saves as ratios to their floors and against their targets.
# The build goes to build-bench (or $VEZAZ_BENCH_BUILD); the sample files to $TMPDIR (or /tmp),
# whose disk is the one the saves sync to. Extra arguments go to the benchmark program, for
# example --benchmark_filter=Load.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VEZAZ_BENCH_BUILD:-$root/build-bench}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEZAZ_CORE_ONLY=ON \
    -DVEZAZ_BENCHMARKS=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target file_benchmarks -j2
"$build/bench/file_benchmarks" --benchmark_repetitions=9 --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true "$@"
