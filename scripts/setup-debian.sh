#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Huespan need.
# Only missing packages are fetched, and the package lists are refreshed once at most.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n qt6-wayland libgl-dev
    libbenchmark-dev
    # grapheme clusters, and Unicode's conformance file that tests them
    libutf8proc-dev unicode-data
    fonts-ipafont-gothic fonts-ipaexfont-gothic fonts-noto-cjk fonts-noto-color-emoji fonts-lohit-deva
    xvfb xauth imagemagick openbox x11-utils xdotool
    # the banner picture in docs/: a terminal and a banner font
    xterm figlet
    # the package: icons, manual pages, completions, and the validators that check it
    librsvg2-bin groff-base man-db gzip dpkg-dev bash-completion zsh
    lintian appstream desktop-file-utils
    # the tests: a small ext2 file system (no room reserved ahead) on a loop device
    e2fsprogs
    # the fuzz targets (scripts/fuzz.sh): clang with libFuzzer and the sanitizer runtimes
    clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo_cmd=(sudo)
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -q
    "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
