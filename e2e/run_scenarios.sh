#!/usr/bin/env bash
# Runs scenario files under wine in a virtual display: e2e/run_scenarios.sh [--only WORD] [PATH...]
# (default: every *.scn under e2e/scenarios). BUILD_WIN names the Windows build (default
# build/win). Exits non-zero when any scenario fails.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export BUILD_WIN=${BUILD_WIN:-$repo/build/win}
source "$repo/e2e/wine-env.sh"
velsarom_xvfb_start
velsarom_wine_init
# One wine server for the whole run, kept a minute after its last program: programs that start
# while the server of the previous scenario shuts down can hang.
"$VELSAROM_WINESERVER" -p60 >/dev/null 2>&1 || true
export VELSAROM_WINE
exec /usr/bin/python3 "$repo/e2e/run_scenarios.py" "$@"
