#!/usr/bin/env bash
# The main job, for a person to look at: installs what it needs, builds the Windows programs,
# starts the simulated host with a sample parcel and Velsarom.exe beside it under wine in a
# virtual display, takes a screenshot, closes both as a user does, and leaves the screenshot,
# the host's drawing (result.dxf) and its picture (result.png) under build/demo/.
# Every wait has a time limit (VELSAROM_DEMO_WAIT seconds, default 90, for each window to
# appear or to close); a wait that runs out stops the demo with a message saying what did not
# happen, and the demo exits non-zero.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${VELSAROM_BUILD:-$repo/build}
export VELSAROM_BUILD=$build
limit=${VELSAROM_DEMO_WAIT:-90}
bash "$repo/scripts/setup.sh"
bash "$repo/scripts/build.sh" win
out=$build/demo
rm -rf "$out"
mkdir -p "$out"
export BUILD_WIN=$build/win
source "$repo/e2e/wine-env.sh"

pids=()
xvfb=""
fail() {
  echo "demo: $*" >&2
  exit 1
}
# Whatever happens, nothing of the demo is left running.
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  velsarom_wine_stop
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

# within SECONDS WHAT COMMAND...: runs COMMAND again each second until it succeeds; stops the
# demo with "WHAT did not happen within SECONDS s" when it has not.
within() {
  local seconds=$1 what=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || fail "$what did not happen within $seconds s"
    sleep 1
  done
}
running() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null) && [ "${state:0:1}" != Z ]
}
ended() { ! running "$1"; }
# start LOG EXE [ARGS]: a Windows program under wine, the wine process itself in the background
# (its id is the program's), started in the demo folder, its output in LOG there.
start() {
  local log=$1
  shift
  (cd "$out" && LC_ALL=ja_JP.UTF-8 exec "$VELSAROM_WINE" "$@" >"$log" 2>&1) &
  pids+=($!)
}
# A Windows program under wine in the foreground, at most SECONDS long.
run_for() {
  local seconds=$1
  shift
  timeout "$seconds" env LC_ALL=ja_JP.UTF-8 "$VELSAROM_WINE" "$@"
}
probe() { run_for 60 "$BUILD_WIN/e2e/windowprobe/windowprobe.exe" "$@"; }
# close WHAT CLASS-PATTERN TITLE-PREFIX: the window closed as a user closes it.
close() {
  local rc=0
  run_for $((limit + 30)) "$BUILD_WIN/e2e/closewin/closewin.exe" --class "$2" "$3" \
    $((limit * 1000)) >/dev/null 2>&1 || rc=$?
  case $rc in
    0) ;;
    1) fail "$1 was not found to be closed" ;;
    *) fail "$1 did not close within $limit s (closewin exit code $rc)" ;;
  esac
}

# A virtual display of the demo's own, on a number that is free: a display used before keeps the
# pixels of windows long gone where no window covers them, and the screenshot would show them.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$out/.display" >/dev/null 2>&1 &
xvfb=$!
within 30 "the virtual display starting" test -s "$out/.display"
export DISPLAY=:$(head -n1 "$out/.display")
rm -f "$out/.display"
velsarom_xvfb_start || fail "no virtual display"
timeout $((limit * 4)) bash -c "source '$repo/e2e/wine-env.sh' && velsarom_wine_init" ||
  fail "the wine prefix was not ready within $((limit * 4)) s"

# Velsarom keeps its settings and temporary files beside the executable: give it a folder.
cp "$BUILD_WIN/shell/Velsarom.exe" "$BUILD_WIN/hostsim/win32/hostsim.exe" "$out/"
cp "$repo/e2e/demo/parcel.dxf" "$out/parcel.dxf"
start hostsim.log hostsim.exe parcel.dxf --save result.dxf
host=$!
within "$limit" "the simulated host's windows appearing" probe wait-host
start velsarom.log Velsarom.exe
app=$!
within "$limit" "Velsarom's window appearing" probe inspect
sleep 2  # the first paint of both
timeout 60 bash -c "source '$repo/e2e/wine-env.sh' && velsarom_screenshot '$out/screenshot.png'" ||
  fail "no screenshot within 60 s"
echo "screenshot: $out/screenshot.png"

# Both closed the way a user closes them, so that the settings and the drawing are saved. The
# host's main window is named by class as well as title: its text window's title begins the
# same way, and closing that one only hides it.
close "Velsarom's window" TForm1 Velsarom
within "$limit" "Velsarom.exe ending after its window closed" ended "$app"
[ -f "$out/Velsarom.ini" ] || fail "Velsarom.exe wrote no settings file on closing"
close "the simulated host's main window" 'Afx:*:8:*' 'AutoCAD '
within "$limit" "hostsim.exe ending after its main window closed" ended "$host"
[ -s "$out/result.dxf" ] || fail "the simulated host saved no drawing (result.dxf) on closing"
timeout 300 /usr/bin/python3 "$repo/e2e/render_dxf.py" "$out/result.dxf" "$out/result.png" ||
  fail "result.dxf could not be drawn to result.png"
[ -s "$out/result.png" ] || fail "no picture of the drawing (result.png)"
ls -l "$out"
echo "demo: done; the drawing and its picture are $out/result.dxf and $out/result.png"
