#!/usr/bin/env bash
# Builds the history's memory benchmark in Release and runs it off screen: the heap that one,
# a hundred, a thousand (the limit) and five thousand edits leave in the settings history.
# The build goes to build-bench-window (or $VEZAZ_WINDOW_BENCH_BUILD), shared with the other
# window benchmarks.
set -euo pipefail
source "$(dirname "$0")/build-window-benchmarks.sh" history_memory

QT_QPA_PLATFORM=offscreen "$build/bench/history_memory" "$@"
