# Shared by scripts/run and scripts/test: installs what is missing, then configures and builds.
# Sourced, not run.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Every time a build or a download records is the last commit's, so that the same commit gives the
# same bytes wherever and whenever it is built. A tree exported without git history is given one.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)
fi
export SOURCE_DATE_EPOCH

# The release this machine runs, "debian 12" for one: what can be built here depends on it.
os_release=$(. /etc/os-release && echo "$ID $VERSION_ID")

# The build tools, Qt and one CJK font (docs/building.md says why this one).
packages=(cmake g++ ninja-build qt6-base-dev qt6-qpa-plugins fonts-wqy-microhei)
# The benchmarks, and the virtual X screen the start-up benchmark and the smoke test run on, with
# what the smoke test types, clicks and copies with.
bench_packages=(libbenchmark-dev libx11-dev xvfb xauth x11-utils xdotool xclip)
# The Windows cross-build (the host's moc and rcc serve it), and Wine to run its tests.
# With the installer's and the zip's makers.
windows_packages=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 qt6-base-dev-tools nsis zip)
wine_packages=(wine64)
# The checks of the Windows resources and of the installed desktop files and metadata.
resource_packages=(binutils-mingw-w64-x86-64 desktop-file-utils appstream)
# The Debian package: dpkg-shlibdeps and file compute its library dependencies, lintian checks it.
package_packages=(dpkg-dev file lintian)
# scripts/make-notices: the JSON of Qt's third-party records, and GCC's source for the notices
# inside libstdc++.
notices_packages=(python3 gcc-12-source)
# The release: Authenticode signing, and the throwaway certificate its check signs with.
release_packages=(osslsigncode openssl)
# clang with its sanitizers and libFuzzer, for the robustness checks, at the version the release
# ships (14 on Debian 12, 19 on Debian 13); clang-format for the test of the committed style.
fuzz_packages=(clang libclang-rt-dev)
format_packages=(clang-format)

# The static Qt for Windows: MORVANE_WINDOWS_QT, else beside the project, else beside the checkout
# a fresh clone was made from; where it is in neither, the place beside the project.
windows_qt_archive() {
    if [ -n "${MORVANE_WINDOWS_QT:-}" ]; then
        echo "$MORVANE_WINDOWS_QT"
        return
    fi
    local origin folder archive beside
    origin=$(git -C "$root" remote get-url origin 2>/dev/null || true)
    beside=$(realpath -m "$root/../shared/windows/qt6-mingw64-static.tar.xz")
    for folder in "$root/.." ${origin:+"$origin/.."}; do
        archive=$(realpath -m "$folder/shared/windows/qt6-mingw64-static.tar.xz")
        [ -f "$archive" ] && break
        archive=$beside
    done
    echo "$archive"
}

# windows_skipped WHAT: when the Windows part cannot run here, prints in one line that WHAT is
# skipped, why and how to get it, and succeeds. The downloads are built on Debian 12 alone: the
# toolchain is part of what makes them reproducible, and later releases' Qt tools cannot build
# against the static Qt 6.4. CI builds and tests both platforms: there a missing Qt fails.
windows_skipped() {
    local archive
    archive=$(windows_qt_archive)
    if [ "$os_release" != "debian 12" ]; then
        echo "Skipped: $1; Windows downloads are built on Debian 12 only, this is $os_release."
    elif [ ! -f "$archive" ]; then
        if [ "${CI:-}" = true ]; then
            echo "No static Qt for Windows at $archive: CI cannot skip $1." >&2
            exit 1
        fi
        echo "Skipped: $1; no static Qt for Windows at $archive (resources/windows/build-qt.sh" \
            "builds one in about an hour, see docs/building.md)."
    else
        return 1
    fi
}

install_missing() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    # sudo drops the environment: env passes the setting on to apt-get.
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
        --no-install-recommends "${missing[@]}" >/dev/null
}

# build DIR TARGET [cmake options...]: configures once, then only rebuilds what changed.
build() {
    local dir=$root/build/$1 target=$2
    shift 2
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
    fi
    cmake --build "$dir" --target "$target"
}
