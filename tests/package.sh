#!/usr/bin/env bash
# Checks the Debian package without installing it on this machine: lintian, apt's resolution of its
# dependencies, and the unpacked program's window under Xvfb.
# Usage: package.sh PACKAGE.deb
set -euo pipefail
package=$(realpath "$1")
tests=$(cd "$(dirname "$0")" && pwd)
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT

source "$(dirname "${BASH_SOURCE[0]}")/check.sh"

# A warning fails too: one that is meant to stay belongs in an override with its reason.
lint() {
    lintian --fail-on error,warning "$package" 2>&1 | grep -v 'root privileges is not recommended'
    return "${PIPESTATUS[0]}"
}
check "lintian finds neither errors nor warnings" lint
check "apt resolves the dependencies" apt-get install --simulate -qq "$package"
# Nothing but files: no maintainer scripts or configuration files, so removal leaves nothing.
controls=$(dpkg-deb --ctrl-tarfile "$package" | tar -t | sort | tr '\n' ' ')
check "the control archive holds only the control file and the checksums" \
    test "$controls" = "./control ./md5sums "

dpkg-deb -x "$package" "$unpacked"
# The changelog and the metadata's releases are written by hand: a new version needs an entry in
# each, the metadata's in the form the user sees, which the build wrote into the manual page.
version=$(dpkg-deb -f "$package" Version)
shown=$(zcat "$unpacked/usr/share/man/man1/morvane.1.gz" | sed -n 's/^\.TH .*"Morvane \([^"]*\)".*/\1/p')
newest_entry=$(zcat "$unpacked/usr/share/doc/morvane/changelog.gz" | head -n 1 || true)
metainfo=$unpacked/usr/share/metainfo/org.example.morvane.metainfo.xml
newest_release=$(grep -m 1 -o '<release version="[^"]*"' "$metainfo" || true)
check "the changelog's newest entry is version $version" \
    grep -qF "morvane ($version) " <<<"$newest_entry"
check "the metadata's newest release is version $shown" \
    test "$newest_release" = "<release version=\"$shown\""
check "the unpacked program opens its window" env QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$tests/smoke.sh" "$unpacked/usr/bin/morvane"
exit $status
