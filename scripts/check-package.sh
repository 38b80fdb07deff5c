#!/usr/bin/env bash
# Builds the Debian packages (scripts/package.sh) and checks them as Debian's own tools would:
# the control fields, that every file is where Debian puts it, lintian, desktop-file-validate,
# appstreamcli, groff and man on the manual pages, the shell completions' syntax, and that the
# installed programs run. With a folder as argument, checks the .deb files already in it.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -ge 1 ]; then
    packages=$(realpath "$1")
else
    bash scripts/package.sh build/package
    packages=$(realpath build/package)
fi

version=$(sed -n 's/^project(Huespan VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
arch=$(dpkg --print-architecture)
program_deb=$packages/huespan_${version}_${arch}.deb
library_deb=$packages/libhuespan-dev_${version}_${arch}.deb
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

check_field() { # deb field pattern
    local value
    value=$(dpkg-deb --field "$1" "$2" 2>/dev/null || true)
    if ! grep -Eq -- "$3" <<<"$value"; then
        fail "$(basename "$1"): field $2 is \"$value\", expected /$3/"
    fi
}

check_files() { # deb, then paths that must be in it
    local deb=$1 listing
    shift
    listing=$(dpkg-deb --contents "$deb" | awk '{ print $6 }' | sed 's,^\./,/,')
    for path in "$@"; do
        grep -Fxq -- "$path" <<<"$listing" || fail "$(basename "$deb") lacks $path"
    done
    # Everything lives under /usr.
    if grep -v '^/usr\(/\|$\)' <<<"$listing" | grep -vx '/'; then
        fail "$(basename "$deb") installs outside /usr"
    fi
}

run_lintian() { # deb
    echo "== lintian $(basename "$1")"
    local report
    report=$(lintian --fail-on none --display-info --pedantic "$1" 2>&1 || true)
    [ -n "$report" ] && echo "$report"
    if grep -q '^E: ' <<<"$report"; then
        fail "lintian reports errors on $(basename "$1")"
    fi
}

for deb in "$program_deb" "$library_deb"; do
    [ -f "$deb" ] || { echo "FAIL: $deb was not made" >&2; exit 1; }
done

echo "== control fields"
check_field "$program_deb" Package '^huespan$'
check_field "$program_deb" Version "^${version//./\\.}$"
check_field "$program_deb" Architecture "^${arch}$"
check_field "$program_deb" Maintainer '^Huespan developers <huespan@example\.org>$'
check_field "$program_deb" Section '^utils$'
check_field "$program_deb" Priority '^optional$'
check_field "$program_deb" Depends 'libqt6widgets6'
check_field "$program_deb" Depends 'libc6'
check_field "$program_deb" Recommends 'fonts-ipafont-gothic'
check_field "$program_deb" Recommends 'xdg-utils'
check_field "$program_deb" Homepage '^https://huespan\.example\.org/$'
# A summary and a long description of more than one paragraph.
check_field "$program_deb" Description '^gradient-coloured HTML text generator'
check_field "$program_deb" Description '^ \.$'
check_field "$library_deb" Package '^libhuespan-dev$'
check_field "$library_deb" Section '^libdevel$'
check_field "$library_deb" Depends 'qt6-base-dev'
check_field "$library_deb" Depends 'libutf8proc-dev'
check_field "$program_deb" Depends 'libutf8proc2'

echo "== contents"
icons=()
for size in 16 22 24 32 48 64 96 128 256; do
    icons+=("/usr/share/icons/hicolor/${size}x${size}/apps/huespan.png")
done
check_files "$program_deb" \
    /usr/bin/huespan /usr/bin/huespan-cli \
    /usr/share/applications/org.example.huespan.desktop \
    /usr/share/metainfo/org.example.huespan.metainfo.xml \
    "${icons[@]}" /usr/share/icons/hicolor/scalable/apps/huespan.svg \
    /usr/share/man/man1/huespan.1.gz /usr/share/man/man1/huespan-cli.1.gz \
    /usr/share/bash-completion/completions/huespan-cli \
    /usr/share/zsh/vendor-completions/_huespan-cli \
    /usr/share/doc/huespan/copyright /usr/share/doc/huespan/changelog.gz
check_files "$library_deb" \
    /usr/include/huespan/MarkupGeneration.h /usr/include/huespan/GradientSettings.h \
    /usr/include/huespan/SettingNames.h /usr/include/huespan/StopText.h \
    "/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/libhuespan_generation.a" \
    "/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake/Huespan/HuespanConfig.cmake" \
    "/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake/Huespan/HuespanConfigVersion.cmake" \
    "/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake/Huespan/HuespanTargets.cmake" \
    /usr/share/doc/libhuespan-dev/copyright /usr/share/doc/libhuespan-dev/changelog.gz

root=$work/root
dpkg-deb --extract "$program_deb" "$root"

echo "== desktop-file-validate"
desktop-file-validate "$root/usr/share/applications/org.example.huespan.desktop" ||
    fail "desktop-file-validate"
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/org.example.huespan.metainfo.xml" ||
    fail "appstreamcli validate"

echo "== icons"
for size in 16 22 24 32 48 64 96 128 256; do
    got=$(identify -format '%wx%h' "$root/usr/share/icons/hicolor/${size}x${size}/apps/huespan.png" 2>/dev/null || true)
    [ "$got" = "${size}x${size}" ] || fail "the ${size} px icon is $got"
done

echo "== manual pages"
for page in huespan huespan-cli; do
    file=$root/usr/share/man/man1/$page.1.gz
    messages=$(zcat "$file" | groff -man -ww -z 2>&1 || true)
    [ -z "$messages" ] || fail "groff -man -ww -z on $page.1: $messages"
    messages=$(zcat "$file" | groff -man -ww -z -Tutf8 2>&1 || true)
    [ -z "$messages" ] || fail "groff -man -ww -z -Tutf8 on $page.1: $messages"
    shown=$(MANWIDTH=80 man -l "$file" 2>&1) || fail "man -l $page.1: $shown"
    grep -q '^NAME' <<<"$shown" || fail "man -l $page.1 shows no NAME section"
done

echo "== completions"
bash -n "$root/usr/share/bash-completion/completions/huespan-cli" || fail "bash completion syntax"
if command -v zsh >/dev/null; then
    zsh -n "$root/usr/share/zsh/vendor-completions/_huespan-cli" || fail "zsh completion syntax"
fi

echo "== the installed programs"
"$root/usr/bin/huespan-cli" --version | grep -qx "huespan-cli $version" || fail "huespan-cli --version"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/huespan" --version |
    grep -qx "huespan $version" || fail "huespan --version without a display"
markup=$("$root/usr/bin/huespan-cli" --first 255,0,0 --second 0,0,255 "ab")
[ "$markup" = '<FONT COLOR="#FF0000">a</FONT><FONT COLOR="#0000FF">b</FONT>' ] ||
    fail "huespan-cli writes $markup"

run_lintian "$program_deb"
run_lintian "$library_deb"

echo "== files in $(basename "$program_deb")"
dpkg-deb --contents "$program_deb" | awk '{ print $6 }' | grep -v '/$'
echo "== files in $(basename "$library_deb")"
dpkg-deb --contents "$library_deb" | awk '{ print $6 }' | grep -v '/$'

if ((failures)); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "The packages pass every check."
