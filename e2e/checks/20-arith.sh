#!/usr/bin/env bash
# The program's arithmetic under the Windows runtime: the arithmetic table built for Windows
# (parsing, 80-bit formatting, RoundToText, plane geometry, DXF number texts) must print,
# under wine, exactly what the same source prints in the native build; and again when the x87
# control word has first been set to a 53-bit mantissa, as a DLL may leave it.
set -euo pipefail
: "${BUILD_WIN:?BUILD_WIN is the cross build folder}"
: "${BUILD_NATIVE:?BUILD_NATIVE is the native build folder}"
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/wine-env.sh"

native="$BUILD_NATIVE/tests/geometry/arith_table"
windows="$BUILD_WIN/e2e/arith/arith_table.exe"
for program in "$native" "$windows"; do
  [ -f "$program" ] || { echo "20-arith: $program is not built" >&2; exit 1; }
done

out="$BUILD_WIN/artifacts/arith"
mkdir -p "$out"
"$native" >"$out/native.txt"
velsarom_xvfb_start
velsarom_wine_init
velsarom_wine "$windows" >"$out/windows.txt"

lines=$(wc -l <"$out/native.txt")
if [ "$lines" -lt 600 ]; then
  echo "20-arith: the native table has only $lines lines" >&2
  exit 1
fi
status=0
# same WINDOWS_TABLE RUN: the Windows table of that run equals the native one, or says how not.
same() {
  if ! cmp -s "$out/native.txt" "$1"; then
    echo "20-arith: $2: the Windows build computes differently:" >&2
    diff "$out/native.txt" "$1" | head -20 >&2
    status=1
  else
    echo "20-arith: $2: $lines lines identical in both builds"
  fi
}
same "$out/windows.txt" "as started"
velsarom_wine "$windows" --control-word 0x027f >"$out/windows-53.txt" 2>"$out/windows-53.err"
tr -d '\r' <"$out/windows-53.err"
grep -q "control word set to 0x027f" "$out/windows-53.err" || {
  echo "20-arith: the control word was not set to 53 bits" >&2
  status=1
}
same "$out/windows-53.txt" "control word first set to 53 bits"
exit $status
