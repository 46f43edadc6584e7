#!/usr/bin/env bash
# Builds the window page's drag benchmark in Release and runs it off screen: nine drags of a
# thousand steps each, their medians per step, and the time per step against its target.
# The build goes to build-bench-window (or $VEZAZ_WINDOW_BENCH_BUILD), a full build with Qt; the
# sample client file to $TMPDIR (or /tmp). Extra arguments go to the benchmark program.
set -euo pipefail
source "$(dirname "$0")/build-window-benchmarks.sh" drag_benchmark

"$build/bench/drag_benchmark" --benchmark_repetitions=9 --benchmark_report_aggregates_only=true "$@"
