#!/usr/bin/env bash
# Builds the Debian packages from a clean Release build: huespan_<version>_<arch>.deb (the
# programs and their desktop integration) and libhuespan-dev_<version>_<arch>.deb (the
# generation core as a library). The .deb files go to the folder given (build/package by default).
#
#   HUESPAN_SKIP_SETUP=1   do not install missing Debian packages first
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${HUESPAN_SKIP_SETUP:-0}" != 1 ]; then
    bash scripts/setup-debian.sh
fi

build=build/package-build
out=$(realpath -m "${1:-build/package}")
rm -rf "$build"
# Debian's compiler and linker flags, with every hardening feature.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
export CXXFLAGS="$CPPFLAGS $CXXFLAGS"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DHUESPAN_BUILD_TESTS=OFF -DHUESPAN_BUILD_BENCH=OFF
cmake --build "$build"
mkdir -p "$out"
rm -f "$out"/*.deb
(cd "$build" && cpack -G DEB -B "$out")
rm -rf "$out/_CPack_Packages"
ls -1 "$out"/*.deb
