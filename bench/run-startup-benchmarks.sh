#!/usr/bin/env bash
# Builds the start-up benchmark in Release and compares the editor's start-up with a bare Qt
# window of the same widgets (bench/startup_floor_main.cpp), both off screen, each ending at its
# first paint: instructions under callgrind, and over nine runs each the median time to the
# first paint and the median peak resident memory. Targets: at most 1.15 times the bare
# window's instructions, at most 10 MiB more memory.
# The build goes to build-bench-window (or $VEZAZ_WINDOW_BENCH_BUILD), a full build with Qt.
set -euo pipefail
source "$(dirname "$0")/build-window-benchmarks.sh" startup startup_floor sample_client_ini
runs=9

folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
"$build/bench/sample_client_ini" "$folder"
export QT_QPA_PLATFORM=offscreen

editor=("$build/bench/startup" "$folder")
floor=("$build/bench/startup_floor")

if ! diff <("${editor[@]}" --census 2>/dev/null) <("${floor[@]}" --census 2>/dev/null) >/dev/null; then
    echo "The bare window no longer holds the editor's widgets; update bench/startup_floor_main.cpp:"
    diff <("${editor[@]}" --census 2>/dev/null) <("${floor[@]}" --census 2>/dev/null) || true
fi

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Instructions of the whole process, start to exit.
instructions() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 \
        | sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}

# "first-paint-ms peak-kB" of one run.
one_run() {
    local out
    out="$(/usr/bin/time -f 'peak %M' "$@" 2>&1)"
    echo "$(sed -n 's/first paint after \([0-9.]*\) ms/\1/p' <<<"$out") $(sed -n 's/peak //p' <<<"$out")"
}

measure() {
    local name="$1"
    shift
    "$@" >/dev/null 2>&1 # a first run fills the font caches
    local results=()
    for ((run = 0; run < runs; ++run)); do
        results+=("$(one_run "$@")")
    done
    local paint peak count
    paint="$(printf '%s\n' "${results[@]}" | cut -d' ' -f1 | median)"
    peak="$(printf '%s\n' "${results[@]}" | cut -d' ' -f2 | median)"
    count="$(instructions "$@")"
    echo "$name $count $paint $peak"
}

ours="$(measure editor "${editor[@]}")"
bare="$(measure floor "${floor[@]}")"

awk -v ours="$ours" -v bare="$bare" 'BEGIN {
    split(ours, o, " "); split(bare, b, " ")
    printf "\n%-24s %16s %18s %16s\n", "", "instructions", "first paint, ms", "peak RSS, KiB"
    printf "%-24s %16d %18.1f %16d\n", "editor", o[2], o[3], o[4]
    printf "%-24s %16d %18.1f %16d\n", "bare window (floor)", b[2], b[3], b[4]
    ratio = o[2] / b[2]; extra = (o[4] - b[4]) / 1024
    printf "\nInstructions, editor / floor: %.3f (target: at most 1.15)   %s\n", ratio, ratio <= 1.15 ? "holds" : "MISSED"
    printf "Time to first paint, editor / floor: %.2f\n", o[3] / b[3]
    printf "Peak memory, editor - floor: %.1f MiB (target: at most 10)   %s\n", extra, extra <= 10 ? "holds" : "MISSED"
}'
