#!/usr/bin/env bash
# The main job, for a person to look at: installs what it needs, builds the Windows programs,
# and runs two scenarios in a virtual display of its own, each on a fresh copy of a surveyed
# parcel (16 corners, one side along a road curve, millimetres at 1:1000) in the simulated host
# with Velsarom.exe beside it, its window worked as a user works it:
#   run 1, e2e/demo/demo.scn: 自動 in three-side mode with a pick inside the parcel, the number
#     reset and 最大, 作成 with a pick for the table; the curved side counts as its chord.
#   run 2, e2e/demo/demo-segments.scn: 形状優先 and 弓形 on, 座標求積 (the coordinate table),
#     then 自動, 最大 and 作成; the curved side adds its circular segment, and the area table
#     ends with the coordinate table's area (座標面積) and the difference (差).
# It leaves under build/demo/, for run 1: the host's drawing (result.dxf), its picture
# (result.png), a screenshot of both windows (screenshot.png) and each click's time (clicks.txt);
# for run 2 the same as result-segments.dxf, result-segments.png, screenshot-segments.png and
# clicks-segments.txt. Then it prints, computed from the files, the parcel's area and for each
# run the table's final area beside it and their difference.
# Every wait of the run has a time limit (the runner's, and VELSAROM_DEMO_WAIT seconds, default
# 600, for both runs); the demo exits non-zero when one runs out or a check fails.
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

rc=0
timeout "$limit" bash "$repo/e2e/run_scenarios.sh" "$repo/e2e/demo/demo.scn" \
  "$repo/e2e/demo/demo-segments.scn" || rc=$?
case $rc in
  0) ;;
  124) fail "the runs did not end within $limit s" ;;
  *) fail "a run failed (see $BUILD_WIN/artifacts/scenarios/demo/ and demo-segments/)" ;;
esac
# keep NAME SUFFIX: run NAME's files into build/demo, their names ending in SUFFIX.
keep() {
  local art=$BUILD_WIN/artifacts/scenarios/$1
  cp "$art/drawing.dxf" "$out/result$2.dxf"
  cp "$art/screen.png" "$out/screenshot$2.png"
  cp "$art/clicks.txt" "$out/clicks$2.txt"
  # Larger than the runner's picture, for the length labels to be read.
  timeout 300 /usr/bin/python3 "$repo/e2e/render_dxf.py" "$out/result$2.dxf" "$out/result$2.png" \
    200 >/dev/null || fail "result$2.dxf could not be drawn to result$2.png"
}
keep demo ""
keep demo-segments -segments

echo "demo: the host's drawings  $out/result.dxf, $out/result-segments.dxf"
echo "demo: their pictures       $out/result.png, $out/result-segments.png"
echo "demo: both windows         $out/screenshot.png, $out/screenshot-segments.png"
echo "demo: each click's time    $out/clicks.txt, $out/clicks-segments.txt"
/usr/bin/python3 "$repo/e2e/demo/parcel_areas.py" "$repo/e2e/demo/survey-parcel.dxf" \
  "run 1 (by ears, chord)" "$out/result.dxf" \
  "run 2 (形状優先, 弓形)" "$out/result-segments.dxf" || fail "an area table does not add up"
