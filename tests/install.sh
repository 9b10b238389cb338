#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop and a software centre need
# to find the program.
# Usage: install.sh BUILD-DIRECTORY
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null

source "$(dirname "${BASH_SOURCE[0]}")/check.sh"
png_size() { # file: width x height from the PNG header
    od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }'
}

desktop=$prefix/share/applications/morvane.desktop
check "the program is installed" test -x "$prefix/bin/morvane"
check "the desktop entry is valid" desktop-file-validate "$desktop"
check "the desktop entry names the program" grep -qx 'Name=Morvane' "$desktop"
check "the desktop entry names its icon" grep -qx 'Icon=morvane' "$desktop"
for size in 16 32; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/morvane.png
    check "the ${size}x$size icon is a ${size}x$size PNG" test "$(png_size "$icon")" = "${size}x$size"
done
check "the scalable icon is an SVG" grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/morvane.svg"

# What software centres and Debian read: the metadata with the desktop entry it launches, the
# manual page and the copyright file.
check "the AppStream metadata is valid and launches the desktop entry" \
    appstreamcli validate-tree --no-net "$prefix"
manual=$(zcat "$prefix/share/man/man1/morvane.1.gz" || true)
check "the manual page is compressed and names the version" \
    grep -Eq '^\.TH MORVANE 1 .*"Morvane [0-9]+\.[0-9]{2}\.[0-9]{4}"' <<<"$manual"
check "the copyright file is installed" test -s "$prefix/share/doc/morvane/copyright"
exit $status
