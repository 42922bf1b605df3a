#!/usr/bin/env bash
# Makes docs/screenshot.png: starts the window on a private X display, picks
# type K in the menu "Kalvetra", fills each panel, presses each "Wylicz" and
# captures the window once every result box shows text.
#   packaging/screenshot.sh [OUTPUT.png]
# KALVETRA_BIN=path uses that program instead of building one in build/screenshot.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs/screenshot.png}")
# shellcheck source=tools/xsession.sh
source "$root/tools/xsession.sh"

fail() {
  echo "screenshot.sh: $*" >&2
  exit 1
}

bin=${KALVETRA_BIN:-}
if [ -z "$bin" ]; then
  cmake -S "$root" -B "$root/build/screenshot" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DKALVETRA_BUILD_TESTS=OFF -DKALVETRA_BUILD_BENCH=OFF -DKALVETRA_BUILD_FUZZ=OFF >/dev/null
  cmake --build "$root/build/screenshot" --target kalvetra
  bin=$root/build/screenshot/window/kalvetra
fi
[ -x "$bin" ] || fail "no program at $bin"

work=$(mktemp -d /tmp/kalvetra-shot.XXXXXX)
app_pid=
cleanup() {
  set +e # clean up everything, whatever fails
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
  x_stop
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A fixed window manager gives the window the keyboard focus as a desktop would;
# the capture holds the window's own area only, without the manager's frame.
x_start "$work/x" wm
LANG=C.UTF-8 LC_ALL=C.UTF-8 "$bin" >"$work/kalvetra.log" 2>&1 &
app_pid=$!
wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Kalvetra$' | head -n 1) \
  || { cat "$work/kalvetra.log" >&2; fail "no window titled Kalvetra within 30 s"; }
xdotool windowactivate --sync "$wid"

# The client area is 682 x 331 px below the menu bar; the menu bar takes the rest.
eval "$(xdotool getwindowgeometry --shell "$wid")"
[ "$WIDTH" -eq 682 ] || fail "window is $WIDTH px wide, the positions below expect 682"
menu=$((HEIGHT - 331))
((menu > 0 && menu < 60)) || fail "window height $HEIGHT leaves no plausible menu bar"

# Centre of a control, in pixels from the window's top-left corner, from its
# panel's and its own position in twips (15 twips to the pixel).
# Usage: centre FRAME_LEFT FRAME_TOP LEFT TOP WIDTH HEIGHT
centre() {
  echo $((($1 + $3 + $5 / 2) / 15)) $((menu + ($2 + $4 + $6 / 2) / 15))
}
# Inner rectangle of a text box as an ImageMagick crop geometry (3 px off the frame).
inner() {
  echo $(($5 / 15 - 6))x$(($6 / 15 - 6))+$((($1 + $3) / 15 + 3))+$((menu + ($2 + $4) / 15 + 3))
}
click() {
  # shellcheck disable=SC2046
  xdotool mousemove --window "$wid" $(centre "$@") click 1
}
capture() {
  import -window "$wid" "$1"
}
colours() {
  convert "$1" -crop "$2" +repage -format %k info:
}
visible_windows() {
  xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l
}

# Panels and controls, in twips: Frame2 "Dopuszczalny Błąd", Frame3
# "Temperatura --- > EMF", Frame4 "EMF --- > Temperatura", and the Info
# panel's type name label.
F1=(120 240) F2=(4920 240) F3=(120 2520) F4=(4920 2520)
name_label=(120 360 3975 255)
text1_0=(1680 360 1215 285) text1_1=(1680 720 1215 285) text1_2=(1680 1080 1215 285)
text1_3=(1680 1440 1215 285) command1=(3120 480 1215 1215)
text2_0=(1800 480 1215 285) text2_2=(1800 1200 1215 285) command2=(3240 480 1215 1215)
text3_0=(1680 480 1215 285) text3_1=(1680 840 1215 285) text3_2=(1680 1200 1215 285)
command3=(3120 480 1215 1215)

capture "$work/start.png"

# Type K: second item of the second menu. The menu's title sits right of "Plik".
xdotool mousemove --window "$wid" 60 $((menu / 2)) click 1
x_wait 10 test "$(visible_windows)" -gt 1 || fail "the menu Kalvetra did not open"
xdotool key Down Down Return
x_wait 10 test "$(visible_windows)" -eq 1 || fail "the menu Kalvetra did not close"

click "${F2[@]}" "${text1_0[@]}"
xdotool type -- "-30"
click "${F2[@]}" "${command1[@]}"

click "${F3[@]}" "${text2_0[@]}"
xdotool type "100"
click "${F3[@]}" "${command2[@]}"

click "${F4[@]}" "${text3_0[@]}"
xdotool type "20.644" # the full stop shows as a decimal comma
click "${F4[@]}" "${text3_1[@]}"
xdotool key ctrl+a
xdotool type "25"
click "${F4[@]}" "${command3[@]}"

# Keep the pointer's hover highlight off the window.
xdotool mousemove 0 0

# Done once every result box shows text and two captures in a row agree.
results=(
  "$(inner "${F2[@]}" "${text1_1[@]}")" "$(inner "${F2[@]}" "${text1_2[@]}")"
  "$(inner "${F2[@]}" "${text1_3[@]}")" "$(inner "${F3[@]}" "${text2_2[@]}")"
  "$(inner "${F4[@]}" "${text3_2[@]}")"
)
settled() {
  local r
  capture "$work/b.png"
  cmp -s "$work/a.png" "$work/b.png" || { mv "$work/b.png" "$work/a.png"; return 1; }
  for r in "${results[@]}"; do
    (($(colours "$work/b.png" "$r") > 2)) || return 1
  done
}
capture "$work/a.png"
x_wait 20 settled || fail "the result boxes did not all fill"
if xdotool search --onlyvisible --name '^Wexa$' >/dev/null 2>&1; then
  fail "a message box appeared: an input was refused"
fi
name_crop=$(inner "${F1[@]}" "${name_label[@]}")
[ "$(convert "$work/start.png" -crop "$name_crop" +repage rgb:- | md5sum)" != \
  "$(convert "$work/b.png" -crop "$name_crop" +repage rgb:- | md5sum)" ] \
  || fail "the Info panel did not change: the type was not selected"

# No time stamps, so an unchanged window gives an unchanged file.
mkdir -p "$(dirname "$out")"
convert "$work/b.png" -strip "png:$out"
echo "wrote $out"
