#!/usr/bin/env bash
# Sets up a Debian machine, builds the whole tree (program, tests, benchmarks) and runs the whole
# test suite headless. Arguments go to ctest.
#
# HUESPAN_CONFIG chooses the build:
#   Debug (default)  AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer, in build/test
#   Release          optimised, no sanitizers, in build/test-release
set -euo pipefail
cd "$(dirname "$0")/.."
config="${HUESPAN_CONFIG:-Debug}"
case "$config" in
Debug) folder=build/test sanitize=ON ;;
Release) folder=build/test-release sanitize=OFF ;;
*)
    echo "HUESPAN_CONFIG must be Debug or Release, not \"$config\"" >&2
    exit 2
    ;;
esac
# Paths in the compiler cache are taken relative to the checkout, so clones share it.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
bash scripts/setup-debian.sh
cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE="$config" -DHUESPAN_SANITIZE="$sanitize" \
    -DHUESPAN_BUILD_TESTS=ON -DHUESPAN_BUILD_BENCH=ON
cmake --build "$folder"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$folder" --output-on-failure --timeout 600 "$@"
