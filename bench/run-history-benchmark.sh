#!/usr/bin/env bash
# Builds the history's memory benchmark in Release and runs it off screen: the heap that one,
# a hundred, a thousand (the limit) and five thousand edits leave in the settings history.
# The build goes to build-bench-window (or $VEZAZ_WINDOW_BENCH_BUILD), shared with the other
# window benchmarks.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VEZAZ_WINDOW_BENCH_BUILD:-$root/build-bench-window}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEZAZ_BENCHMARKS=ON \
    -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target history_memory -j2
QT_QPA_PLATFORM=offscreen "$build/bench/history_memory" "$@"
