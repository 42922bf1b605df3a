# shellcheck shell=bash
# Sourced by the scripts that start the window on a private X display (package
# check, screenshot, start-up benchmark, the X server test).
#   x_start DIR [wm]  starts Xvfb (and openbox with "wm") with its files in DIR and exports DISPLAY
#   x_stop            stops what x_start started; safe to call more than once
x_pids=()

x_fail() {
  echo "xsession: $*" >&2
  return 1
}

# Runs "$@" every 0.1 s until it succeeds, for at most $1 seconds.
x_wait() {
  local seconds=$1 i
  shift
  for ((i = 0; i < seconds * 10; i++)); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

x_start() {
  local dir=$1 wm=${2:-} display
  mkdir -p "$dir/config" "$dir/runtime"
  chmod 700 "$dir/runtime"
  mkfifo "$dir/displayfd"
  # -displayfd lets the server pick a free display and report it once it accepts clients.
  Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 -dpi 96 3>"$dir/displayfd" \
    >"$dir/xvfb.log" 2>&1 &
  x_pids+=($!)
  read -r -t 20 display <"$dir/displayfd" || true
  [ -n "${display:-}" ] || { cat "$dir/xvfb.log" >&2; x_fail "Xvfb did not start"; return 1; }
  export DISPLAY=":$display"
  # Keep the user's settings and session out of the picture.
  export XDG_CONFIG_HOME="$dir/config" XDG_RUNTIME_DIR="$dir/runtime"
  unset XAUTHORITY WAYLAND_DISPLAY SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS
  export QT_QPA_PLATFORM=xcb QT_ENABLE_HIGHDPI_SCALING=0 QT_SCALE_FACTOR=1 QT_FONT_DPI=96
  unset QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME
  if [ "$wm" = wm ]; then
    openbox --sm-disable >"$dir/openbox.log" 2>&1 &
    x_pids+=($!)
    # The property is there once openbox manages the screen.
    x_wait 20 sh -c 'xprop -root -notype _NET_SUPPORTING_WM_CHECK | grep -q "window id"' \
      || { cat "$dir/openbox.log" >&2; x_fail "openbox did not take the screen"; return 1; }
  fi
}

x_stop() {
  local i pid
  for ((i = ${#x_pids[@]} - 1; i >= 0; i--)); do
    pid=${x_pids[i]}
    if kill "$pid" 2>/dev/null; then wait "$pid" 2>/dev/null || true; fi
  done
  x_pids=()
}
