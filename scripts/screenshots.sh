#!/usr/bin/env bash
# Photographs every window under Xvfb, for a person to look at: the main window in its states,
# the progress window, the result window (short and a million-character line), the preview
# dialog and the version window. PNGs go to the folder given (build/screenshots by default).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
cmake -S . -B build/screenshots -G Ninja -DCMAKE_BUILD_TYPE=Release -DHUESPAN_BUILD_BENCH=OFF -DHUESPAN_BUILD_TESTS=OFF
cmake --build build/screenshots --target huespan-screenshot-tour huespan-result-showcase huespan-advanced-showcase
out=$(realpath -m "${1:-build/screenshots/png}")
mkdir -p "$out"

xvfb-run -a -s "-screen 0 1024x768x24" build/screenshots/tools/screenshots/huespan-screenshot-tour "$out"

showcase=build/screenshots/tools/screenshots/huespan-result-showcase
for window in result long preview about; do
    # shellcheck disable=SC2016
    xvfb-run -a -s "-screen 0 1280x800x24" bash -c \
        '"$1" "$2" & pid=$!; sleep 3; import -window root "$3"; kill "$pid"' \
        _ "$showcase" "$window" "$out/$window.png"
done
# The advanced settings dialog with each gradient choice, framed by a window manager.
for choice in two-colours stops rainbow; do
    # shellcheck disable=SC2016
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c \
        'openbox & wm=$!; sleep 1; "$1" "$2" "$3"; kill "$wm"' \
        _ build/screenshots/tools/screenshots/huespan-advanced-showcase "$choice" "$out/advanced-$choice.png"
done
echo "Screenshots in $out"
