#!/usr/bin/env bash
# End-to-end smoke test: starts the real viewer under Xvfb on a record file,
# takes a screenshot and checks its pixels: the green, yellow and red verdict
# cells, cyan grid lines over a red cell, and the header colour (that of the
# fixed cells, not white) above the first verdict cell.
# Usage: smoke_screenshot.sh VIEWER RECORD_FILE OUTPUT_DIR
# Exit code 77 (skipped) when Xvfb or ImageMagick is missing.
set -euo pipefail
viewer=$1
sample=$2
out=$3

for tool in Xvfb import convert xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
[ -f "$sample" ] || { echo "FAILED: no record file $sample"; exit 1; }
mkdir -p "$out"

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; }
trap cleanup EXIT

source "$(dirname "$0")/../../scripts/x-session.sh"
start_x_session 91 150 1280x1024x24 "$out" || { echo "FAILED: no free X display"; exit 1; }
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)

"$viewer" "$sample" >"$out/viewer.log" 2>&1 &
viewer_pid=$!
pids+=($viewer_pid)
# Poll rather than wait inside one xdotool call, and stop early if the viewer dies.
shown=0
for _ in $(seq 180); do
  if xdotool search --onlyvisible --name "Orvik Application System" >/dev/null 2>&1; then shown=1; break; fi
  kill -0 "$viewer_pid" 2>/dev/null || break
  sleep 0.5
done
if [ $shown -ne 1 ]; then
  echo "FAILED: the viewer's window did not appear"
  kill -0 "$viewer_pid" 2>/dev/null || echo "the viewer exited"
  xwininfo -root -tree 2>/dev/null | head -20 || true
  cat "$out/viewer.log"; exit 1
fi
sleep 2
import -window root "$out/screen.png"

# One line per pixel: "x y RRGGBB".
convert "$out/screen.png" -depth 8 txt:- \
  | awk -F'[ ,:]+' 'NR > 1 { for (i = 1; i <= NF; ++i) if ($i ~ /^#/) { print $1, $2, substr($i, 2, 6); break } }' \
  >"$out/pixels.txt"

count() { awk -v c="$1" '$3 == c { n++ } END { print n + 0 }' "$out/pixels.txt"; }
green=$(count 00FF00)
yellow=$(count FFFF00)
red=$(count FF0000)
cyan=$(count 00FFFF)
echo "pixels: green=$green yellow=$yellow red=$red cyan=$cyan"
status=0
[ "$green" -gt 100 ] || { echo "FAILED: no green (pass) cells"; status=1; }
[ "$yellow" -gt 100 ] || { echo "FAILED: no yellow (wrng) cells"; status=1; }
[ "$red" -gt 100 ] || { echo "FAILED: no red (fail) cells"; status=1; }
[ "$cyan" -gt 10 ] || { echo "FAILED: no cyan grid line over a red cell"; status=1; }

# The topmost green cell is in the first record row; just above it lies the
# header block of its column, drawn in the fixed cells' colour.
read -r gx gy < <(awk '$3 == "00FF00" { if (!seen || $2 < y) { x = $1; y = $2; seen = 1 } } END { print x + 0, y + 0 }' "$out/pixels.txt")
pixel() { awk -v x="$1" -v y="$2" '$1 == x && $2 == y { print $3; exit }' "$out/pixels.txt"; }
header=$(pixel $((gx + 3)) $((gy - 8)))
echo "header above the first verdict cell: $header"
[ -n "$header" ] && [ "$header" != "FFFFFF" ] && [ "$header" != "00FF00" ] \
  || { echo "FAILED: the header row above the verdict cells is not drawn in the header colour"; status=1; }
# Hovering the clipped "Wavelength" heading shows its title tip over it; a
# click on the tip reaches the grid as if the tip were not there: the
# column is selected and its cells turn the highlight colour.
main_window=$(xdotool search --onlyvisible --name "Orvik Application System" | head -1)
tip_under_pointer() {
  local under
  under=$(xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')
  [ -n "$under" ] && [ "$under" != "$main_window" ] && xwininfo -id "$under" | awk '/Width:/ { exit !($2 < 400) }'
}
# A loaded machine may take a moment: the pointer rests and stirs until the tip is up.
tip=0
for x in $(seq 300 311); do
  xdotool mousemove "$x" 102; sleep 0.4
  if tip_under_pointer; then tip=1; break; fi
done
[ $tip -eq 1 ] || { echo "FAILED: no title tip over the clipped heading"; status=1; }
xdotool click 1; sleep 1
import -window root "$out/tip-click.png"
highlight=$(convert "$out/tip-click.png" -crop 60x300+270+140 -depth 8 txt:- | grep -c "#308CC6" || true)
echo "highlighted pixels below the clicked heading: $highlight"
[ "$highlight" -gt 1000 ] || { echo "FAILED: the click on the title tip did not reach the grid"; status=1; }

[ $status -eq 0 ] && echo "PASSED"
exit $status
