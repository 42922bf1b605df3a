#!/bin/bash
# Remakes docs/windows-96dpi.png and docs/windows-144dpi.png: kalvetra.exe
# under wine on a private X server, a result in each panel and the
# temperature's explanation showing.
#   win32/screenshot.sh path/to/kalvetra.exe
set -euo pipefail
exe=$(realpath "$1")
docs=$(dirname "$(realpath "$0")")/../docs
work=$(mktemp -d)
export DISPLAY=:$((70 + RANDOM % 20)) WINEPREFIX=$work/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
Xvfb "$DISPLAY" -screen 0 1280x1024x24 >/dev/null 2>&1 & xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $wm $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 1
openbox >/dev/null 2>&1 & wm=$!
wineboot -i >/dev/null 2>&1
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true

shot() {  # dpi crop
    local dpi=$1
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    (setsid wine "$exe" >/dev/null 2>&1 &)
    local w
    w=$(timeout 60 xdotool search --sync --name '^Kalvetra$' | head -1)
    sleep 2
    xdotool windowactivate --sync "$w" 2>/dev/null || true
    # Along the tab order: 550 in the first box and Wylicz, 550 into the lower
    # left panel, 21.938 mV (a typed full stop) at 21 °C into the right one.
    xdotool type --delay 60 550; xdotool key --delay 60 Tab Tab Tab Tab space
    xdotool key --delay 60 Tab Tab Tab; xdotool type --delay 60 550
    xdotool key --delay 60 shift+Tab shift+Tab space Tab Tab Tab Tab Tab
    xdotool type --delay 60 21.938; xdotool key --delay 60 Tab ctrl+a BackSpace
    xdotool type --delay 60 21
    xdotool key --delay 60 shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab space
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$w")"
    xdotool mousemove 5 5; sleep 0.3
    xdotool mousemove $((X + 7200 * dpi / 1440)) $((Y + 3860 * dpi / 1440)); sleep 0.3
    xdotool mousemove_relative 2 1; sleep 1.5
    import -window root "$work/root.png"
    convert "$work/root.png" -crop "$2" +repage -dither None -colors 128 \
        "PNG8:$docs/windows-${dpi}dpi.png"
    xdotool windowclose "$w"; sleep 1
}
shot 96 900x420+290+325
shot 144 1175x600+122+238
