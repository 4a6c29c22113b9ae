#!/bin/bash
# Builds the DXF reader's fuzz target with clang (libFuzzer, address and undefined-behaviour
# sanitizers) and runs it on a seed corpus cut from the shared DXF corpus.
#   tests/fuzz/run_dxf_reader_fuzz.sh [seconds]   (default 600)
# Work files go to /work/build-reader-fuzz (or $FUZZ_DIR); the log ends with libFuzzer's
# statistics, among them the number of inputs tried.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
corpus_src=${DXF_CORPUS:-$root/tests/data/dxf-corpus}
out=${FUZZ_DIR:-/work/build-reader-fuzz}
seconds=${1:-600}
mkdir -p "$out/seeds" "$out/corpus" "$out/artifacts"

sources=(
  "$here/dxf_reader_fuzz.cpp"
  "$root/RuzuRaru2016/dxf/DxfNumber.cpp" "$root/RuzuRaru2016/dxf/DxfTokenizer.cpp"
  "$root/RuzuRaru2016/dxf/DxfParser.cpp" "$root/RuzuRaru2016/dxf/DxfTables.cpp"
  "$root/numbers/NumberText.cpp" "$root/numbers/BigUnsigned.cpp" "$root/numbers/Extended.cpp"
  "$root/platform/Utf.cpp" "$root/platform/FileSystem.cpp"
  "$root/platform/standin/Cp932CodePage.cpp"
)
clang++-14 -std=c++20 -O1 -g -fno-omit-frame-pointer -I"$root" \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  "${sources[@]}" -o "$out/dxf_reader_fuzz"

# Seeds: the head of every text file and a slice of its ENTITIES and BLOCKS sections, cut at a
# line boundary, so the fuzzer starts from real structure without megabytes per input.
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

cat > "$out/dxf.dict" <<'DICT'
"SECTION"
"ENDSEC"
"HEADER"
"TABLES"
"TABLE"
"ENDTAB"
"LAYER"
"BLOCKS"
"BLOCK"
"ENDBLK"
"ENTITIES"
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
"ELLIPSE"
"EOF"
"$ACADVER"
"AC1015"
"AC1021"
"\x0a  0\x0a"
"\x0a 10\x0a"
"\x0a 42\x0a"
"\x0a 62\x0a"
"\x0d\x0a"
"\x82\xa0"
"\xe3\x81\x82"
DICT

cd "$out"
"$out/dxf_reader_fuzz" "$out/corpus" "$out/seeds" -dict="$out/dxf.dict" -max_len=8192 \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$out/artifacts/" \
  -print_final_stats=1 2>&1 | tee "$out/fuzz.log" | grep -E '^#[0-9]+.*(pulse|DONE)|ERROR|SUMMARY|stat::' || true
grep -q 'ERROR' "$out/fuzz.log" && exit 1
exit 0
