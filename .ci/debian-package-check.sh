#!/usr/bin/env bash
# Builds the Debian package as the README says, has lintian check it (no errors, no warnings),
# installs it with apt as a user would, and checks what it put in place: the program tells its
# version and opens its window on an X server, the desktop entry and the AppStream data pass their
# validators, the manual page and every icon size are there. The package is removed again at the
# end, whatever happened. Run as root; needs the Debian packages of debian-packages.txt and
# dpkg-dev file help2man lintian desktop-file-utils appstream xvfb xauth.
# Usage: .ci/debian-package-check.sh [build folder]   (default: build-release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -m "${1:-build-release}")
version=$(sed -n 's/^project(vezaz VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
revision=$(sed -n 's/^set(VEZAZ_DEBIAN_REVISION \([0-9a-z]*\))/\1/p' packaging/CMakeLists.txt)
deb=vezaz_${version}-${revision}_$(dpkg --print-architecture).deb
share=/usr/share

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEZAZ_WERROR=ON -DBUILD_TESTING=OFF \
    -DVEZAZ_BENCHMARKS=OFF -DVEZAZ_DPKG_BUILDFLAGS=ON
cmake --build "$build"
(cd "$build" && cpack -G DEB)
lintian --fail-on error,warning "$build/$deb"

trap 'apt-get remove -y vezaz >/dev/null || true' EXIT
apt-get install -y --reinstall "$build/$deb"
dpkg-deb --field "$build/$deb" Depends

/usr/bin/vezaz --version | grep -F "$version"
desktop-file-validate $share/applications/org.example.vezaz.desktop
appstreamcli validate --no-net $share/metainfo/org.example.vezaz.metainfo.xml
zcat $share/man/man1/vezaz.1.gz | grep -F 'display this help'
test -s $share/icons/hicolor/scalable/apps/org.example.vezaz.svg
for size in 16 32 48 128 256; do
    file $share/icons/hicolor/${size}x${size}/apps/org.example.vezaz.png \
        | grep -F "PNG image data, $size x $size,"
done

# The installed commands without any display, and their completion.
test -s $share/bash-completion/completions/vezaz
commands=$(mktemp -d)
cp tests/data/realistic_client.ini "$commands/dmclient.ini"
env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/vezaz --file "$commands/dmclient.ini" set Defaults.ScreenMode=NORMAL
test "$(env -u DISPLAY /usr/bin/vezaz --file "$commands/dmclient.ini" get Defaults.ScreenMode)" = NORMAL
rm -rf "$commands"

# The installed editor on a real X server, with a client file of its own: still running when
# stopped (exit 124) means it found its platform plugin and opened its window without failing.
client=$(mktemp -d)
cp tests/data/realistic_client.ini "$client/dmclient.ini"
status=0
xvfb-run -a timeout 5 /usr/bin/vezaz "$client/dmclient.ini" || status=$?
rm -rf "$client"
if [ "$status" -ne 124 ]; then
    echo "the installed vezaz ended with status $status instead of running" >&2
    exit 1
fi
echo "the installed vezaz $version opened its window"
