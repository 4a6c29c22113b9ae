#!/usr/bin/env bash
# arith_precision_check.sh ARITH_TABLE: the arithmetic table printed after the x87 control word
# was set to a 53-bit mantissa (as a DLL may leave it) is the table printed at start-up precision.
set -euo pipefail
table=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$table" >"$tmp/start-up.txt"
"$table" --control-word 0x027f >"$tmp/53-bit.txt" 2>"$tmp/53-bit.err"
cat "$tmp/53-bit.err"
grep -q "control word set to 0x027f" "$tmp/53-bit.err"
lines=$(wc -l <"$tmp/start-up.txt")
[ "$lines" -ge 600 ] || { echo "only $lines lines in the table" >&2; exit 1; }
if ! cmp -s "$tmp/start-up.txt" "$tmp/53-bit.txt"; then
  echo "the table differs with a 53-bit control word:" >&2
  diff "$tmp/start-up.txt" "$tmp/53-bit.txt" | head -20 >&2
  echo "$(diff "$tmp/start-up.txt" "$tmp/53-bit.txt" | grep -c '^<') of $lines lines differ" >&2
  exit 1
fi
echo "$lines lines identical with the control word first set to 53 bits"
