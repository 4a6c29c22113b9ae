#!/usr/bin/env bash
# The user's guide's pictures, made by this version of the program: runs the scenarios the guide
# shows (e2e/guide/make_pictures.py names them) under wine, takes the window's four pages (and
# the first page in 三斜 mode), renders every "before" and "after" drawing and writes the
# pictures, reduced to a few colours, into OUT (default docs/ja/img, the guide's own).
#   scripts/guide_pictures.sh [OUT]
# Needs the Windows build (scripts/build.sh win; BUILD_WIN names another one).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_WIN=${BUILD_WIN:-${VELSAROM_BUILD:-$repo/build}/win}
out=${1:-$repo/docs/ja/img}
make_pictures=$repo/e2e/guide/make_pictures.py
[ -f "$BUILD_WIN/shell/Velsarom.exe" ] || { echo "no Windows build in $BUILD_WIN" >&2; exit 1; }
source "$repo/e2e/wine-env.sh"
velsarom_xvfb_start
velsarom_wine_init

# The scenarios, wherever their files are: the guide's own, the tests', the demo's.
files=()
for name in $(/usr/bin/python3 "$make_pictures" --scenarios); do
  for dir in e2e/guide e2e/scenarios e2e/demo; do
    if [ -f "$repo/$dir/$name.scn" ]; then
      files+=("$repo/$dir/$name.scn")
      continue 2
    fi
  done
  echo "no scenario file $name.scn" >&2
  exit 1
done
bash "$repo/e2e/run_scenarios.sh" "${files[@]}"
velsarom_wine_stop

# The window alone, as it starts without a settings file, page by page.
run=$BUILD_WIN/e2e-run/guide-window
shots=$BUILD_WIN/artifacts/guide-window
rm -rf "$run" "$shots"
mkdir -p "$run" "$shots"
cp "$BUILD_WIN/shell/Velsarom.exe" "$run/"
probe() { velsarom_wine "$BUILD_WIN/e2e/windowprobe/windowprobe.exe" "$@" | tr -d '\r'; }
(cd "$run" && LC_ALL=ja_JP.UTF-8 exec "$VELSAROM_WINE" "$run/Velsarom.exe") &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; velsarom_wine_stop' EXIT
for _ in $(seq 1 100); do
  probe inspect >/dev/null 2>&1 && break
  sleep 0.3
done
shot() {  # shot PAGE NAME
  local rect
  rect=$(probe page "$1" | sed -n 's/^rect=//p')
  [ -n "$rect" ] || { echo "page $1 of the window could not be shown" >&2; exit 1; }
  sleep 0.5
  velsarom_screenshot "$shots/full.png"
  convert "$shots/full.png" -crop "$rect" +repage "$shots/$2.png"
}
shot 1 window-settei1
shot 2 window-settei2
shot 3 window-tool
shot 0 window-heron
probe click-text 三斜 >/dev/null
shot 0 window-sansha
rm -f "$shots/full.png"
probe close >/dev/null || true

/usr/bin/python3 "$make_pictures" "$BUILD_WIN/artifacts/scenarios" "$shots" "$out"
