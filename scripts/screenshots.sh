#!/usr/bin/env bash
# Takes the README's screenshots from the real viewer under Xvfb: the main
# window on the demo file, a title tip over a clipped heading, the print
# preview, the find bar and the verdict overview. Writes docs/screenshots/*.png
# (run after a normal build).
# Usage: scripts/screenshots.sh [VIEWER [RECORD_FILE]]
set -euo pipefail
cd "$(dirname "$0")/.."
viewer=${1:-build/src/app/orvik50}
sample=${2:-build/samples/demo.bin}
out=docs/screenshots
for tool in Xvfb openbox xdotool import convert xprop; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh" >&2; exit 1; }
done
[ -x "$viewer" ] && [ -f "$sample" ] || { echo "build first: $viewer and $sample are needed" >&2; exit 1; }
mkdir -p "$out"
work=$(mktemp -d /tmp/orvik-shots.XXXXXX)

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

source scripts/x-session.sh
start_x_session 151 199 1024x700x24 "$work"
# Settings of this run only: no recent files of the user's own.
export XDG_RUNTIME_DIR=$work XDG_CONFIG_HOME=$work/config

"$viewer" "$sample" >"$work/viewer.log" 2>&1 &
pids+=($!)
window=""
for _ in $(seq 120); do
  window=$(xdotool search --onlyvisible --name "^Orvik Application System$" 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.5
done
[ -n "$window" ] || { cat "$work/viewer.log"; echo "the viewer's window did not appear" >&2; exit 1; }
sleep 2

# Small files: 64 colours (the windows use few), no metadata.
save() { convert "$1" +dither -colors 64 -strip -define png:compression-level=9 "$out/$2"; echo "wrote $out/$2"; }

# The main window.
import -window root "$work/main.png"
save "$work/main.png" main-window.png

# A title tip: the pointer rests on the clipped "Wavelength" heading (the
# window is maximised, so the heading sits at the same screen spot).
xdotool mousemove --sync 300 102
sleep 1.5
import -window root "$work/tip.png"
convert "$work/tip.png" -crop 560x240+120+40 +repage "$work/tip-crop.png"
save "$work/tip-crop.png" title-tip.png

# The print preview (Ctrl+W).
xdotool mousemove 900 650 key --window "$window" ctrl+w
for _ in $(seq 60); do
  xdotool search --onlyvisible --name "^Print Preview$" >/dev/null 2>&1 && break
  sleep 0.5
done
sleep 2
import -window root "$work/preview.png"
save "$work/preview.png" print-preview.png
xdotool key Escape

# The find bar (Ctrl+F): an ONT name typed, Enter for the next match.
sleep 1
xdotool key --window "$window" ctrl+f
sleep 0.5
xdotool type --delay 80 "ont-1"
xdotool key Return
sleep 1
import -window root "$work/find.png"
convert "$work/find.png" -gravity south -crop 1024x300+0+0 +repage "$work/find-crop.png"
save "$work/find-crop.png" find-bar.png

# The verdict overview (Ctrl+Shift+O) over the table.
xdotool key Escape
xdotool key --window "$window" ctrl+shift+o
for _ in $(seq 60); do
  xdotool search --onlyvisible --name "^Verdict Overview" >/dev/null 2>&1 && break
  sleep 0.5
done
sleep 2
import -window root "$work/overview.png"
save "$work/overview.png" verdict-overview.png
