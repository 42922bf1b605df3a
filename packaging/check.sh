#!/usr/bin/env bash
# Builds the Debian package, checks its metadata and lintian's verdict, installs
# it, starts the installed program on a private X display, closes it and removes
# the package again. Run as root; needs no display. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# shellcheck source=tools/xsession.sh
source tools/xsession.sh

fail() {
  echo "check.sh: FAIL: $*" >&2
  exit 1
}
step() { echo "== $*"; }
# True once the started program has exited (a child stays a zombie until waited for).
app_ended() {
  local state
  state=$(awk '{print $3}' "/proc/$app_pid/stat" 2>/dev/null) || return 0
  [ -z "$state" ] || [ "$state" = Z ]
}

[ "$(id -u)" -eq 0 ] || fail "run as root: the check installs and removes the package"
for p in kalvetra python3-kalvetra; do
  if dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    fail "$p is installed already; remove it first (apt-get remove $p)"
  fi
done

work=$(mktemp -d /tmp/kalvetra-check.XXXXXX)
installed=0
py_installed=0
app_pid=
cleanup() {
  local rc=$?
  set +e # clean up everything, whatever fails
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
  x_stop
  if ((py_installed)); then
    DEBIAN_FRONTEND=noninteractive apt-get remove -y python3-kalvetra >/dev/null 2>&1 || rc=1
  fi
  if ((installed)); then
    DEBIAN_FRONTEND=noninteractive apt-get remove -y kalvetra >/dev/null 2>&1 || rc=1
  fi
  rm -rf "$work"
  exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

step "build the package"
deb=$(packaging/build-deb.sh)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' build/package/CMakeCache.txt)
[ -n "$version" ] || fail "no project version in build/package/CMakeCache.txt"
[ "$(basename "$deb")" = "kalvetra_${version}_amd64.deb" ] || fail "unexpected file name $deb"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
[ "$(dpkg-deb --field "$deb" Version)" = "$version" ] || fail "package version is not $version"
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' \
  || fail "Depends lacks the Qt libraries: $(dpkg-deb --field "$deb" Depends)"

step "package contents"
tree="$work/tree"
dpkg-deb --extract "$deb" "$tree"
share="$tree/usr/share"
for f in usr/bin/kalvetra usr/share/man/man1/kalvetra.1.gz usr/share/doc/kalvetra/copyright \
         usr/share/doc/kalvetra/changelog.gz usr/bin/kalvetra-cli usr/share/man/man1/kalvetra-cli.1.gz; do
  [ -f "$tree/$f" ] || fail "missing /$f"
done
[ -x "$tree/usr/bin/kalvetra" ] || fail "/usr/bin/kalvetra is not executable"
file -b "$tree/usr/bin/kalvetra" | grep -q ', stripped' || fail "/usr/bin/kalvetra is not stripped"
metainfos=("$share"/metainfo/*.metainfo.xml)
if [ "${#metainfos[@]}" -ne 1 ] || [ ! -f "${metainfos[0]}" ]; then
  fail "expected one metainfo file in /usr/share/metainfo"
fi
metainfo=${metainfos[0]}
cid=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
[ "$(basename "$metainfo")" = "$cid.metainfo.xml" ] || fail "metainfo file not named after its id $cid"
desktop_id=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
desktop="$share/applications/$desktop_id"
[ -f "$desktop" ] || fail "the metainfo launches $desktop_id, which the package does not install"
grep -q "^Exec=kalvetra\b" "$desktop" || fail "$desktop_id does not start kalvetra"
icon=$(sed -n 's/^Icon=//p' "$desktop")
svg="$share/icons/hicolor/scalable/apps/$icon.svg"
for size in 16 24 32 48 64 128 256; do
  png="$share/icons/hicolor/${size}x${size}/apps/$icon.png"
  [ -f "$png" ] || fail "Icon=$icon has no ${size}x${size} PNG"
  file -b "$png" | grep -q "^PNG image data, $size x $size," \
    || fail "$icon.png in ${size}x${size} is not that size: $(file -b "$png")"
done
[ -f "$svg" ] || fail "Icon=$icon has no scalable SVG"
file -b "$svg" | grep -qi 'SVG' || fail "$icon.svg is not SVG: $(file -b "$svg")"
echo "metainfo $cid, desktop file $desktop_id, icon $icon: consistent"

step "desktop-file-validate $desktop_id"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejected $desktop_id"

step "appstreamcli validate $(basename "$metainfo")"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli rejected the metainfo"
appstreamcli validate-tree --no-net "$tree" || fail "appstreamcli rejected the installed tree"

step "lintian"
lintian --display-info --pedantic --fail-on error "$deb" || fail "lintian reported errors"

step "install"
installed=1 # from here on cleanup removes it, even after a half-done install
DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb"
[ "$(dpkg-query -W -f='${Version}' kalvetra)" = "$version" ] || fail "installed version is not $version"
[ -x /usr/bin/kalvetra ] || fail "/usr/bin/kalvetra not installed"
[ -f "/usr/share/applications/$desktop_id" ] || fail "/usr/share/applications/$desktop_id not installed"

step "run /usr/bin/kalvetra-cli"
[ -x /usr/bin/kalvetra-cli ] || fail "/usr/bin/kalvetra-cli not installed"
[ -f /usr/share/man/man1/kalvetra-cli.1.gz ] || fail "the kalvetra-cli man page is not installed"
cli_version=$(/usr/bin/kalvetra-cli --version) || fail "kalvetra-cli --version failed"
[ "$cli_version" = "kalvetra-cli $version" ] || fail "kalvetra-cli --version printed '$cli_version'"
cli_emf=$(/usr/bin/kalvetra-cli emf K 100) || fail "kalvetra-cli emf K 100 failed"
[ "$cli_emf" = 4.0962 ] || fail "kalvetra-cli emf K 100 printed '$cli_emf', not 4.0962"
echo "$cli_version: emf K 100 = $cli_emf mV"

step "start /usr/bin/kalvetra"
x_start "$work/x" wm
/usr/bin/kalvetra >"$work/kalvetra.log" 2>&1 &
app_pid=$!
wids=$(timeout 30 xdotool search --sync --onlyvisible --name '^Kalvetra$') \
  || { cat "$work/kalvetra.log"; fail "no visible window titled Kalvetra within 30 s"; }
[ "$(wc -l <<<"$wids")" -eq 1 ] || fail "more than one window titled Kalvetra: $wids"
[ "$(xdotool getwindowname "$wids")" = Kalvetra ] || fail "window title is not exactly Kalvetra"
[ "$(xdotool getwindowpid "$wids")" = "$app_pid" ] || fail "the Kalvetra window is not the started program's"
xwininfo -id "$wids" | grep -E 'Width|Height|Map State'

step "close the window"
xdotool windowactivate --sync "$wids"
xdotool key --clearmodifiers alt+F4
x_wait 10 app_ended || { cat "$work/kalvetra.log"; fail "the program did not end when its window was closed"; }
rc=0
wait "$app_pid" || rc=$?
app_pid=
[ "$rc" -eq 0 ] || { cat "$work/kalvetra.log"; fail "the program ended with status $rc"; }
x_stop

step "remove"
DEBIAN_FRONTEND=noninteractive apt-get remove -y kalvetra
installed=0
[ ! -e /usr/bin/kalvetra ] || fail "/usr/bin/kalvetra left behind after removal"
[ ! -e /usr/bin/kalvetra-cli ] || fail "/usr/bin/kalvetra-cli left behind after removal"
[ ! -e "/usr/share/applications/$desktop_id" ] || fail "$desktop_id left behind after removal"
dpkg-query -W -f='${Status}' kalvetra 2>/dev/null | grep -q 'install ok installed' \
  && fail "kalvetra still installed after removal"

step "python3-kalvetra: contents, lintian"
pydeb="build/package/python3-kalvetra_${version}_amd64.deb"
[ -f "$pydeb" ] || fail "build-deb.sh made no $pydeb"
dpkg-deb --info "$pydeb"
dpkg-deb --contents "$pydeb"
pytree="$work/pytree"
dpkg-deb --extract "$pydeb" "$pytree"
for f in usr/share/doc/python3-kalvetra/copyright usr/share/doc/python3-kalvetra/changelog.gz; do
  [ -f "$pytree/$f" ] || fail "python3-kalvetra lacks /$f"
done
pkg="$pytree/usr/lib/python3/dist-packages/kalvetra"
sos=("$pkg"/_kalvetra.cpython-311-*.so)
[ -f "${sos[0]}" ] && [ -f "$pkg/__init__.py" ] \
  || fail "python3-kalvetra lacks the package kalvetra in /usr/lib/python3/dist-packages"
depends=$(dpkg-deb --field "$pydeb" Depends)
for d in 'python3 (>= 3.11)' 'python3 (<< 3.12)' python3-numpy libstdc++6; do
  grep -qF "$d" <<<"$depends" || fail "python3-kalvetra's Depends lacks $d: $depends"
done
lintian --display-info --pedantic --fail-on error "$pydeb" || fail "lintian reported errors in $pydeb"

step "install python3-kalvetra, import it"
py_installed=1
DEBIAN_FRONTEND=noninteractive apt-get install -y "./$pydeb"
py_emf=$(cd / && /usr/bin/python3 -c 'import kalvetra; print("%.4f" % kalvetra.emf("K", 100), kalvetra.__version__)') \
  || fail "import kalvetra failed with /usr/bin/python3"
[ "$py_emf" = "4.0962 $version" ] || fail "kalvetra.emf('K', 100), __version__ gave '$py_emf', not 4.0962 $version"
echo "kalvetra.emf('K', 100) = $py_emf mV"
DEBIAN_FRONTEND=noninteractive apt-get remove -y python3-kalvetra
py_installed=0
(cd / && /usr/bin/python3 -c 'import kalvetra' 2>/dev/null) && fail "kalvetra still importable after removal"
[ ! -e /usr/lib/python3/dist-packages/kalvetra ] || fail "/usr/lib/python3/dist-packages/kalvetra left behind"

echo "packaging check passed: $(basename "$deb") $(basename "$pydeb")"
