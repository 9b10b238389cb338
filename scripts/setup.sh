# Shared by scripts/run and scripts/test: installs what is missing, then configures and builds.
# Sourced, not run.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The build tools, Qt and one CJK font (see the README for why this one).
packages=(cmake g++ ninja-build qt6-base-dev qt6-qpa-plugins fonts-wqy-microhei)
# The benchmarks, and the virtual X screen the start-up benchmark and the smoke test run on, with
# what the smoke test types, clicks and copies with.
bench_packages=(libbenchmark-dev libx11-dev xvfb xauth x11-utils xdotool xclip)
# The Windows cross-build (the host's moc and rcc serve it), and Wine to run its tests.
windows_packages=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 qt6-base-dev-tools)
wine_packages=(wine64)
# The checks of the Windows resources and of the installed desktop files and metadata.
resource_packages=(binutils-mingw-w64-x86-64 desktop-file-utils appstream)
# The Debian package: dpkg-shlibdeps and file compute its library dependencies, lintian checks it.
package_packages=(dpkg-dev file lintian)
# clang with its sanitizers and libFuzzer, for the robustness checks.
fuzz_packages=(clang-14 libclang-rt-14-dev)

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
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
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
