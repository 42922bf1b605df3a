#!/usr/bin/env bash
# Makes a wine prefix for running and testing the Windows build, once:
#   tools/wine-prefix.sh [PREFIX]   (default: build/windows/wine)
# 64-bit only, no Mono or Gecko prompts, wine's fonts installed, and a
# virtual desktop so that showing and hiding windows does not wait for a
# window manager that is not there.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${1:-$here/build/windows/wine}
export WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$WINEPREFIX/.kalvetra-ready" ] && exit 0
# A half-made prefix: its server goes first, or it would outlive the folder.
[ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
wine wineboot --init >/dev/null 2>&1
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
wineserver -w
touch "$WINEPREFIX/.kalvetra-ready"
echo "wine prefix ready: $WINEPREFIX"
