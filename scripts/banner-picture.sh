#!/usr/bin/env bash
# Photographs a figlet banner coloured by column (huespan-cli --lines columns --format ansi) in an
# xterm under Xvfb, for docs/lines-columns.png. Uses the build in HUESPAN_BUILD_DIR (build/release
# by default).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
build=${HUESPAN_BUILD_DIR:-build/release}
cli=$(realpath "$build/src/cli/huespan-cli")
out=$(realpath -m "${1:-docs/lines-columns.png}")

# shellcheck source=scripts/window-check.sh
source scripts/window-check.sh
with_window_manager

banner=$(mktemp)
{
    figlet -w 120 Huespan | "$cli" --lines columns --format ansi --preset sunset --space oklch
    echo
    printf 'each line:\n'
    printf 'short\na longer line\nthe longest line of all\n' | "$cli" --lines each --format ansi --preset pride
    echo
} >"$banner"
xterm -geometry 60x12+0+0 -bg '#1e1e1e' -fg '#d0d0d0' -fa 'DejaVu Sans Mono' -fs 12 -title banner \
    -e sh -c "cat '$banner'; sleep 30" &
pid=$!
id=$(wait_for_window banner)
sleep 2
import -window "$id" "$out"
kill "$pid" 2>/dev/null || true
rm -f "$banner"
echo "$out"
