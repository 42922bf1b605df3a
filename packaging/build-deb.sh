#!/usr/bin/env bash
# Builds the release Debian package: packaging/build-deb.sh [BUILD_DIR]
# Prints the path of the .deb on its last line. BUILD_DIR defaults to build/package.
# python3-kalvetra_*.deb, the Python module, lands in BUILD_DIR too.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/package}

# Debian's hardening and reproducibility flags, so lintian finds a binary built as Debian builds its own.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(cd "$root" && dpkg-buildflags --get CPPFLAGS)
cxxflags=$(cd "$root" && dpkg-buildflags --get CXXFLAGS)
ldflags=$(cd "$root" && dpkg-buildflags --get LDFLAGS)

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX=/usr \
  -DKALVETRA_BUILD_TESTS=OFF -DKALVETRA_BUILD_BENCH=OFF -DKALVETRA_BUILD_FUZZ=OFF \
  -DCMAKE_CXX_FLAGS="$cppflags $cxxflags" \
  -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" >&2
cmake --build "$build" >&2
rm -f "$build"/kalvetra_*.deb
(cd "$build" && cpack -G DEB) >&2

shopt -s nullglob
debs=("$build"/kalvetra_*.deb)
if ((${#debs[@]} != 1)); then
  echo "build-deb.sh: expected one kalvetra_*.deb in $build, found ${#debs[@]}" >&2
  exit 1
fi
# The Python module's python3-kalvetra, next to it.
"$root/packaging/python/build-deb.sh" "$build" >&2
echo "${debs[0]}"
