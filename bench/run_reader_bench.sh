#!/bin/bash
# The DXF reader benchmark: ReadDxf beside dxflib, ezdxf and two floors (reading the file's
# lines and doing nothing else: all at once as ReadDxf gets the file, and line by line with
# std::getline), on one large R2000 export made by make_reader_bench_dxf.py.
#
# It builds what it measures itself, as the product ships: a Release build (the build type of
# the Windows build, with the project's -ffp-contract=off), in its own folder, and prints that
# configuration beside the numbers.
#
#   bench/run_reader_bench.sh [BUILD_DIR]     (default: $VELSAROM_BUILD/reader-bench, build/ of
#                                              the checkout when VELSAROM_BUILD is not set)
#   ROUNDS (default 7): rounds. Each round runs floor, getline, ours (cold and warm) and dxflib once, one after
#     the other, so that the ratios of a round compare runs made at nearly the same moment on a
#     shared machine; the table gives every round's ratios and their medians.
#   EZDXF_RUNS (default 1): runs of ezdxf, which takes tens of seconds; 0 leaves it out.
# Beside the times it gives each program's page faults and what a fresh page of memory costs on
# the machine (page_cost): the tables a reader fills are pages it touches for the first time,
# and on a virtual machine where that costs microseconds a page, it outweighs the parsing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/.." && pwd)
build=${1:-${VELSAROM_BUILD:-$repo/build}/reader-bench}
rounds=${ROUNDS:-7}
ezdxf_runs=${EZDXF_RUNS:-1}

args=(-DCMAKE_BUILD_TYPE=Release)
if command -v ccache >/dev/null 2>&1; then args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$repo" -B "$build" -G Ninja "${args[@]}" >/dev/null
cmake --build "$build" --target reader_bench floor_lines page_cost -j2 >/dev/null
have_dxflib=0
if cmake --build "$build" --target dxflib_count -j2 >/dev/null 2>&1; then have_dxflib=1; fi

data="$build/bench-data/reader_bench.dxf"
if [ ! -f "$data" ]; then
  mkdir -p "$(dirname "$data")"
  echo "making $data (about a minute) ..."
  /usr/bin/python3 "$here/make_reader_bench_dxf.py" "$data"
fi
size=$(stat -c %s "$data")

# The configuration measured: build type, compiler and the exact flags the reader was compiled
# with (from the build's compile commands), the peers' versions, the machine.
flags=$(/usr/bin/python3 - "$build/compile_commands.json" <<'EOF'
import json, shlex, sys
for c in json.load(open(sys.argv[1])):
    if c["file"].endswith("dxf/DxfParser.cpp"):
        words = shlex.split(c["command"])
        keep = [w for w in words[1:] if w.startswith(("-O", "-f", "-m", "-D", "-g", "-std"))]
        print(" ".join(keep))
        break
EOF
)
cxx=$(awk -F= '/^CMAKE_CXX_COMPILER:/ {print $2}' "$build/CMakeCache.txt")
echo "build:   $build ($(awk -F= '/^CMAKE_BUILD_TYPE:/ {print $2}' "$build/CMakeCache.txt"))"
echo "         $("$cxx" --version | head -1); reader compiled with: $flags"
dxflib=$(dpkg-query -W -f '${Version}' libdxflib-dev 2>/dev/null || echo '?')
[ "$have_dxflib" = 1 ] || dxflib="$dxflib (not built)"
ezdxf=$(/usr/bin/python3 -c 'import ezdxf; print(ezdxf.__version__)' 2>/dev/null || echo '?')
echo "peers:   dxflib $dxflib, ezdxf $ezdxf"
echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'), $(nproc) cores"
echo "file:    $data, $(echo "$size / 1048576" | bc -l | xargs printf '%.1f') MB"
echo "load:    $(cut -d' ' -f1-3 /proc/loadavg) (at the start)"

results=$(mktemp)
trap 'rm -f "$results"' EXIT

# run ROUND NAME COMMAND...: one run; appends "ROUND NAME wall cpu peakKB read faults" to the
# results, where read is the time the program reports itself ("read in S s": the read alone,
# without the process's start and end) and faults the page faults of the process (each a page
# of memory touched for the first time). Keeps the program's own last line for the listing.
declare -A lastline
run() {
  local round=$1 name=$2
  shift 2
  local log out
  log=$(mktemp)
  out=$(/usr/bin/time -f '%e %U %S %M %R' -o "$log" "$@" | tail -1)
  read -r wall user sys rss faults < <(tail -1 "$log")
  rm -f "$log"
  local rd
  rd=$(echo "$out" | sed -n 's/.*read in \([0-9.]*\) s.*/\1/p')
  echo "$round $name $wall $(echo "$user + $sys" | bc -l) $rss ${rd:-0} $faults" >>"$results"
  lastline[$name]=$out
}

cat "$data" >/dev/null  # in the page cache for everyone
pagecost=()
for ((r = 1; r <= rounds; r++)); do
  run "$r" floor "$build/bench/floor_lines" "$data"
  run "$r" getline "$build/bench/floor_lines" "$data" getline
  run "$r" ours "$build/bench/reader_bench" "$data"
  # The window reads export after export in one process: from the third read on, the tables
  # land in memory the earlier reads left, as the product's heap keeps it.
  run "$r" warm "$build/bench/reader_bench" "$data" 3
  if [ "$have_dxflib" = 1 ]; then run "$r" dxflib "$build/bench/dxflib_count" "$data"; fi
  pagecost+=("$("$build/bench/page_cost" | sed -n 's/.*: \([0-9.]*\) us per.*/\1/p')")
done
for ((r = 1; r <= ezdxf_runs; r++)); do
  run "$r" ezdxf /usr/bin/python3 "$here/ezdxf_count.py" "$data"
done
echo "load:    $(cut -d' ' -f1-3 /proc/loadavg) (at the end)"
echo
for name in floor getline ours warm dxflib ezdxf; do
  [ -n "${lastline[$name]:-}" ] && printf '  %-8s| %s\n' "$name" "${lastline[$name]}"
done

tablebytes=$(echo "${lastline[ours]}" | sed -n 's/.*tables \([0-9]*\) bytes.*/\1/p')
awk -v size="$size" -v rounds="$rounds" -v tablebytes="${tablebytes:-0}" -v pagecost="$(printf '%s\n' "${pagecost[@]}" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')" '
  { wall[$1, $2] = $3; cpu[$1, $2] = $4; peak[$1, $2] = $5; rd[$1, $2] = $6; flt[$1, $2] = $7; have[$2] = 1 }
  function median(a, n,   i, j, t) {
    for (i = 2; i <= n; i++)
      for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
  }
  # ratio of two programs in one round, or of a program against the median of ours (ezdxf)
  function cell(v, a, b, r) { return v[r, a] / v[r, b] }
  function line(label, a, b, goal,   r, w, c, d, n) {
    n = 0
    printf "  %-16s", label
    for (r = 1; r <= rounds; r++) {
      if (!((r, a) in wall)) continue
      n++
      w[n] = cell(wall, a, b, r); c[n] = cell(cpu, a, b, r); d[n] = cell(rd, a, b, r)
      printf " %5.2f", w[n]
    }
    printf "  | median wall %5.2f  cpu %5.2f  read %5.2f  %s\n", median(w, n), median(c, n), median(d, n), goal
  }
  # the same over the read times the programs report (no process start and end)
  function readline(label, a, b, goal,   r, d, n) {
    n = 0
    printf "  %-16s", label
    for (r = 1; r <= rounds; r++) {
      if (!((r, a) in rd)) continue
      n++
      d[n] = cell(rd, a, b, r)
      printf " %5.2f", d[n]
    }
    printf "  | median read %5.2f  %s\n", median(d, n), goal
  }
  END {
    printf "\nseconds (median of %d rounds)   wall     cpu     read    peak MB   page faults\n", rounds
    split("floor getline ours warm dxflib", names, " ")
    for (k = 1; k <= 5; k++) {
      p = names[k]
      if (!(p in have)) continue
      n = 0; pk = 0
      for (r = 1; r <= rounds; r++) {
        n++; w[n] = wall[r, p]; c[n] = cpu[r, p]; d[n] = rd[r, p]; f[n] = flt[r, p]
        if (peak[r, p] > pk) pk = peak[r, p]
      }
      faults = median(f, n)
      printf "  %-28s %7.3f %7.3f %7.3f %8.1f   %8d\n", p, median(w, n), median(c, n), median(d, n), pk / 1024, faults
      if (p == "ours") { oursWall = median(w, n); oursCpu = median(c, n); oursRead = median(d, n); oursPeak = pk; oursFaults = faults }
      readMedian[p] = median(d, n)
    }
    printf "  fresh memory on this machine: %.2f us per 4 KB page (page_cost, median of the rounds);\n", pagecost
    printf "  ours touches %d pages, about %.3f s of its cpu time\n", oursFaults, oursFaults * pagecost / 1e6
    # What no reader that fills these tables can go below on this machine: their pages, touched
    # once, at the page cost; beside it the read times that the two goals allow.
    tablePages = tablebytes / 4096
    printf "  the tables ours fills: %.1f MB, %d pages: %.3f s of fresh memory alone, against\n", tablebytes / 1048576, tablePages, tablePages * pagecost / 1e6
    if ("dxflib" in have) printf "  %.3f s for 5 x dxflib (its median read / 5) and", readMedian["dxflib"] / 5
    printf "  %.3f s for 3 x getline (its median read x 3)\n", readMedian["getline"] * 3
    printf "\nratios per round (wall)\n"
    if ("dxflib" in have) line("dxflib / ours", "dxflib", "ours", "(goal: >= 5)")
    line("ours / floor", "ours", "floor", "(whole file read at once, lines walked)")
    line("ours / getline", "ours", "getline", "(goal: <= 3; std::getline line by line)")
    if ("ezdxf" in have)
      printf "  ezdxf / ours     wall %6.1f  cpu %6.1f  read %6.1f  (ezdxf run 1 against the median of ours)\n",
        wall[1, "ezdxf"] / oursWall, cpu[1, "ezdxf"] / oursCpu, rd[1, "ezdxf"] / oursRead
    printf "ratios per round of the read alone, the third in one process (warm: no fresh pages)\n"
    if ("dxflib" in have) readline("dxflib / warm", "dxflib", "warm", "(goal: >= 5)")
    readline("warm / getline", "warm", "getline", "(goal: <= 3)")
    printf "  ours peak / file size  %5.2f   (goal: <= 3)\n", oursPeak * 1024 / size
  }' "$results"
