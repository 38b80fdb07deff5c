#!/usr/bin/env bash
# Opens the windows under Xvfb with the openbox window manager, so that they wear real frames, and
# checks what only a window manager shows:
#   - every window that opens centred on the screen is centred with its whole frame, title bar
#     included, within 1 pixel;
#   - the disabled main window, raised by a click on its title bar, never covers the result window.
# Prints what it measured and exits non-zero on a fault. scripts/screenshots.sh sources this file
# for its display helpers (with_window_manager, frame_of, wait_for_window).
#
#   bash scripts/window-check.sh [build folder holding tools/screenshots/huespan-result-showcase]
set -euo pipefail

SCREEN_WIDTH=1280
SCREEN_HEIGHT=800

# Starts Xvfb on a free display and openbox on it, exports DISPLAY, and stops both when the shell
# exits.
with_window_manager() {
    local folder
    folder=$(mktemp -d)
    Xvfb -displayfd 3 -screen 0 "${SCREEN_WIDTH}x${SCREEN_HEIGHT}x24" -nolisten tcp 3>"$folder/display" \
        >"$folder/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$folder/display" ] && break
        sleep 0.1
    done
    export DISPLAY=":$(cat "$folder/display")"
    openbox --sm-disable >"$folder/openbox.log" 2>&1 &
    WM_PID=$!
    trap 'kill "$WM_PID" "$XVFB_PID" 2>/dev/null || true; rm -rf "'"$folder"'"' EXIT
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    echo "openbox did not start" >&2
    return 1
}

# Waits for a mapped window whose title is exactly $1 and prints its id.
wait_for_window() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
        if [ -n "$id" ] && xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '='; then
            # The window manager places the frame, then the program may move it once more.
            sleep 0.5
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    echo "no window titled $1" >&2
    return 1
}

# Prints the outer frame of window $1, title bar included: left top width height.
frame_of() {
    local info x y width height extents left right top bottom
    info=$(xwininfo -id "$1")
    x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
    width=$(awk '/^ *Width:/ {print $2}' <<<"$info")
    height=$(awk '/^ *Height:/ {print $2}' <<<"$info")
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    read -r left right top bottom <<<"$extents"
    echo "$((x - left)) $((y - top)) $((width + left + right)) $((height + top + bottom))"
}

# Prints how far the frame's centre lies right of and below the screen's centre, in pixels
# (halves rounded towards the frame's top left).
centre_offset() {
    local left top width height
    read -r left top width height <<<"$(frame_of "$1")"
    echo "$(((2 * left + width - SCREEN_WIDTH) / 2)) $(((2 * top + height - SCREEN_HEIGHT) / 2))"
}

# Clients from the bottom of the stack to its top.
stacking_order() {
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g'
}

run_checks() {
    local showcase=$1 failures=0 pid id dx dy main result
    declare -A titles=([result]="結果" [preview]="プレビュー背景色" [about]="バージョン情報"
        [progress]="生成中...")
    for window in result preview about progress; do
        "$showcase" "$window" >/dev/null 2>&1 &
        pid=$!
        if ! id=$(wait_for_window "${titles[$window]}"); then
            failures=$((failures + 1))
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
            continue
        fi
        read -r dx dy <<<"$(centre_offset "$id")"
        printf '%-9s frame %-20s centre off by %3d px right, %3d px down\n' "$window" \
            "$(frame_of "$id")" "$dx" "$dy"
        if ((dx < -1 || dx > 1 || dy < -1 || dy > 1)); then
            echo "FAIL: the $window window is not centred on the screen" >&2
            failures=$((failures + 1))
        fi

        if [ "$window" = result ]; then
            # A click on the disabled main window's title bar must leave the result window on top.
            main=$(xdotool search --onlyvisible --name '^HuespanHTML生成$' | head -n 1)
            read -r left top _ _ <<<"$(frame_of "$main")"
            xdotool mousemove "$((left + 40))" "$((top + 5))" click 1
            sleep 0.5
            result=$id
            local order
            order=$(stacking_order)
            main=$(printf '%d' "$main")
            result=$(printf '%d' "$result")
            local main_at=-1 result_at=-1 index=0
            for client in $order; do
                [ "$((client))" -eq "$main" ] && main_at=$index
                [ "$((client))" -eq "$result" ] && result_at=$index
                index=$((index + 1))
            done
            echo "stacking  after a click on the main window's title bar: main at $main_at, result at $result_at (higher is on top)"
            if ((result_at < main_at)); then
                echo "FAIL: the disabled main window covers the result window" >&2
                failures=$((failures + 1))
            fi
        fi
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    return "$failures"
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
    cd "$(dirname "$0")/.."
    build=${1:-build/screenshots}
    if [ -z "${1:-}" ]; then
        bash scripts/setup-debian.sh
        cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHUESPAN_BUILD_BENCH=OFF \
            -DHUESPAN_BUILD_TESTS=OFF >/dev/null
        cmake --build "$build" --target huespan-result-showcase >/dev/null
    fi
    with_window_manager
    if run_checks "$build/tools/screenshots/huespan-result-showcase"; then
        echo "Every window centred, the result window above the main window."
    else
        echo "window check failed" >&2
        exit 1
    fi
fi
