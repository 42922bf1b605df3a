#!/usr/bin/env bash
# Installs the Debian 12 packages Kalvetra needs.
#   tools/install-deps.sh run   what building and starting the program needs
#   tools/install-deps.sh       everything the tests, checks and benchmarks need too
#   tools/install-deps.sh bench all that, and the tools that measure the benchmarks
#   tools/install-deps.sh windows  what cross-building the Windows programs, testing them
#                                  under wine and making their installer need
#   tools/install-deps.sh web      what building the web page with emscripten and testing it
#                                  in headless Chromium need
set -euo pipefail
packages=(build-essential cmake ninja-build qt6-base-dev qt6-base-dev-tools libgl-dev libcli11-dev
  fonts-dejavu-core fonts-dejavu-extra qt6-translations-l10n libfast-float-dev libfmt-dev)
if [ "${1:-all}" = windows ]; then
  packages=(cmake ninja-build libcli11-dev libfast-float-dev libfmt-dev g++-mingw-w64-x86-64-posix
    googletest wine wine64 fonts-wine xvfb xauth nsis icoutils librsvg2-bin unzip)
elif [ "${1:-all}" = web ]; then
  packages=(cmake ninja-build emscripten libfast-float-dev libfmt-dev zip
    python3 python3-selenium chromium chromium-driver)
elif [ "${1:-all}" = bench ]; then
  packages+=(hyperfine time python3-pandas)
fi
if [ "${1:-all}" != run ] && [ "${1:-all}" != windows ] && [ "${1:-all}" != web ]; then
  packages+=(
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format clang-tidy valgrind
    xvfb xauth x11-utils xdotool imagemagick openbox libxcb1-dev python3
    lintian desktop-file-utils appstream file
    librsvg2-bin
    python3-dev pybind11-dev python3-numpy python3-pytest python3-pandas python3-dask python3-distributed
  )
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
