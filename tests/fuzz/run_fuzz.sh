#!/usr/bin/env bash
# Builds one fuzz target with clang (libFuzzer, address and undefined-behaviour sanitizers) and
# runs it from its committed seeds (seeds/TARGET) and, for the DXF targets, slices of the DXF
# corpus cut at a line boundary.
#   tests/fuzz/run_fuzz.sh TARGET [seconds [libFuzzer options...]]
#   TARGET: dxf_reader | number_scan | hostsim_dxf | hostsim_command   (default 300 seconds)
# Options given after the seconds come last, so they win over the script's own (-jobs=2,
# -rss_limit_mb=4096, ...).
# The clang build is $VELSAROM_BUILD/fuzz (default build/fuzz); work files go to
# $VELSAROM_BUILD/fuzz-run/TARGET (or $FUZZ_DIR). Exits with the fuzzer's own status: non-zero
# when it found a failing input, which it leaves in artifacts/; copy that input into
# seeds/TARGET so that the replay test of the native build keeps it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
target=${1:-}
seconds=${2:-300}
extra=("${@:3}")
case "$target" in
  dxf_reader | hostsim_dxf) dict=$here/dxf.dict max_len=8192 slices=1 ;;
  number_scan) dict=$here/number_scan.dict max_len=8192 slices=1 ;;
  hostsim_command) dict= max_len=512 slices=0 ;;
  *)
    echo "usage: $0 dxf_reader|number_scan|hostsim_dxf|hostsim_command [seconds]" >&2
    exit 2
    ;;
esac
build=${VELSAROM_BUILD:-$root/build}
out=${FUZZ_DIR:-$build/fuzz-run/$target}
corpus_src=${DXF_CORPUS:-$root/tests/data/dxf-corpus}
mkdir -p "$out/seeds" "$out/corpus" "$out/artifacts"

# Everything the target links is instrumented, so the fuzzer sees the coverage of the code under
# test; the libraries are the native build's own, whatever files they are made of.
flags="-O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined"
flags+=" -fno-sanitize-recover=undefined"
launcher=()
if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$root" -B "$build/fuzz" -G Ninja -DVELSAROM_FUZZ=ON -DCMAKE_BUILD_TYPE= \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build/fuzz" --target "${target}_fuzz" -j"${VELSAROM_JOBS:-2}"

rm -f "$out"/seeds/*
cp "$here/seeds/$target"/* "$out/seeds/"
if [ "$slices" = 1 ]; then
  # The head of every corpus file and the start of its TABLES, BLOCKS and ENTITIES sections,
  # 6000 bytes at most: real structure without megabytes per input.
  /usr/bin/python3 - "$corpus_src" "$out/seeds" <<'PY'
import pathlib, sys
src, dst = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
for f in sorted(src.rglob("*.dxf")):
    data = f.read_bytes()
    cuts = {"head": 0}
    for name in (b"ENTITIES", b"BLOCKS", b"TABLES"):
        at = data.find(b"\n" + name)
        if at > 0:
            cuts[name.decode().lower()] = data.rfind(b"\n", 0, data.rfind(b"\n", 0, at)) + 1
    for label, start in cuts.items():
        piece = data[start:start + 6000]
        piece = piece[:piece.rfind(b"\n") + 1] or piece
        (dst / f"corpus.{f.stem}.{label}.dxf").write_bytes(piece)
PY
fi

options=(-max_len="$max_len" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048
         -artifact_prefix="$out/artifacts/" -print_final_stats=1)
if [ -n "$dict" ]; then options+=(-dict="$dict"); fi
options+=("${extra[@]}")
cd "$out"
set +e
"$build/fuzz/tests/fuzz/${target}_fuzz" "$out/corpus" "$out/seeds" "${options[@]}" 2>&1 |
  tee "$out/fuzz.log" |
  grep --line-buffered -E '^#[0-9]+.*(pulse|DONE)|ERROR|SUMMARY|runtime error|stat::'
status=${PIPESTATUS[0]}
set -e
echo "fuzz $target: exit status $status (log $out/fuzz.log, failing inputs in $out/artifacts/)"
exit "$status"
