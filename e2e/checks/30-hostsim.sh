#!/usr/bin/env bash
# hostsim.exe under wine: it opens the demo parcel, takes commands through WM_COPYDATA from a
# small client that reads its command-line controls back, traces the parcel's boundary, lets its
# scripted user pick a point for ID, shows the drawing (screenshot under
# $BUILD_WIN/artifacts/hostsim/), and saves the drawing when closed; ezdxf audits the result.
# It runs as a slow host (--command-delay, --export-write): commands take 250 ms before their
# prompt comes back, and an export grows over 2 s.
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
: "${BUILD_WIN:?BUILD_WIN must name the Windows build}"
source "$repo/e2e/wine-env.sh"
velsarom_xvfb_start || exit 1
velsarom_wine_init || exit 1

art=$BUILD_WIN/artifacts/hostsim
run=$BUILD_WIN/e2e-run/hostsim
rm -rf "$art" "$run"
mkdir -p "$art" "$run"
host=$BUILD_WIN/hostsim/win32/hostsim.exe
client=$BUILD_WIN/e2e/hostsimclient/hostsimclient.exe
closewin=$BUILD_WIN/e2e/closewin/closewin.exe
cp "$repo/e2e/demo/parcel.dxf" "$run/parcel.dxf"
printf 'pick 12000 10000\n' >"$run/actions.txt"
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
client() { velsarom_wine "$client" "$@" | tr -d '\r'; }

velsarom_wine "$closewin" "AutoCAD 2018" 2000 >/dev/null 2>&1
velsarom_wine "$host" "Z:$run/parcel.dxf" --script "Z:$run/actions.txt" --save "Z:$run/saved.dxf" \
  --delay 300 --command-delay 250 --export-write 2000 &
hostpid=$!
trap 'velsarom_wine "$closewin" "AutoCAD 2018" 3000 >/dev/null 2>&1; kill $hostpid 2>/dev/null' EXIT

client wait 30000 | grep -q found=1 || fail "the host's windows were not found"
[ "$(client line)" = "コマンド: " ] || fail "not idle at the start: '$(client line)'"

client send '\x03_-BOUNDARY 12000.0000,10000.0000\r\r' >/dev/null
client idle 10000 | grep -q idle=1 || fail "not idle after -BOUNDARY"
client history | grep -q '境界が 1 個のポリラインを作成しました' ||
  fail "no boundary report in the history"

# The traced polyline exported as the product exports it, from a path in wine's form.
client send "_FILEDIA 0 " >/dev/null
client send "_DXFOUT Z:$run/export.dxf\\rO SINGLE LAST\\rV 2004 16\\r" >/dev/null
client idle 10000 | grep -q idle=1 || fail "not idle after DXFOUT"
sleep 0.5
/usr/bin/python3 - "$run/export.dxf" <<'PY' || fail "export check"
import sys
import ezdxf
doc = ezdxf.readfile(sys.argv[1])
assert doc.dxfversion == "AC1018", doc.dxfversion
assert not doc.audit().has_errors
assert [e.dxftype() for e in doc.modelspace()] == ["LWPOLYLINE"]
PY

# Into a folder with a blank, the name in double quotes: the file is there at once and grows.
mkdir -p "$run/mit blank"
slow="$run/mit blank/export 2.dxf"
client send "_DXFOUT \"Z:$slow\"\rO SINGLE LAST\rV 2004 16\r" >/dev/null
early=$(stat -c %s "$slow" 2>/dev/null || echo missing)
client idle 10000 | grep -q idle=1 || fail "not idle after the slow DXFOUT"
sleep 0.5
final=$(stat -c %s "$slow" 2>/dev/null || echo missing)
echo "slow export: $early bytes at first, $final at the end"
case "$early" in
  missing) fail "the slow export did not appear at once" ;;
  *) [ "$final" != missing ] && [ "$early" -lt "$final" ] || fail "the slow export did not grow" ;;
esac
cmp -s "$run/export.dxf" "$slow" || fail "the slow export differs from the quick one"
client send "_FILEDIA 1 " >/dev/null

client send '\x03\x03LASTPOINT 123,456,789 ' >/dev/null
client send '_iD\r' >/dev/null
client idle 20000 | grep -q idle=1 || fail "the scripted pick did not end ID"
client send "'SETVAR LASTPOINT\\r" >/dev/null
line=$(client line)
[ "$line" = "LASTPOINT の新しい値を入力 <12000.0000,10000.0000,0.0000>: " ] ||
  fail "LASTPOINT prompt: '$line'"
client send '\x03' >/dev/null

sleep 1
velsarom_screenshot "$art/hostsim.png" || fail "no screenshot"
velsarom_wine "$closewin" "AutoCAD 2018" 10000 >/dev/null 2>&1 || fail "the host did not close"
wait $hostpid 2>/dev/null
trap - EXIT

[ -f "$run/saved.dxf" ] || fail "no drawing saved on close"
/usr/bin/python3 - "$run/saved.dxf" <<'PY' || fail "saved drawing check"
import sys
import ezdxf
doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
assert not auditor.has_errors, [e.message for e in auditor.errors]
msp = doc.modelspace()
polys = msp.query("LWPOLYLINE")
assert len(msp) == 10, len(msp)  # the parcel's nine entities and the traced boundary
assert len(polys) == 2, len(polys)
traced = [tuple(round(c, 6) for c in p) for p in polys[1].get_points("xy")]
assert traced == [(1000, 1000), (19500, 2200), (23800, 14600), (12600, 21300), (2400, 16800)], traced
assert polys[1].closed
assert {l.dxf.name for l in doc.layers} >= {"筆界", "点名"}
print("saved drawing: audit clean, boundary", traced)
PY
[ -s "$art/hostsim.png" ] && echo "screenshot: $art/hostsim.png"
exit $((failures > 0))
