#!/usr/bin/env bash
# Photographs every window under Xvfb with the openbox window manager, so that the pictures show
# the real frames, for a person to look at: the main window in its states, the progress window, the
# result window (short and a million-character line), the preview dialog, the version window and a
# message box, the advanced settings with each gradient choice and the coloured view. Whole screens go to the folder given (build/screenshots/png by default); the
# pictures cut to one window's frame, named as in docs/, go to its subfolder docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
cmake -S . -B build/screenshots -G Ninja -DCMAKE_BUILD_TYPE=Release -DHUESPAN_BUILD_BENCH=OFF -DHUESPAN_BUILD_TESTS=OFF
cmake --build build/screenshots --target huespan-screenshot-tour huespan-result-showcase \
    huespan-advanced-showcase
out=$(realpath -m "${1:-build/screenshots/png}")
mkdir -p "$out/docs"

# shellcheck source=scripts/window-check.sh
source scripts/window-check.sh
with_window_manager

build/screenshots/tools/screenshots/huespan-screenshot-tour "$out"
# The tour's main window stands alone on the black screen: cut the screen to it.
convert "$out/main-start.png" -trim +repage "$out/docs/main-window.png"
convert "$out/main-both-sides-hexadecimal.png" -trim +repage "$out/docs/main-window-both-sides-hexadecimal.png"

# Cuts the whole screen in $1 to the frame of window $2 into $3.
cut_to_frame() {
    local left top width height
    read -r left top width height <<<"$(frame_of "$2")"
    convert "$1" -crop "${width}x${height}+${left}+${top}" +repage "$3"
}

showcase=build/screenshots/tools/screenshots/huespan-result-showcase
declare -A titles=([result]="結果" [long]="結果" [preview]="プレビュー背景色" [about]="バージョン情報"
    [progress]="生成中..." [message]="HuespanHTML生成" [swatch]="結果")
declare -A frames=([result]=result-window [long]=result-window-long-line [preview]=preview-dialog
    [about]=about-window [progress]=progress-window [message]=message-box [swatch]=result-window-colours)
for window in result long preview about progress message swatch; do
    "$showcase" "$window" >/dev/null 2>&1 &
    pid=$!
    id=$(wait_for_window "${titles[$window]}")
    if [ "$window" = message ]; then
        # The box wears the main window's title; it is the window mapped last.
        sleep 1
        id=$(xdotool search --onlyvisible --name "^${titles[$window]}\$" | tail -n 1)
    elif [ "$window" = preview ]; then
        # The dialog stands over the result window: the picture shows both.
        id=$(wait_for_window "結果")
    fi
    sleep 1
    import -window root "$out/$window.png"
    cut_to_frame "$out/$window.png" "$id" "$out/docs/${frames[$window]}.png"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
# The advanced settings dialog with each gradient choice, over the main window.
advanced=build/screenshots/tools/screenshots/huespan-advanced-showcase
for choice in two-colours stops rainbow; do
    "$advanced" "$choice" >/dev/null 2>&1 &
    pid=$!
    id=$(wait_for_window "詳細設定")
    sleep 1
    import -window root "$out/advanced-$choice.png"
    cut_to_frame "$out/advanced-$choice.png" "$id" "$out/docs/advanced-$choice.png"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
echo "Screenshots in $out, cut to their windows in $out/docs"
