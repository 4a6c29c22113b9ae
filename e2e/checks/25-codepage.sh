#!/usr/bin/env bash
# The stand-in code page of the native tests against the system's code page 932 under wine:
# the same table of conversions must come out byte for byte the same.
set -euo pipefail
: "${BUILD_WIN:?BUILD_WIN is the cross build folder}"
: "${BUILD_NATIVE:?BUILD_NATIVE is the native build folder}"
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/wine-env.sh"

native="$BUILD_NATIVE/tests/platform/codepage_table"
windows="$BUILD_WIN/e2e/codepage/codepage_table.exe"
for program in "$native" "$windows"; do
  [ -f "$program" ] || { echo "25-codepage: $program is not built" >&2; exit 1; }
done
out="$BUILD_WIN/artifacts/codepage"
mkdir -p "$out"
"$native" >"$out/native.txt"
velsarom_xvfb_start
velsarom_wine_init
velsarom_wine "$windows" | tr -d '\r' >"$out/windows.txt"
lines=$(wc -l <"$out/native.txt")
if ! cmp -s "$out/native.txt" "$out/windows.txt"; then
  echo "25-codepage: the stand-in converts differently from code page 932 under wine:" >&2
  diff "$out/native.txt" "$out/windows.txt" | head -30 >&2
  exit 1
fi
echo "25-codepage: $lines conversions identical"
