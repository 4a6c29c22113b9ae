#!/bin/bash
# Builds the simulated host's command-line fuzz target with clang (libFuzzer, address and
# undefined-behaviour sanitizers) and runs it from seeds of the product's command strings.
#   tests/fuzz/run_hostsim_command_fuzz.sh [seconds]   (default 300)
# Work files go to /work/build-hostsim-fuzz (or $FUZZ_DIR).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${FUZZ_DIR:-/work/build-hostsim-fuzz}
seconds=${1:-300}
mkdir -p "$out/seeds" "$out/corpus" "$out/artifacts"
clang++-14 -std=c++20 -O1 -g -fno-omit-frame-pointer -I"$root" \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  "$here/hostsim_command_fuzz.cpp" "$root"/hostsim/*.cpp \
  "$root/platform/Utf.cpp" "$root/platform/standin/Cp932CodePage.cpp" -o "$out/hostsim_command_fuzz"

# Seeds: the command strings the product sends ("\xff" lets time pass).
i=0
while IFS= read -r line; do
  printf '%b' "$line" >"$out/seeds/seed$((i++))"
done <<'SEEDS'
\x03\x03LASTPOINT 123,456,789 _iD\r\xff\xff'SETVAR LASTPOINT\r\x03
\x03SELECT FENCE -1,5 11,5\r\r\rFILEDIA 0 DXFOUT C:\\a.dxf\rO P \rV 2000 16\rFILEDIA 1 
_-BOUNDARY 5.0000,5.0000\r\r_FILEDIA 0 _DXFOUT C:\\b.dxf\rO SINGLE LAST\rV 2004 16\r_ERASE SINGLE LAST 
_UNDO M _LINE 0,0 3,4\r\r_-LAYER M H_HEN\r\r_UNDO B \x03\x03_UNDO 1 
SELECT \xff\xff\xff\x03\x03_mOvE P \r5,5\r\xff_LEADER 1,1 4,4\r\r\rN _ROTATE SINGLE P\r5,5\r180.0\r
_-INSERT *C:\\a.dxf\r0.0,0.0 1.0 0.0\r\x03_CLAYER "0"\r_-LAYER OF 0\r\r\r_AUNITS 3 'SETVAR ANGBASE\r
SEEDS

cd "$out"
"$out/hostsim_command_fuzz" "$out/corpus" "$out/seeds" -max_len=512 \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$out/artifacts/" \
  -print_final_stats=1 2>&1 | tee "$out/fuzz.log" | grep -E '^#[0-9]+.*(pulse|DONE)|ERROR|SUMMARY|stat::' || true
grep -q 'ERROR' "$out/fuzz.log" && exit 1
exit 0
