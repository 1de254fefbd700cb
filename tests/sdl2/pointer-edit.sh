#!/usr/bin/env bash
# The curve editor under a real pointer: tavrix-view --edit on the fire sample
# in an X display of 1280x800 (run under xvfb-run), xdotool moving, pressing
# and dragging the pointer as a hand does, without a window manager. On the
# effect's ScaleLife curve, which opens on the effect's 4 s: two double-clicks
# add two keys, a third is added and removed with a right-click, a slow box
# selects the two, and a press on one of them dragged in 20 steps over a
# second moves both. Ctrl+S saves; the saved keys say that each step worked.
#   pointer-edit.sh VIEWER FIRE.json WORK-FOLDER
set -euo pipefail
viewer=$1 sample=$2 work=$3

# The canvas's plot inside the curve panel, as the editor lays it out at
# 1280x800: its top left in the window, its size, the time and value it spans.
plotX=24 plotY=380 plotW=474 plotH=154 spanS=4 rangeHigh=100
# Where each key goes, in pixels of the window.
ax=167 ay=456 bx=261 by=487 cx=380 cy=425 dx=40 dy=-30

rm -rf "$work"
mkdir -p "$work"
cp "$sample" "$work/fire.json"
cd "$work"
"$viewer" --edit fire.json --size 1280x800 > viewer.log 2>&1 &
pid=$!
trap 'kill -9 $pid 2> /dev/null || true' EXIT
xdotool search --sync --onlyvisible --name tavrix-view > /dev/null
# Its frames run once a screenshot asked by key is saved; the panels took
# their places in the first.
xdotool mousemove 720 200 key s
for _ in $(seq 1 100); do
  [ -e tavrix-view-1.png ] && break
  sleep 0.1
done

# A hand reaches a place before it presses there.
point() {
  xdotool mousemove "$1" "$2"
  sleep 0.3
}
double_click() {
  point "$1" "$2"
  xdotool click --repeat 2 --delay 150 1
  sleep 0.5
}
# From x,y by dx,dy in 20 steps over a second, the left button held.
drag() {
  point "$1" "$2"
  xdotool mousedown 1
  for i in $(seq 1 20); do
    xdotool mousemove $(($1 + $3 * i / 20)) $(($2 + $4 * i / 20))
    sleep 0.05
  done
  xdotool mouseup 1
  sleep 0.5
}

double_click $ax $ay
double_click $bx $by
double_click $cx $cy
xdotool click 3 # the pointer is on the third key
sleep 0.5
drag $((ax - 20)) $((ay - 45)) $((bx - ax + 40)) $((by - ay + 75)) # a box around the two
drag $ax $ay $dx $dy
before=$(stat -c %i.%.9Y fire.json)
xdotool key ctrl+s
for _ in $(seq 1 50); do
  [ "$(stat -c %i.%.9Y fire.json)" != "$before" ] && break
  sleep 0.1
done
xdotool key Escape # saved: it quits without asking
for _ in $(seq 1 50); do
  kill -0 $pid 2> /dev/null || break
  sleep 0.1
done
if kill -0 $pid 2> /dev/null; then
  echo "tavrix-view did not quit after the save" >&2
  exit 1
fi

python3 - "$plotX" "$plotY" "$plotW" "$plotH" "$spanS" "$rangeHigh" \
  "$ax" "$ay" "$bx" "$by" "$dx" "$dy" << 'EOF'
import json, sys
plotX, plotY, plotW, plotH, span, high, ax, ay, bx, by, dx, dy = map(float, sys.argv[1:])
def key_at(x, y):  # the time and value under a pixel
    return ((x - plotX) / plotW * span, (plotY + plotH - y) / plotH * high)
record = json.load(open("fire.json"))
tracks = [t for t in record.get("tracks", []) if t["name"] == "ScaleLife"]
keys = [(k["time"], k["value"]) for k in tracks[0]["keys"]] if tracks else []
expected = [(0.0, 1.0), key_at(ax + dx, ay + dy), key_at(bx + dx, by + dy)]
# Within two pixels: the box moved both, the drag followed the pointer, the
# right-click left two added keys, and the axis was the effect's 4 s.
near = len(keys) == 3 and all(
    abs(k[0] - e[0]) <= 2 * span / plotW and abs(k[1] - e[1]) <= 2 * high / plotH
    for k, e in zip(keys, expected))
if not near:
    sys.exit("ScaleLife keys saved %s, expected about %s" % (keys, expected))
print("ScaleLife keys saved at", keys)
EOF
