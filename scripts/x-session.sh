# Sourced by the scripts that drive the real viewer. start_x_session starts a
# private Xvfb display (the first free one from FIRST to LAST) and openbox
# when it is installed, and exports DISPLAY and the Qt settings for them. The
# processes it starts are added to the caller's `pids` array; their logs go
# to LOG_DIR.
# Usage: start_x_session FIRST LAST GEOMETRY LOG_DIR
start_x_session() {
  local first=$1 last=$2 geometry=$3 logs=$4 display="" d
  for d in $(seq "$first" "$last"); do
    if [ ! -e "/tmp/.X$d-lock" ] && [ ! -e "/tmp/.X11-unix/X$d" ]; then display=$d; break; fi
  done
  [ -n "$display" ] || { echo "no free X display" >&2; return 1; }
  Xvfb ":$display" -screen 0 "$geometry" -nolisten tcp >"$logs/xvfb.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
  export DISPLAY=":$display" QT_QPA_PLATFORM=xcb QT_QPA_PLATFORMTHEME=
  if command -v openbox >/dev/null; then
    openbox >"$logs/openbox.log" 2>&1 &
    pids+=($!)
    # A window mapped while the window manager is still starting can stay
    # unmapped; the viewer is started once openbox has announced itself.
    for _ in $(seq 100); do
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
      sleep 0.1
    done
  fi
}
