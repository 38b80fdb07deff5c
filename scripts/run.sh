#!/usr/bin/env bash
# Sets up a Debian machine, builds Huespan and starts it. Without a display it shows what the
# program does through huespan-cli instead: a sample text coloured with two colours, written as
# a preview page into the build folder.
#
#   HUESPAN_SKIP_BUILD=1   use the build that is there, without set-up and build
#   HUESPAN_BUILD_DIR=DIR  the build folder (build/release by default)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${HUESPAN_BUILD_DIR:-build/release}

if [ "${HUESPAN_SKIP_BUILD:-0}" != 1 ]; then
    bash scripts/setup-debian.sh
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHUESPAN_BUILD_TESTS=OFF
    cmake --build "$build" --target huespan huespan-cli
fi

# The same test the program makes: a platform the user chose wins, else an X11 or Wayland display.
if [ -n "${QT_QPA_PLATFORM:-}" ] || [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$build/src/app/huespan" "$@"
fi

page=$(realpath -m "$build/huespan-sample.htm")
cat <<MESSAGE
No display was found (neither DISPLAY nor WAYLAND_DISPLAY is set), so the windows cannot open here.
Instead, huespan-cli colours a sample text from red to blue and writes the preview page:

MESSAGE
"$build/src/cli/huespan-cli" --bold --size 5 --first 255,0,0 --second 0,0,255 --line-breaks \
    --page 255,255,255 -o "$page" "虹色のグラデーション"
echo "  $page"
echo
echo "Its first lines:"
echo
head -n 8 "$page" | tr -d '\r' | sed 's/^/  /'
cat <<MESSAGE

To see the windows, start the program in a desktop session (X11 or Wayland):
  $build/src/app/huespan
On this machine, screenshots of every window taken under a virtual display (Xvfb):
  bash scripts/screenshots.sh
or the program itself on a virtual display, for a screenshot of your own:
  xvfb-run -a -s "-screen 0 1024x768x24" $build/src/app/huespan
MESSAGE
