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
for p in "${pages[@]}"; do
  shot=$out/$(printf '%s' "${p%%#*}" | tr '/' '-' | sed 's/\.html$//')${p##*#}
  [ "${p#*#}" != "$p" ] || shot=$out/$(printf '%s' "$p" | tr '/' '-' | sed 's/\.html$//')
  shot=$shot.png
  # A fresh profile per page, so that nothing of an earlier page or run is shown.
  profile=$(mktemp -d)
  chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --user-data-dir="$profile" \
    --window-size=1000,1300 --screenshot="$shot" "file://$folder/$p" >/dev/null 2>&1
  rm -rf "$profile"
  [ -s "$shot" ] || { echo "no screenshot of $p" >&2; exit 1; }
  echo "screenshot: $shot"
done
