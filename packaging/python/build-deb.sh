#!/usr/bin/env bash
# Packs the Python module of an already built release tree as python3-kalvetra:
#   packaging/python/build-deb.sh BUILD_DIR
# Prints the path of the .deb on its last line.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
cache() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
version=$(cache CMAKE_PROJECT_VERSION)
[ "$(cache KALVETRA_PYTHON)" = ON ] || { echo "build-deb.sh: $build has no Python module" >&2; exit 1; }

# Laid out as a Debian source tree, where dpkg-shlibdeps looks for binaries.
src="$build/python3-kalvetra"
stage="$src/debian/python3-kalvetra"
rm -rf "$src"
DESTDIR="$stage" cmake --install "$build" --component python --prefix /usr --strip >&2
so=("$stage"/usr/lib/python3/dist-packages/kalvetra/_kalvetra.cpython-*.so)
strip --remove-section=.comment --remove-section=.note "${so[@]}"
chmod 0644 "${so[@]}"
doc="$stage/usr/share/doc/python3-kalvetra"
install -d "$doc"
install -m 0644 "$build/packaging/copyright" "$build/packaging/changelog.gz" "$doc/"

printf 'Source: kalvetra\n\nPackage: python3-kalvetra\nArchitecture: any\n' >"$src/debian/control"
shlibs=$(cd "$src" && dpkg-shlibdeps -O "${so[@]}" | sed -n 's/^shlibs:Depends=//p')

install -d "$stage/DEBIAN"
# Byte-compiled on install and cleaned on removal, as dh_python3 does for Debian's own.
install -m 0755 "$here/postinst" "$here/prerm" "$stage/DEBIAN/"
(cd "$stage" && find usr -type f -exec md5sum {} + | sort -k2) >"$stage/DEBIAN/md5sums"
chmod 0644 "$stage/DEBIAN/md5sums"
# The program's package, built first, carries the shared fields.
main="$build/kalvetra_${version}_amd64.deb"
maintainer=$(dpkg-deb --field "$main" Maintainer)
homepage=$(dpkg-deb --field "$main" Homepage)
sed -e "s|@VERSION@|$version|" -e "s|@MAINTAINER@|$maintainer|" -e "s|@HOMEPAGE@|$homepage|" \
    -e "s|@SIZE@|$(du -sk --exclude=DEBIAN "$stage" | cut -f1)|" -e "s|@SHLIBS@|$shlibs|" \
    "$here/control.in" >"$stage/DEBIAN/control"

deb="$build/python3-kalvetra_${version}_amd64.deb"
rm -f "$deb"
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >&2
echo "$deb"
