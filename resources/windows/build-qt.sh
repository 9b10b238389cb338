#!/usr/bin/env bash
# Builds a static Qt 6 (Core, Gui, Widgets, Test and the Windows platform plugin) for 64-bit
# Windows from Debian's own qt6-base source package, with Debian's MinGW-w64 compiler and the host's
# Qt tools (same version). About an hour on two cores. Usage: build-qt.sh PREFIX [WORKDIR]
# Debian's source lacks the tablet (wintab) headers, so tablet events are off; Qt 6.4.2 without
# OpenGL also needs dynamicgl off to compile its Windows plugin.
set -euo pipefail
prefix=$1
work=${2:-$(mktemp -d)}
here=$(cd "$(dirname "$0")" && pwd)
apt-get install -y -q g++-mingw-w64-x86-64-posix perl qt6-base-dev qt6-base-dev-tools cmake ninja-build >/dev/null
cd "$work"
if [ ! -d qtbase-everywhere-src-* ]; then
  grep -rqs '^Types: deb-src' /etc/apt/sources.list.d/ || {
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > /etc/apt/sources.list.d/morvane-src.sources
    apt-get update -q >/dev/null; }
  apt-get source --download-only qt6-base >/dev/null
  tar xf qt6-base_*.orig.tar.xz
fi
src=$(ls -d "$work"/qtbase-everywhere-src-* | head -n 1)
cmake -G Ninja -S "$src" -B "$work/build" \
  -DCMAKE_TOOLCHAIN_FILE="$here/../../cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_QMAKE_TARGET_MKSPEC=win32-g++ -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
  -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_printsupport=OFF -DFEATURE_vulkan=OFF \
  -DFEATURE_sql=OFF -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF \
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF \
  -DFEATURE_freetype=OFF -DFEATURE_tabletevent=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_icu=OFF \
  -DFEATURE_static_runtime=ON
cmake --build "$work/build" ${JOBS:+-j$JOBS}
cmake --install "$work/build"
