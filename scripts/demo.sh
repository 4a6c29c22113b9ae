#!/usr/bin/env bash
# The main job, for a person to look at: installs what it needs, builds the Windows programs,
# and runs the scenario e2e/demo/demo.scn in a virtual display of its own: the simulated host
# opens a surveyed parcel (16 corners, one side along a road curve, millimetres at 1:1000),
# Velsarom.exe beside it, and its window is worked as a user works it: 自動 in three-side mode
# with a pick inside the parcel, the number reset and 最大, 作成 with a pick for the table. It
# leaves under build/demo/: the host's drawing (result.dxf), its picture (result.png), a
# screenshot of both windows (screenshot.png) and each click's time (clicks.txt), then prints
# the final area of the table beside the parcel's coordinate area, computed from the file.
# Every wait of the run has a time limit (the runner's, and VELSAROM_DEMO_WAIT seconds, default
# 600, for the whole run); the demo exits non-zero when one runs out or a check fails.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${VELSAROM_BUILD:-$repo/build}
export VELSAROM_BUILD=$build
limit=${VELSAROM_DEMO_WAIT:-600}
bash "$repo/scripts/setup.sh"
bash "$repo/scripts/build.sh" win
out=$build/demo
rm -rf "$out"
mkdir -p "$out"
export BUILD_WIN=$build/win
source "$repo/e2e/wine-env.sh"

xvfb=""
fail() {
  echo "demo: $*" >&2
  exit 1
}
# Whatever happens, nothing of the demo is left running.
cleanup() {
  velsarom_wine_stop
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

# A virtual display of the demo's own, on a number that is free: a display used before keeps the
# pixels of windows long gone where no window covers them, and the screenshot would show them.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$out/.display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 1 300); do
  [ -s "$out/.display" ] && break
  sleep 0.1
done
[ -s "$out/.display" ] || fail "the virtual display did not start within 30 s"
export DISPLAY=:$(head -n1 "$out/.display")
rm -f "$out/.display"

scenario=$repo/e2e/demo/demo.scn
rc=0
timeout "$limit" bash "$repo/e2e/run_scenarios.sh" "$scenario" || rc=$?
case $rc in
  0) ;;
  124) fail "the run did not end within $limit s" ;;
  *) fail "the run failed (see $BUILD_WIN/artifacts/scenarios/demo/)" ;;
esac
art=$BUILD_WIN/artifacts/scenarios/demo
cp "$art/drawing.dxf" "$out/result.dxf"
cp "$art/screen.png" "$out/screenshot.png"
cp "$art/clicks.txt" "$out/clicks.txt"
# Larger than the runner's picture, for the length labels to be read.
timeout 300 /usr/bin/python3 "$repo/e2e/render_dxf.py" "$out/result.dxf" "$out/result.png" 200 \
  >/dev/null || fail "result.dxf could not be drawn to result.png"

echo "demo: the host's drawing  $out/result.dxf"
echo "demo: its picture         $out/result.png"
echo "demo: both windows        $out/screenshot.png"
echo "demo: each click's time   $out/clicks.txt"
/usr/bin/python3 "$repo/e2e/demo/parcel_areas.py" "$repo/e2e/demo/survey-parcel.dxf" \
  "$out/result.dxf" || fail "the area table does not add up"
