#!/usr/bin/env bash
# The guide's HTML as a person sees it: opens pages of an unpacked release (or of any folder with
# hajimeni.html and guide/) in headless Chromium and saves a screenshot of each.
#   scripts/guide_screenshots.sh FOLDER OUT [PAGE[#ANCHOR]...]
# Default pages: the guide's first page, the first steps and the section of 自動. Installs the
# Debian package chromium when it is missing.
set -euo pipefail
folder=$(cd "$1" && pwd)
out=$2
shift 2
pages=("$@")
[ ${#pages[@]} -gt 0 ] || pages=(guide/index.html hajimeni.html "guide/buttons.html#自動")
if ! command -v chromium >/dev/null 2>&1; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends chromium
fi
mkdir -p "$out"
# chrome NAME ARGS...: headless Chromium with a fresh profile, so that nothing of an earlier page
# or run is shown.
chrome() {
  local profile
  profile=$(mktemp -d)
  timeout 120 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars \
    --user-data-dir="$profile" --virtual-time-budget=3000 "$@" 2>/dev/null
  rm -rf "$profile"
}
width=1000 height=1300
for p in "${pages[@]}"; do
  file=${p%%#*}
  anchor=""
  [ "$file" = "$p" ] || anchor=${p#*#}
  shot=$out/$(printf '%s' "$file" | tr '/' '-' | sed 's/\.html$//')${anchor:+-$anchor}.png
  top=0
  if [ -n "$anchor" ]; then
    # Headless screenshots do not scroll to a fragment: the section's place on the page is
    # measured in a copy of the page beside it (same pictures, same layout), then the whole page
    # is taken and cut there.
    probe=$(dirname "$folder/$file")/.measure-$$.html
    sed "s|</body>|<script>window.addEventListener('load',()=>{document.body.dataset.top=Math.round(document.getElementById('$anchor').getBoundingClientRect().top+scrollY)})</script></body>|" \
      "$folder/$file" >"$probe"
    top=$(chrome --window-size=$width,$height --dump-dom "file://$probe" |
      sed -n 's/.*data-top="\([0-9]*\)".*/\1/p' | head -n1)
    rm -f "$probe"
    [ -n "$top" ] || { echo "no section $anchor in $file" >&2; exit 1; }
    top=$((top > 16 ? top - 16 : 0))
  fi
  chrome --window-size=$width,$((top + height)) --screenshot="$shot.full.png" "file://$folder/$file" \
    >/dev/null
  convert "$shot.full.png" -crop "${width}x${height}+0+$top" +repage "$shot"
  rm -f "$shot.full.png"
  [ -s "$shot" ] || { echo "no screenshot of $p" >&2; exit 1; }
  echo "screenshot: $shot"
done
