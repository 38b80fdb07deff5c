#!/usr/bin/env bash
# Sets up a Debian machine, builds Huespan with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the whole test suite headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHUESPAN_SANITIZE=ON -DHUESPAN_BUILD_TESTS=ON
cmake --build build/test
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build/test --output-on-failure --timeout 600 "$@"
