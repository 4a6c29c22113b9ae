#!/usr/bin/env bash
# The main job, for a person to look at: installs what it needs, builds the Windows programs,
# starts the simulated host with a sample parcel and Velsarom.exe beside it under wine in a
# virtual display, and leaves screenshots and the resulting files under build/demo/.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${VELSAROM_BUILD:-$repo/build}
export VELSAROM_BUILD=$build
bash "$repo/scripts/setup.sh"
bash "$repo/scripts/build.sh" win
out=$build/demo
rm -rf "$out"
mkdir -p "$out"
export BUILD_WIN=$build/win
source "$repo/e2e/wine-env.sh"
velsarom_xvfb_start
velsarom_wine_init

# Velsarom keeps its settings and temporary files beside the executable: give it a folder.
cp "$BUILD_WIN/shell/Velsarom.exe" "$out/"
host_pid=""
if [ -f "$BUILD_WIN/hostsim/win32/hostsim.exe" ]; then
  cp "$BUILD_WIN/hostsim/win32/hostsim.exe" "$out/"
  cp "$repo/e2e/demo/parcel.dxf" "$out/parcel.dxf"
  (cd "$out" && velsarom_wine hostsim.exe parcel.dxf --save result.dxf >"$out/hostsim.log" 2>&1) &
  host_pid=$!
  sleep 3
fi
(cd "$out" && velsarom_wine Velsarom.exe >"$out/velsarom.log" 2>&1) &
app_pid=$!
sleep 4
velsarom_screenshot "$out/screenshot.png"
echo "screenshot: $out/screenshot.png"
# Close both programs the way a user does, so that settings and the drawing are saved.
velsarom_wine "$BUILD_WIN/e2e/closewin/closewin.exe" "Velsarom" >/dev/null 2>&1 || true
wait "$app_pid" 2>/dev/null || true
if [ -n "$host_pid" ]; then
  velsarom_wine "$BUILD_WIN/e2e/closewin/closewin.exe" "AutoCAD " >/dev/null 2>&1 || true
  wait "$host_pid" 2>/dev/null || true
  if [ -f "$out/result.dxf" ] && [ -f "$repo/e2e/render_dxf.py" ]; then
    /usr/bin/python3 "$repo/e2e/render_dxf.py" "$out/result.dxf" "$out/result.png" || true
  fi
fi
velsarom_wine_stop
ls -l "$out"
