#!/bin/bash
# Builds the number scan's fuzz target with clang (libFuzzer, address and undefined-behaviour
# sanitizers) and runs it on the seeds in tests/fuzz/seeds/number_scan and slices of the shared
# DXF corpus.
#   tests/fuzz/run_number_scan_fuzz.sh [seconds]   (default 300)
# Work files go to /work/build-number-scan-fuzz (or $FUZZ_DIR); the log ends with libFuzzer's
# statistics, among them the number of inputs tried. A failing input is left in artifacts/;
# copy it into the seeds folder so that the replay test keeps it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
corpus_src=${DXF_CORPUS:-$root/tests/data/dxf-corpus}
out=${FUZZ_DIR:-/work/build-number-scan-fuzz}
seconds=${1:-300}
mkdir -p "$out/seeds" "$out/corpus" "$out/artifacts"

sources=(
  "$here/number_scan_fuzz.cpp"
  "$root/table/EntityLines.cpp" "$root/table/NumberEntries.cpp"
  "$root/RuzuRaru2016/hostlink/HostText.cpp"
  "$root/numbers/NumberText.cpp" "$root/numbers/NumberFormat.cpp" "$root/numbers/BigUnsigned.cpp"
  "$root/numbers/Extended.cpp"
  "$root/platform/Utf.cpp" "$root/platform/standin/Cp932CodePage.cpp"
)
clang++-14 -std=c++20 -O1 -g -fno-omit-frame-pointer -I"$root" \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  "${sources[@]}" -o "$out/number_scan_fuzz"

cp "$here"/seeds/number_scan/* "$out/seeds/"
# Slices of the real files around their ENTITIES section, cut at a line boundary.
/usr/bin/python3 - "$corpus_src" "$out/seeds" <<'PY'
import pathlib, sys
src, dst = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
for f in sorted(src.glob("*/*.dxf")):
    data = f.read_bytes()
    at = data.find(b"\nENTITIES")
    if at > 0:
        start = data.rfind(b"\n", 0, data.rfind(b"\n", 0, at)) + 1
        piece = data[start:start + 6000]
        piece = piece[:piece.rfind(b"\n") + 1] or piece
        (dst / f"{f.stem}.entities.dxf").write_bytes(piece)
PY

cat > "$out/scan.dict" <<'DICT'
"SECTION"
"ENDSEC"
"ENTITIES"
"TEXT"
"MTEXT"
"EOF"
"VELSAROM"
"velsarom"
"\x0a  0\x0a"
"\x0a  2\x0a"
"\x0a  1\x0a"
"\x0a1001\x0a"
"\x0a1010\x0a"
"\x0a1020\x0a"
"\x0a1030\x0a"
"\x0d\x0a"
"\x09"
","
"\x82\xa0"
DICT

cd "$out"
"$out/number_scan_fuzz" "$out/corpus" "$out/seeds" -dict="$out/scan.dict" -max_len=8192 \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$out/artifacts/" \
  -print_final_stats=1 2>&1 | tee "$out/fuzz.log" | grep -E '^#[0-9]+.*(pulse|DONE)|ERROR|SUMMARY|stat::' || true
grep -q 'ERROR' "$out/fuzz.log" && exit 1
exit 0
