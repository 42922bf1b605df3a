#!/usr/bin/env bash
# Installs the Windows installer silently into a fresh wine prefix, runs the
# installed programs, uninstalls silently and checks that nothing is left:
# files, the Start-menu entry and the Add/Remove Programs entry.
#   packaging/windows/check.sh [BUILD_DIR]   (default: build/windows, after
#                                             cmake --workflow --preset windows)
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$here/build/windows}" && pwd)
setup=$(ls "$build"/kalvetra-*-setup.exe)
export WINEPREFIX=$build/wine-check
[ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
"$here/tools/wine-prefix.sh" "$WINEPREFIX"
wine() { "$here/tools/wine-run.sh" "$@"; }
fail() { echo "check: $*" >&2; exit 1; }

dir="$WINEPREFIX/drive_c/Program Files/Kalvetra"
win_dir='C:\Program Files\Kalvetra'
link="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kalvetra.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kalvetra'
window=no
unzip -l "$build"/kalvetra-*-windows.zip | grep -q '/kalvetra\.exe$' && window=yes

echo "== silent install: $(basename "$setup")"
wine "$setup" /S
[ -f "$dir/kalvetra-cli.exe" ] || fail "kalvetra-cli.exe not installed"
[ -f "$dir/uninstall.exe" ] || fail "no uninstaller"
entry=$(wine reg query "$key" | tr -d '\r')
for value in "DisplayName.*Kalvetra" "DisplayVersion.*[0-9]" "Publisher.*Kalvetra" "UninstallString"; do
  grep -q "$value" <<<"$entry" || fail "Add/Remove entry lacks $value: $entry"
done
echo "$entry" | grep -E 'Display|Publisher'

echo "== installed kalvetra-cli.exe emf K 100"
got=$(wine "$win_dir\\kalvetra-cli.exe" emf K 100)
want=$(wine "$build/cli/kalvetra-cli.exe" emf K 100)
echo "$got"
[ -n "$got" ] && [ "$got" = "$want" ] || fail "installed kalvetra-cli printed '$got', the build '$want'"

if [ "$window" = yes ]; then
  echo "== installed kalvetra.exe starts and quits"
  [ -f "$dir/kalvetra.exe" ] || fail "kalvetra.exe not installed"
  [ -f "$link" ] || fail "no Start-menu entry Kalvetra"
  # Shows the window, paints it and quits: the start-up check the window offers.
  timeout 60 "$here/tools/wine-run.sh" "$win_dir\\kalvetra.exe" --quit-after-paint ||
    fail "kalvetra.exe did not start, paint and quit (status $?)"
fi

echo "== silent uninstall"
wine "$win_dir\\uninstall.exe" /S
# The uninstaller runs on from a copy of itself after this returns.
for _ in $(seq 60); do [ -e "$dir" ] || break; sleep 0.5; done
[ -e "$dir" ] && fail "left behind: $(ls -A "$dir")"
[ -e "$link" ] && fail "Start-menu entry left behind"
wine reg query "$key" >/dev/null 2>&1 && fail "Add/Remove entry left behind"
wineserver -k 2>/dev/null || true
[ -f "$WINEPREFIX/.display.pid" ] && kill "$(cat "$WINEPREFIX/.display.pid")" 2>/dev/null || true
echo "Windows installer: install, run, uninstall all fine"
