#!/usr/bin/env bash
# Releases the repository's newest commit twice, from two clones in different folders, at different
# times, under another umask and time zone, and checks that every file comes out byte for byte the
# same; then, where the Windows programs are built, signs a third release with a throwaway
# certificate and checks the signatures, and that a signed program less its signature is the
# unsigned one.
# Usage: release.sh REPOSITORY
set -euo pipefail
repository=$(realpath "$1")
source "$repository/scripts/setup.sh"
export MORVANE_WINDOWS_QT=$(windows_qt_archive)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

source "$(dirname "${BASH_SOURCE[0]}")/check.sh"

first=$scratch/first/morvane
second=$scratch/the/second/checkout
git clone -q "$repository" "$first"
git clone -q "$repository" "$second"
(cd "$first" && umask 022 && TZ=UTC scripts/release)
(cd "$second" && umask 077 && TZ=Asia/Shanghai scripts/release) >/dev/null

same() { # file: the same bytes in both releases, or where they first differ and why
    local difference
    difference=$(cmp "$first/dist/$1" "$second/dist/$1" 2>&1) && return 0
    echo "$difference"
    if command -v diffoscope >/dev/null; then
        diffoscope --text - "$first/dist/$1" "$second/dist/$1" | head -n 40 || true
    fi
    return 1
}
files=$(cd "$first/dist" && ls)
check "both releases wrote the same files" test "$files" = "$(cd "$second/dist" && ls)"
for file in $files; do
    check "$file is the same in both releases" same "$file"
done
check "SHA256SUMS verifies every download" \
    sh -c 'cd "$1" && sha256sum --quiet -c SHA256SUMS' - "$second/dist"

# The signatures are the Windows programs'.
windows_skipped "the check of the Windows programs' signatures" && exit $status
install_missing "${release_packages[@]}"

# A signed release, with a certificate and password made for this run alone.
export MORVANE_SIGN_P12=$scratch/signer.p12 MORVANE_SIGN_PASS=$RANDOM$RANDOM
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Morvane test signer" \
    -addext extendedKeyUsage=codeSigning -keyout "$scratch/signer.key" -out "$scratch/signer.pem" \
    2>/dev/null
openssl pkcs12 -export -inkey "$scratch/signer.key" -in "$scratch/signer.pem" \
    -passout env:MORVANE_SIGN_PASS -out "$MORVANE_SIGN_P12"
(cd "$second" && scripts/release) >/dev/null
unset MORVANE_SIGN_P12 MORVANE_SIGN_PASS
version=$(sed -n 's/^project(Morvane VERSION \([0-9.]*\) .*/\1/p' "$first/CMakeLists.txt")
for release in first second; do
    mkdir "$scratch/$release.zip"
    unzip -q "${!release}/dist/Morvane-$version-win64.zip" -d "$scratch/$release.zip"
done
signed=$scratch/second.zip/Morvane-$version/Morvane.exe
unsigned=$scratch/first.zip/Morvane-$version/Morvane.exe
verify() { # file
    osslsigncode verify -CAfile "$scratch/signer.pem" -in "$1" >/dev/null 2>&1
}
check "the zip's Morvane.exe is signed" verify "$signed"
check "the installer is signed" verify "$second/dist/Morvane-$version-setup.exe"
# NSIS makes the uninstaller at install time, from what the installer holds: install to see it.
export WINEPREFIX=$scratch/wine
"$repository/tests/wine.sh" "$second/dist/Morvane-$version-setup.exe" /S
/usr/lib/wine/wineserver -w
check "the uninstaller is signed" \
    verify "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/Morvane/Uninstall.exe"
check "SHA256SUMS lists the signed downloads" \
    sh -c 'cd "$1" && sha256sum --quiet -c SHA256SUMS' - "$second/dist"
osslsigncode remove-signature -in "$signed" -out "$scratch/stripped.exe" >/dev/null
check "Morvane.exe less its signature is the unsigned release's" \
    cmp "$scratch/stripped.exe" "$unsigned"
exit $status
