#!/usr/bin/env bash
# The record table as a screen reader reads it: the real viewer under Xvfb,
# on a private D-Bus session with its own AT-SPI bus, read through AT-SPI by
# atspi_table.py (pyatspi), which also drives it with xdotool.
# Usage: atspi_table.sh VIEWER RECORD_FILE OUTPUT_DIR ROWS PAGES TEXT_3_4 TEXT_4_3
# (what the file should show, checked literally: see atspi_table.py).
# Exit code 77 (skipped) only when no AT-SPI bus can start.
set -euo pipefail
viewer=$1
sample=$2
out=$3
here=$(cd "$(dirname "$0")" && pwd)

if [ "${ATSPI_TABLE_INNER:-}" != 1 ]; then
  command -v dbus-run-session >/dev/null || { echo "SKIPPED: no AT-SPI bus: dbus-run-session is missing"; exit 77; }
  [ -f "$sample" ] || { echo "FAILED: no record file $sample"; exit 1; }
  mkdir -p "$out"
  pids=()
  trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true' EXIT
  source "$here/../../scripts/x-session.sh"
  start_x_session 161 220 1280x1024x24 "$out" || { echo "FAILED: no free X display"; exit 1; }
  status=0
  ATSPI_TABLE_INNER=1 dbus-run-session -- "$0" "$@" || status=$?
  exit $status
fi

# Inside the private session bus: the AT-SPI bus, then the viewer on it.
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || { echo "SKIPPED: no AT-SPI bus: $launcher is missing (at-spi2-core)"; exit 77; }
"$launcher" --launch-immediately >"$out/atspi-bus.log" 2>&1 &
launcher_pid=$!
bus_up() { dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1; }
for _ in $(seq 100); do bus_up && break; sleep 0.1; done
bus_up || { echo "SKIPPED: no AT-SPI bus: the bus launcher did not start"; cat "$out/atspi-bus.log"; exit 77; }
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$viewer" "$sample" >"$out/viewer.log" 2>&1 &
viewer_pid=$!
status=0
# Debian's python, where python3-pyatspi is installed.
/usr/bin/python3 "$here/atspi_table.py" "${@:4}" || status=$?
kill "$viewer_pid" "$launcher_pid" 2>/dev/null || true
wait 2>/dev/null || true
[ $status -eq 0 ] || { echo "viewer log:"; cat "$out/viewer.log"; }
exit $status
