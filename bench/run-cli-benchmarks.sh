#!/usr/bin/env bash
# Times the commands answered without a window, each in a fresh process on the 30 KB sample
# client file, against the same program's --version: the median wall time of many runs, and
# the ratio. Targets: get and set of one setting within 1.5 times --version, list --json of
# every setting within 2 times.
# The build goes to build-bench-cli (or $VEZAZ_CLI_BENCH_BUILD), a Release build with Qt.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VEZAZ_CLI_BENCH_BUILD:-$root/build-bench-cli}"
runs="${VEZAZ_CLI_BENCH_RUNS:-51}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEZAZ_BENCHMARKS=ON \
    -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target vezaz sample_client_ini -j2 >/dev/null

folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
"$build/bench/sample_client_ini" "$folder"
file="$folder/dmclient.ini"
vezaz="$build/app/vezaz"
# No display at all, as from a launcher's script.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# The median wall time in microseconds of the command over $runs fresh processes; a set
# alternates two values so that every run really replaces the file.
measure() {
    local times=() run start end command
    for ((run = -1; run < runs; ++run)); do
        command=("$@")
        command=("${command[@]//@VALUE@/$((run % 2 + 3))}")
        if ((run < 0)); then # a first run fills the page cache
            "${command[@]}" >/dev/null
            continue
        fi
        start=$(date +%s%N)
        "${command[@]}" >/dev/null
        end=$(date +%s%N)
        times+=($(((end - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | median
}

version=$(measure "$vezaz" --version)
report() {
    local name="$1" target="$2" time="$3"
    awk -v n="$name" -v t="$time" -v v="$version" -v target="$target" 'BEGIN {
        ratio = t / v
        printf "%-34s %8.2f ms  %5.2f x --version  (target %.1f x: %s)\n", n, t / 1000, ratio,
               target, ratio <= target ? "met" : "MISSED"
    }'
}

printf '%-34s %8.2f ms  (%d runs each, median; file %d bytes)\n' "--version" \
    "$(awk -v v="$version" 'BEGIN { print v / 1000 }')" "$runs" "$(stat -c %s "$file")"
report "get Defaults.ScreenMode" 1.5 "$(measure "$vezaz" --file "$file" get Defaults.ScreenMode)"
report "set Defaults.ChatFontSize=N" 1.5 \
    "$(measure "$vezaz" --file "$file" set Defaults.ChatFontSize=@VALUE@)"
report "list --json (all 647)" 2.0 "$(measure "$vezaz" --file "$file" list --json)"
