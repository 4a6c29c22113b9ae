#!/bin/bash
# Builds the simulated host's DXF fuzz target with clang (libFuzzer, address and
# undefined-behaviour sanitizers) and runs it on seeds cut from the shared DXF corpus and on an
# annotation document of the product's form.
#   tests/fuzz/run_hostsim_dxf_fuzz.sh [seconds]   (default 300)
# Work files go to /work/build-hostsim-dxf-fuzz (or $FUZZ_DIR).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
corpus_src=${DXF_CORPUS:-$root/tests/data/dxf-corpus}
out=${FUZZ_DIR:-/work/build-hostsim-dxf-fuzz}
seconds=${1:-300}
mkdir -p "$out/seeds" "$out/corpus" "$out/artifacts"
clang++-14 -std=c++20 -O1 -g -fno-omit-frame-pointer -I"$root" \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  "$here/hostsim_dxf_fuzz.cpp" "$root"/hostsim/*.cpp \
  "$root/platform/Utf.cpp" "$root/platform/standin/Cp932CodePage.cpp" -o "$out/hostsim_dxf_fuzz"

# Seeds: slices of the real files (head, tables, blocks, entities), cut at a line boundary.
/usr/bin/python3 - "$corpus_src" "$out/seeds" <<'PY'
import pathlib, sys
src, dst = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
for f in sorted(src.glob("*/*.dxf")):
    data = f.read_bytes()
    cuts = {"head": 0}
    for name in (b"ENTITIES", b"BLOCKS", b"TABLES"):
        at = data.find(b"\n" + name)
        if at > 0:
            cuts[name.decode().lower()] = data.rfind(b"\n", 0, data.rfind(b"\n", 0, at)) + 1
    for label, start in cuts.items():
        piece = data[start:start + 6000]
        piece = piece[:piece.rfind(b"\n") + 1] or piece
        (dst / f"{f.stem}.{label}.dxf").write_bytes(piece)
PY
printf '%b' '  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1009\r\n  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nTABLES\r\n  0\r\nTABLE\r\n  2\r\nAPPID\r\n  0\r\nAPPID\r\n  2\r\nVELSAROM\r\n 70\r\n0\r\n  0\r\nENDTAB\r\n  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nCIRCLE\r\n  8\r\nH_TEXT\r\n 10\r\n5\r\n 20\r\n5\r\n 40\r\n2\r\n  0\r\nTEXT\r\n  8\r\nH_TEXT\r\n 10\r\n5\r\n 20\r\n5\r\n 11\r\n5\r\n 21\r\n5\r\n  1\r\n12\r\n 40\r\n1\r\n 72\r\n1\r\n 73\r\n2\r\n1001\r\nVELSAROM\r\n1010\r\n3\r\n1020\r\n4\r\n1030\r\n5\r\n  0\r\nLINE\r\n  8\r\nH_HEN\r\n 10\r\n0\r\n 20\r\n0\r\n 30\r\n0\r\n 11\r\n10\r\n 21\r\n10\r\n 31\r\n0\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n' >"$out/seeds/annotation.dxf"

cat > "$out/dxf.dict" <<'DICT'
"SECTION"
"ENDSEC"
"TABLE"
"ENDTAB"
"LAYER"
"APPID"
"BLOCK"
"ENDBLK"
"LINE"
"CIRCLE"
"ARC"
"LWPOLYLINE"
"POLYLINE"
"VERTEX"
"SEQEND"
"TEXT"
"ATTRIB"
"MTEXT"
"INSERT"
"LEADER"
"ELLIPSE"
"EOF"
"\x0a  0\x0a"
"\x0a  2\x0a"
"\x0a 10\x0a"
"\x0a 42\x0a"
"\x0a 62\x0a"
"\x0a 66\x0a1\x0a"
"\x0a1001\x0a"
"\x0a1010\x0a"
"\\U+"
"\\M+1"
DICT

cd "$out"
"$out/hostsim_dxf_fuzz" "$out/corpus" "$out/seeds" -dict="$out/dxf.dict" -max_len=8192 \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$out/artifacts/" \
  -print_final_stats=1 2>&1 | tee "$out/fuzz.log" | grep -E '^#[0-9]+.*(pulse|DONE)|ERROR|SUMMARY|stat::' || true
grep -q 'ERROR' "$out/fuzz.log" && exit 1
exit 0
