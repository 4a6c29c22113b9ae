#!/usr/bin/env bash
# Configures and builds one build of the tree: native (default), sanitize or win.
#   scripts/build.sh native|sanitize|win
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${VELSAROM_BUILD:-$repo/build}
kind=${1:-native}
jobs=${VELSAROM_JOBS:-$(nproc)}
case "$kind" in
  native) args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  sanitize) args=(-DCMAKE_BUILD_TYPE=Debug -DVELSAROM_SANITIZE=ON) ;;
  win) args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake") ;;
  *) echo "unknown build kind: $kind" >&2; exit 2 ;;
esac
# A compiler cache, where one is installed, makes the rebuilds of a developer's machine short;
# paths taken relative to the checkout (and no working folder in the key) let two checkouts of
# the same sources share it.
if command -v ccache >/dev/null 2>&1; then
  args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$repo")} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
fi
cmake -S "$repo" -B "$build/$kind" -G Ninja "${args[@]}" >/dev/null
cmake --build "$build/$kind" -j"$jobs"
