#!/usr/bin/env bash
# Cross-builds the Qt-free core and its tests for 64-bit Windows with MinGW-w64, and runs every
# test program under Wine in a throw-away prefix. Needs the Debian packages
# g++-mingw-w64-x86-64-posix, wine, wine64, googletest and librsvg2-bin.
# Usage: .ci/windows-core-tests.sh [build folder]   (default: build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -m "${1:-build-windows}")
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
started=$SECONDS

# GoogleTest from Debian's sources, built with the same compilers.
cmake -S /usr/src/googletest -B "$build/googletest-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$build/googletest" \
    -Dgtest_disable_pthreads=ON >/dev/null
cmake --build "$build/googletest-build" -j2 >/dev/null
cmake --install "$build/googletest-build" >/dev/null

cmake -S . -B "$build/core" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_FIND_ROOT_PATH="$build/googletest" -DVEZAZ_CORE_ONLY=ON -DVEZAZ_BENCHMARKS=OFF \
    -DVEZAZ_WERROR=ON
cmake --build "$build/core" -j2

# A fresh prefix, without the .NET and HTML engines Wine would offer to download, and one
# server kept alive for all the tests instead of one per program.
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/vezaz-wine.XXXXXX")
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$WINEPREFIX"' EXIT
wineserver -p </dev/null >/dev/null 2>&1
wine wineboot --init </dev/null >/dev/null 2>&1

ctest --test-dir "$build/core" --output-on-failure --parallel 2
echo "Windows core: built and tested in $((SECONDS - started)) s"
