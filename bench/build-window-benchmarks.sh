# Sourced by the window benchmarks' run scripts, with the targets to build as its arguments:
# builds them in Release, with Qt, in build-bench-window (or $VEZAZ_WINDOW_BENCH_BUILD), which
# those benchmarks share, and sets root and build for the script that sourced it.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VEZAZ_WINDOW_BENCH_BUILD:-$root/build-bench-window}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEZAZ_BENCHMARKS=ON \
    -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target "$@" -j2
