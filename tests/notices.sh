#!/usr/bin/env bash
# Checks that NOTICES.txt has a section for everything linked into Morvane.exe whose licence asks
# for its notice: each static archive the linker took a member from and each object it loaded from
# outside the build (start-up files, Qt's resources and plugin registrations). Import libraries of
# Windows' own DLLs are left out: their members, made by dlltool, only forward to the DLL, and the
# linker's map shows them by their .idata$ sections. Paths relative to the build directory are the
# project's own libraries.
# Usage: notices.sh MAP-FILE NOTICES.txt   (the map of the link of Morvane.exe, from GNU ld)
set -euo pipefail
map=$1
notices=$2

source "$(dirname "${BASH_SOURCE[0]}")/check.sh"

# One name a line: the archives with a member that is more than an import stub, and the objects.
linked=$(awk '
    /^Discarded input sections/ { memory = 1 }
    !memory && /^\/[^ ]*\.a\(.*\)$/ { pulled[$0] = 1 }
    memory && / 0x[0-9a-f]+ +0x[0-9a-f]+ +\/[^ ]*\.a\(.*\)$/ {
        section = NF == 4 ? $1 : previous
        if (section ~ /^\.idata\$/) forwards[$NF] = 1
    }
    memory && /^LOAD \// && $2 !~ /\.a$/ { needed[$2] = 1 }
    { previous = $1 }
    END {
        for (member in pulled)
            if (!(member in forwards)) { sub(/\(.*$/, "", member); needed[member] = 1 }
        for (path in needed) { sub(/.*\//, "", path); print path }
    }' "$map" | sort -u)
named=$(sed -n 's/^Linked from: //p' "$notices" | tr ',' '\n' | sed 's/^ *//; s/ *$//' | sort -u)

check "the map names the libraries linked into Morvane.exe" grep -qx 'libQt6Core.a' <<<"$linked"
for name in $linked; do
    check "NOTICES.txt has a section linked from $name" grep -qxF "$name" <<<"$named"
done
exit $status
