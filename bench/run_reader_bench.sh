#!/bin/bash
# The DXF reader benchmark: ReadDxf beside dxflib, ezdxf and two floors (reading the file's
# lines and doing nothing else: all at once as ReadDxf does, and line by line with getline),
# on one large R2000 export made by make_reader_bench_dxf.py, all in the same run. Prints wall
# time, CPU time and peak memory (/usr/bin/time -v) and the ratios.
#   bench/run_reader_bench.sh [BUILD_DIR]   (a native Release build; default /work/build-reader)
# RUNS (default 5) runs of each native program, the median counts; ezdxf runs EZDXF_RUNS
# times (default 1: it takes tens of seconds).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-/work/build-reader}
runs=${RUNS:-5}
ezdxf_runs=${EZDXF_RUNS:-1}

cmake --build "$build" --target reader_bench floor_lines -j2 >/dev/null
have_dxflib=0
if cmake --build "$build" --target dxflib_count -j2 >/dev/null 2>&1; then have_dxflib=1; fi

data="$build/bench-data/reader_bench.dxf"
if [ ! -f "$data" ]; then
  mkdir -p "$(dirname "$data")"
  echo "making $data (about a minute) ..."
  /usr/bin/python3 "$here/make_reader_bench_dxf.py" "$data"
fi
size=$(stat -c %s "$data")

median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# measure NAME RUNS COMMAND...: the medians of the process's wall and CPU time and of the read
# time the program reports itself ("read in S s": the read without start-up and tear-down), the
# largest peak, and the program's own last output line.
measure() {
  local name=$1 n=$2
  shift 2
  local walls=() cpus=() reads=() peak=0 out=""
  for ((i = 0; i < n; i++)); do
    local log
    log=$(mktemp)
    out=$(/usr/bin/time -v "$@" 2>"$log" | tail -1)
    local wall user sys rss
    wall=$(awk -F': ' '/Elapsed \(wall clock\)/ {n=split($2,a,":"); s=0; for(k=1;k<=n;k++) s=s*60+a[k]; print s}' "$log")
    user=$(awk -F': ' '/User time/ {print $2}' "$log")
    sys=$(awk -F': ' '/System time/ {print $2}' "$log")
    rss=$(awk -F': ' '/Maximum resident/ {print $2}' "$log")
    rm -f "$log"
    walls+=("$wall")
    reads+=("$(echo "$out" | sed -n 's/.*read in \([0-9.]*\) s.*/\1/p')")
    cpus+=("$(echo "$user + $sys" | bc -l)")
    if [ "$rss" -gt "$peak" ]; then peak=$rss; fi
  done
  local wall_med cpu_med read_med
  wall_med=$(median "${walls[@]}")
  cpu_med=$(median "${cpus[@]}")
  read_med=$(median "${reads[@]}")
  echo "$name $wall_med $cpu_med $peak $read_med" >>"$results"
  printf '%-7s wall %7.3f s  cpu %7.3f s  read %7.3f s  peak %7.1f MB  | %s\n' "$name" \
    "$wall_med" "$cpu_med" "$read_med" "$(echo "$peak / 1024" | bc -l)" "$out"
}

results=$(mktemp)
trap 'rm -f "$results"' EXIT
echo "file: $data, $(echo "$size / 1048576" | bc -l | xargs printf '%.1f') MB; load: $(cut -d' ' -f1-3 /proc/loadavg)"
cat "$data" >/dev/null  # in the page cache for everyone
measure floor "$runs" "$build/bench/floor_lines" "$data"
measure getline "$runs" "$build/bench/floor_lines" "$data" getline
measure ours "$runs" "$build/bench/reader_bench" "$data"
if [ "$have_dxflib" = 1 ]; then measure dxflib "$runs" "$build/bench/dxflib_count" "$data"; fi
measure ezdxf "$ezdxf_runs" /usr/bin/python3 "$here/ezdxf_count.py" "$data"

awk -v size="$size" '
  { wall[$1] = $2; cpu[$1] = $3; peak[$1] = $4; rd[$1] = $5 }
  function row(label, a, b, goal) {
    printf "  %-15s %6.2f x  %6.2f x  %6.2f x   %s\n", label, wall[a] / wall[b], cpu[a] / cpu[b], rd[a] / rd[b], goal
  }
  END {
    printf "\nratios            wall      cpu       read\n"
    if ("dxflib" in wall) row("dxflib / ours", "dxflib", "ours", "(goal: >= 5)")
    row("ezdxf / ours", "ezdxf", "ours", "")
    row("ours / floor", "ours", "floor", "(goal: <= 3; floor: whole file read at once, lines walked)")
    row("ours / getline", "ours", "getline", "(goal: <= 3; floor: std::getline line by line)")
    printf "  ours peak / file size  %5.2f x   (goal: <= 3)\n", peak["ours"] * 1024 / size
  }' "$results"
