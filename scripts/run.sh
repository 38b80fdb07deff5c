#!/usr/bin/env bash
# Sets up a Debian machine, builds Huespan and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DHUESPAN_BUILD_TESTS=OFF
cmake --build build/release --target huespan huespan-cli
exec build/release/src/app/huespan "$@"
