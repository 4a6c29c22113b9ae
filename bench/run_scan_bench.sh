#!/bin/bash
# The number scan benchmark: the scan of a whole-drawing export (ScanDxfText, CollectNumberMarks,
# SortByNumber, NextNumber) beside the floor (reading the file's lines, nothing else) and the full
# reader (ParseDxf), on one file made by make_scan_bench_dxf.py, all in the same run. Each kind
# runs in a process of its own, two ways:
#   warm  ROUNDS rounds in one process, the median round (the heap reused from round to round);
#   cold  one round in a fresh process, REPEATS processes, the median (as one click does it).
# Prints wall and CPU time (CPU: the process's own, what the work costs on a shared machine) and
# the ratios.
#   bench/run_scan_bench.sh [BUILD_DIR]   (default build/native of this tree)
#   SCAN_BENCH_DXF: the input (default BUILD_DIR/bench-data/scan_bench.dxf, made when missing)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build/native}
rounds=${ROUNDS:-9}
repeats=${REPEATS:-7}
data=${SCAN_BENCH_DXF:-$build/bench-data/scan_bench.dxf}

cmake --build "$build" --target scan_bench >/dev/null
if [ ! -f "$data" ]; then
  mkdir -p "$(dirname "$data")"
  echo "making $data (a few minutes) ..."
  /usr/bin/python3 "$here/make_scan_bench_dxf.py" "$data"
fi
program="$build/bench/scan_bench"

median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
# field NAME LINE: the number after "NAME" in a line "kind wall X s  cpu Y s ...".
field() { echo "$2" | sed -n "s/.* $1 *\([0-9.]*\) s.*/\1/p"; }

echo "file: $data, $(stat -c %s "$data") bytes; load: $(cut -d' ' -f1-3 /proc/loadavg)"
declare -A warm_wall warm_cpu cold_wall cold_cpu detail
for kind in floor scan reader; do
  line=$("$program" "$data" "$rounds" "$kind" | grep "^$kind ")
  warm_wall[$kind]=$(field wall "$line")
  warm_cpu[$kind]=$(field cpu "$line")
  detail[$kind]=$(echo "$line" | sed -n 's/.*s  \((.*)\)$/\1/p')
done
declare -A walls cpus
for ((i = 0; i < repeats; i++)); do
  for kind in floor scan reader; do
    line=$("$program" "$data" 1 "$kind" | grep "^$kind ")
    walls[$kind]+=" $(field wall "$line")"
    cpus[$kind]+=" $(field cpu "$line")"
  done
done
for kind in floor scan reader; do
  # shellcheck disable=SC2086
  cold_wall[$kind]=$(median ${walls[$kind]})
  # shellcheck disable=SC2086
  cold_cpu[$kind]=$(median ${cpus[$kind]})
done

printf '\n%-7s %11s %11s %11s %11s\n' "" "warm wall" "warm cpu" "cold wall" "cold cpu"
for kind in floor scan reader; do
  printf '%-7s %9.4f s %9.4f s %9.4f s %9.4f s  %s\n' "$kind" "${warm_wall[$kind]}" \
    "${warm_cpu[$kind]}" "${cold_wall[$kind]}" "${cold_cpu[$kind]}" "${detail[$kind]}"
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%9.2f x", a / b}'; }
printf '%-14s %s %s %s %s  (goal: scan <= 2 x floor)\n' "scan / floor" \
  "$(ratio "${warm_wall[scan]}" "${warm_wall[floor]}")" "$(ratio "${warm_cpu[scan]}" "${warm_cpu[floor]}")" \
  "$(ratio "${cold_wall[scan]}" "${cold_wall[floor]}")" "$(ratio "${cold_cpu[scan]}" "${cold_cpu[floor]}")"
printf '%-14s %s %s %s %s\n' "scan / reader" \
  "$(ratio "${warm_wall[scan]}" "${warm_wall[reader]}")" "$(ratio "${warm_cpu[scan]}" "${warm_cpu[reader]}")" \
  "$(ratio "${cold_wall[scan]}" "${cold_wall[reader]}")" "$(ratio "${cold_cpu[scan]}" "${cold_cpu[reader]}")"
