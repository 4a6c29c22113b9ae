#!/usr/bin/env bash
# The test command: installs what it needs, builds the native, sanitizer and Windows builds and
# runs every test tier this machine can run (unit and in-process tests, the same tests under
# address and undefined-behaviour sanitizers, the checks of real files with ezdxf, the
# real-window checks and scenarios under wine in a virtual X display, and the demo of
# scripts/demo.sh).
#   VELSAROM_SKIP_SANITIZE=1  skip the sanitizer build
#   VELSAROM_SKIP_WINE=1      skip the Windows build and the wine tier
# A skipped tier is named at the end, which then does not say that all tests passed. A test
# folder that holds no test fails the run instead of passing on nothing.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${VELSAROM_BUILD:-$repo/build}
export VELSAROM_BUILD=$build

step() { printf '\n=== %s\n' "$*"; }
skipped=()
[ "${VELSAROM_SKIP_SANITIZE:-0}" != 1 ] || skipped+=("sanitizer tier (VELSAROM_SKIP_SANITIZE=1)")
[ "${VELSAROM_SKIP_WINE:-0}" != 1 ] || skipped+=("Windows build and wine tier (VELSAROM_SKIP_WINE=1)")

# Known before anything is built: the real-window checks must be there to run.
shopt -s nullglob
checks=("$repo"/e2e/checks/*.sh)
shopt -u nullglob
if [ "${VELSAROM_SKIP_WINE:-0}" != 1 ] && [ ${#checks[@]} -eq 0 ]; then
  echo "no real-window checks in $repo/e2e/checks (*.sh): the wine tier would pass on nothing" >&2
  exit 1
fi

bash "$repo/scripts/setup.sh"

step "folders depend one way (includes)"
/usr/bin/python3 "$repo/scripts/check_includes.py" -q
step "native build"
bash "$repo/scripts/build.sh" native
step "native tests"
ctest --test-dir "$build/native" --output-on-failure --no-tests=error -j2

if [ "${VELSAROM_SKIP_SANITIZE:-0}" != 1 ]; then
  step "sanitizer build"
  bash "$repo/scripts/build.sh" sanitize
  step "sanitizer tests"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$build/sanitize" --output-on-failure --no-tests=error -j2
fi

if [ "${VELSAROM_SKIP_WINE:-0}" != 1 ]; then
  step "Windows build"
  bash "$repo/scripts/build.sh" win
  step "real-window checks under wine"
  export BUILD_WIN=$build/win BUILD_NATIVE=$build/native
  mkdir -p "$BUILD_WIN/artifacts"
  source "$repo/e2e/wine-env.sh"
  velsarom_xvfb_start
  velsarom_wine_init
  failed=()
  for check in "${checks[@]}"; do
    step "$(basename "$check")"
    if ! bash "$check"; then failed+=("$(basename "$check")"); fi
    # A window left over by one check must not be found by the next one.
    velsarom_wine_stop
  done
  velsarom_wine_stop
  # Every button in the real window, from the scenario files (e2e/scenarios/README.md).
  step "scenarios (e2e/run_scenarios.sh)"
  if ! bash "$repo/e2e/run_scenarios.sh"; then failed+=(scenarios); fi
  velsarom_wine_stop
  # The README's main-job command, as a user runs it: it must return by itself and leave the
  # host's drawing and its picture.
  step "demo (scripts/demo.sh)"
  if ! bash "$repo/scripts/demo.sh"; then failed+=(demo); fi
  if [ ${#failed[@]} -gt 0 ]; then
    echo "wine checks failed: ${failed[*]}" >&2
    exit 1
  fi
  echo "artifacts: $BUILD_WIN/artifacts"
fi
if [ ${#skipped[@]} -gt 0 ]; then
  printf -v not_run '%s; ' "${skipped[@]}"
  step "the tiers that ran passed; NOT run: ${not_run%; }"
else
  step "all tests passed"
fi
