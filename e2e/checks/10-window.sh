#!/usr/bin/env bash
# The real window under wine: a stand-in host receives commands through the product's command
# channel and shows a Japanese prompt that the channel reads back; Velsarom.exe shows its four
# pages as designed (screenshots under $BUILD_WIN/artifacts/window/), its clicks run their
# handlers, closing it writes every setting through the system's profile functions, and a second
# start with Kyuuseki=1 comes up in base-height mode.
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
: "${BUILD_WIN:?BUILD_WIN must name the Windows build}"
source "$repo/e2e/wine-env.sh"
velsarom_xvfb_start || exit 1
velsarom_wine_init || exit 1

art=$BUILD_WIN/artifacts/window
run=$BUILD_WIN/e2e-run/window
rm -rf "$art" "$run"
mkdir -p "$art" "$run"
cp "$BUILD_WIN/shell/Velsarom.exe" "$run/"
probe=$BUILD_WIN/e2e/windowprobe/windowprobe.exe
host=$BUILD_WIN/e2e/hoststandin/hoststandin.exe
closewin=$BUILD_WIN/e2e/closewin/closewin.exe
ini=$run/Velsarom.ini
hostlog=$run/host.log
prompt='2点目を指定 または [元に戻す(U)]: '
failures=0
pids=()

# Windows left over from an earlier run would be found in place of the ones started here.
velsarom_wine "$closewin" "Velsarom" 2000 >/dev/null 2>&1
velsarom_wine "$closewin" "AutoCAD LT 2016" 2000 >/dev/null 2>&1

cleanup() {
  velsarom_wine "$closewin" "Velsarom" 3000 >/dev/null 2>&1
  velsarom_wine "$closewin" "AutoCAD LT 2016" 3000 >/dev/null 2>&1
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
probe() { velsarom_wine "$probe" "$@" | tr -d '\r'; }
# expect OUTPUT KEY VALUE: the line KEY=VALUE is in the probe's output.
expect() {
  local got
  got=$(printf '%s\n' "$1" | grep -m1 -F "$2=" | cut -d= -f2-)
  [ "$got" = "$3" ] || fail "$2: expected '$3', got '$got'"
}
start_velsarom() {
  (cd "$run" && velsarom_wine "$run/Velsarom.exe") &
  pids+=($!)
}
# units TEXT: the UTF-16 code units of a command.
units() { /usr/bin/python3 -c 'import sys; print(len(sys.argv[1].encode("utf-16-le")) // 2)' "$1"; }

echo "--- command channel against the stand-in host"
velsarom_wine "$host" "Z:$hostlog" "$prompt" &
pids+=($!)
probe wait-host >/dev/null || fail "the stand-in host's windows were not found"

command=$'\x03\x03_-LAYER M 文字層 '
out=$(probe send '\x03\x03_-LAYER M 文字層 ')
expect "$out" sent 1
out=$(probe send '')
expect "$out" sent 1
out=$(probe send-units 511)
expect "$out" sent 1
out=$(probe send-units 512)
expect "$out" sent 0
sleep 0.5
mapfile -t log <"$hostlog"
[ ${#log[@]} -eq 3 ] || fail "host received ${#log[@]} commands, expected 3 (the 512-unit one refused)"
expected="dwData=1 cbData=$((($(units "$command") + 1) * 2)) zero=1 text=\\x03\\x03_-LAYER M 文字層 "
[ "${log[0]:-}" = "$expected" ] || fail "first command: got '${log[0]:-}', expected '$expected'"
[ "${log[1]:-}" = "dwData=1 cbData=2 zero=1 text=" ] || fail "empty command: got '${log[1]:-}'"
[ "${log[2]:-}" = "dwData=1 cbData=1024 zero=1 text=$(printf 'A%.0s' $(seq 511))" ] ||
  fail "511-unit command: got '${log[2]:0:40}...'"

out=$(probe readline)
expect "$out" line "[$prompt]"

echo "--- the window as designed"
start_velsarom
out=$(probe inspect)
printf '%s\n' "$out" >"$art/first-start.txt"
expect "$out" caption Velsarom
expect "$out" owner.title "Velsarom 2012 Beta"
expect "$out" owner.visible 1
expect "$out" owner.owned 0
expect "$out" topmost 1
expect "$out" sysmenu 1
expect "$out" minimizebox 1
expect "$out" maximizebox 0
expect "$out" sizable 0
expect "$out" client 187x267
expect "$out" tab.rect "0,2,185x263"
expect "$out" tab.count 4
expect "$out" tab.selected 0
expect "$out" tab.focusnever 1
expect "$out" tab.0 "[ ﾍﾛﾝ ]"
expect "$out" tab.1 "[ 設定1]"
expect "$out" tab.2 "[ 設定2]"
expect "$out" tab.3 "[ ﾂｰﾙ]"
expect "$out" tooltips 11
expect "$out" ctl.Edit8 "enabled,[1000]"
expect "$out" ctl.Edit17 "enabled,[1000]"
expect "$out" ctl.Edit20 "disabled,[1500,3000,3000,4500]"
expect "$out" ctl.Button14 "disabled,[番号更新]"
out=$(probe layout)
printf '%s\n' "$out" >"$art/layout.txt"
expect "$out" problems 0

names=(heron settei1 settei2 tools)
for i in 0 1 2 3; do
  rect=$(probe page "$i" | sed -n 's/^rect=//p')
  if [ -z "$rect" ]; then
    fail "page $i could not be selected"
    continue
  fi
  velsarom_screenshot "$art/full.png"
  convert "$art/full.png" -crop "$rect" +repage "$art/page$i-${names[$i]}.png"
done
rm -f "$art/full.png"
probe page 0 >/dev/null

echo "--- clicks run their handlers"
probe click-text 三斜 >/dev/null || fail "no radio button 三斜"
out=$(probe inspect)
expect "$out" tab.0 "[ 三斜]"
expect "$out" ctl.Edit20 "enabled,[1500,3000,3000,4500]"
expect "$out" ctl.Label19 "enabled,[幅2]"
expect "$out" ctl.Edit11 "disabled,[1500,3000,3000,3000,4500]"
probe click-text ﾍﾛﾝ >/dev/null || fail "no radio button ﾍﾛﾝ"
out=$(probe inspect)
expect "$out" tab.0 "[ ﾍﾛﾝ]"
expect "$out" ctl.Edit20 "disabled,[1500,3000,3000,4500]"
probe click CheckBox3 >/dev/null
expect "$(probe inspect)" ctl.Edit14 "disabled,[400]"
probe click CheckBox3 >/dev/null
expect "$(probe inspect)" ctl.Edit14 "enabled,[400]"
probe settext Edit12 "文字層①" >/dev/null

echo "--- closing writes the settings file"
out=$(probe close)
expect "$out" closed 1
if [ ! -f "$ini" ]; then
  fail "no settings file after closing"
else
  iconv -f CP932 -t UTF-8 "$ini" | tr -d '\r' >"$art/after-first-run.ini"
  for key in Form:Top Form:Left Velsarom:Kakudo Velsarom:Yajirusi Velsarom:Leader \
    Velsarom:Kyuuseki Velsarom:AllData Velsarom:A_Hen Velsarom:B_Hen Velsarom:AutoCheck \
    Velsarom:Jouritu Velsarom:Syakudo Velsarom:Keta1 Velsarom:Keta2 Velsarom:Keta3 \
    Velsarom:M_Layer Velsarom:H_Layer Velsarom:T_Layer Velsarom:Nagasa Velsarom:Menseki \
    Velsarom:Goukei Velsarom:M_Taka1 Velsarom:N_Taka1 Velsarom:Hankei1 Velsarom:M_Taka2 \
    Velsarom:G_Taka Velsarom:Haba1 Velsarom:Haba2 Velsarom:UseTextStyle; do
    section=${key%%:*} name=${key#*:}
    awk -v s="[$section]" -v k="$name" '
      /^\[/ { in_section = ($0 == s) } in_section && index($0, k "=") == 1 { found = 1 }
      END { exit !found }' "$art/after-first-run.ini" || fail "settings file lacks $section.$name"
  done
  grep -qx 'M_Layer=文字層①' "$art/after-first-run.ini" || fail "Japanese layer name not written"
  grep -qx 'Kyuuseki=0' "$art/after-first-run.ini" || fail "Kyuuseki not written as 0"
  grep -qx 'Left=589' "$art/after-first-run.ini" || fail "window position not written"
  sed -i 's/^Kyuuseki=0\r\?$/Kyuuseki=1\r/' "$ini"
fi

echo "--- a second start reads the file"
start_velsarom
out=$(probe inspect)
printf '%s\n' "$out" >"$art/second-start.txt"
expect "$out" tab.0 "[ 三斜]"
expect "$out" ctl.Edit20 "enabled,[1500,3000,3000,4500]"
expect "$out" ctl.Edit11 "disabled,[1500,3000,3000,3000,4500]"
expect "$out" ctl.Edit12 "enabled,[文字層①]"
rect=$(probe page 0 | sed -n 's/^rect=//p')
velsarom_screenshot "$art/full.png"
[ -n "$rect" ] && convert "$art/full.png" -crop "$rect" +repage "$art/second-start-sansha.png"
rm -f "$art/full.png"
expect "$(probe close)" closed 1

if [ "$failures" -gt 0 ]; then
  echo "10-window: $failures failure(s); artifacts in $art" >&2
  exit 1
fi
echo "10-window: passed; screenshots in $art"
