#!/usr/bin/env bash
# Puts the 「色見本」 view beside Chromium's rendering of the preview page of the same runs, one row
# per run: emoji sequences, a flag, a skin tone, a keycap and a Devanagari conjunct at the default
# settings, then a line at font size 5 and a line in an h2 heading. The view is painted under Xvfb
# with openbox; Chromium (Debian's chromium) renders the page headless. The picture goes to the
# file given (docs/swatch-vs-chromium.png by default).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
if ! command -v chromium >/dev/null; then
    apt-get install -y -q --no-install-recommends chromium
fi
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
cmake -S . -B build/screenshots -G Ninja -DCMAKE_BUILD_TYPE=Release -DHUESPAN_BUILD_BENCH=OFF -DHUESPAN_BUILD_TESTS=OFF
cmake --build build/screenshots --target huespan-swatch-sample huespan-cli
result=$(realpath -m "${1:-docs/swatch-vs-chromium.png}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# shellcheck source=scripts/window-check.sh
source scripts/window-check.sh
with_window_manager

sample=build/screenshots/tools/screenshots/huespan-swatch-sample
cli=build/screenshots/src/cli/huespan-cli
rows=()
row=0
while IFS='|' read -r option value text; do
    arguments=()
    [ -n "$option" ] && arguments=("$option" "$value")
    "$sample" "$work/view-$row.png" "${arguments[@]}" "$text"
    # The page as the program writes it, red to blue on white; a byte-order mark tells Chromium
    # that it is UTF-8.
    {
        printf '\xef\xbb\xbf'
        "$cli" --first 255,0,0 --second 0,0,255 --page 255,255,255 "${arguments[@]}" -- "$text"
    } >"$work/page-$row.html"
    height=$(identify -format '%h' "$work/view-$row.png")
    chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --force-device-scale-factor=1 \
        --window-size=480,$((height + 16)) --screenshot="$work/page-$row.png" "file://$work/page-$row.html" \
        >/dev/null 2>&1
    convert "$work/view-$row.png" -bordercolor '#999999' -border 1 "$work/view-$row-framed.png"
    convert "$work/page-$row.png" -bordercolor '#999999' -border 1 "$work/page-$row-framed.png"
    convert "$work/view-$row-framed.png" -size 16x1 xc:white "$work/page-$row-framed.png" +append \
        "$work/row-$row.png"
    rows+=("$work/row-$row.png")
    row=$((row + 1))
done <<'ROWS'
||👨‍👩‍👧 🇯🇵 👍🏽 1️⃣ क्ष 家族
--size|5|サイズ5 Size 5 🇯🇵
--heading|2|見出し2 Heading 👍🏽
ROWS
convert -size 977x24 xc:white -font IPAGothic -pointsize 14 -fill black \
    -annotate +4+17 '色見本 (Huespan)' -annotate +501+17 'Chromium: the preview page' "$work/title.png"
convert "$work/title.png" "${rows[@]}" -background white -splice 0x8 -append "$result"
echo "$result"
