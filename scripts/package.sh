#!/usr/bin/env bash
# The release: builds the Windows program, makes the guide's pictures anew from this build's own
# runs (scripts/guide_pictures.sh), checks the guide against them, and writes
# build/dist/Velsarom-<version>.zip (the version from the VERSION file) holding, in one folder:
#   Velsarom.exe              the program
#   hajimeni.html             first steps with the sample drawing
#   guide/*.html, guide/img/  the guide (使い方) as HTML pages for a browser, offline
#   sample/sample-parcel.dxf  the demo's surveyed parcel
#   CHANGELOG.md, NOTICES.txt, licenses/   what each version brought; third-party notices
#   SHA256SUMS                the checksum of every other file
#   VELSAROM_PACKAGE_PICTURES=committed  use docs/ja/img as committed instead of new pictures
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${VELSAROM_BUILD:-$repo/build}
export VELSAROM_BUILD=$build
export BUILD_WIN=$build/win
version=$(head -n1 "$repo/VERSION")
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "VERSION holds no version: $version" >&2; exit 1; }
name=Velsarom-$version
dist=$build/dist
stage=$dist/$name

bash "$repo/scripts/setup.sh"
bash "$repo/scripts/build.sh" win

pictures=$build/guide
rm -rf "$pictures"
mkdir -p "$pictures"
if [ "${VELSAROM_PACKAGE_PICTURES:-new}" = committed ]; then
  cp -r "$repo/docs/ja/img" "$pictures/img"
else
  bash "$repo/scripts/guide_pictures.sh" "$pictures/img"
fi
# Every caption and message named, every picture there.
/usr/bin/python3 "$repo/tests/guide/check_guide.py" --pictures "$pictures"

rm -rf "$stage" "$dist/$name.zip"
mkdir -p "$stage/sample" "$stage/licenses"
cp "$BUILD_WIN/shell/Velsarom.exe" "$stage/"
x86_64-w64-mingw32-strip "$stage/Velsarom.exe"
/usr/bin/python3 "$repo/scripts/guide_html.py" "$pictures" "$stage"
cp "$repo/e2e/demo/survey-parcel.dxf" "$stage/sample/sample-parcel.dxf"
cp "$repo/CHANGELOG.md" "$repo/docs/release/NOTICES.txt" "$stage/"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$stage/licenses/gcc-mingw-w64.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$stage/licenses/mingw-w64.txt"
(cd "$stage" && find . -type f ! -name SHA256SUMS -printf '%P\n' | LC_ALL=C sort |
  xargs -d '\n' sha256sum >SHA256SUMS)

/usr/bin/python3 - "$dist" "$name" <<'PY'
import sys, zipfile
from pathlib import Path
dist, name = Path(sys.argv[1]), sys.argv[2]
with zipfile.ZipFile(dist / f"{name}.zip", "w", zipfile.ZIP_DEFLATED) as z:
    for f in sorted((dist / name).rglob("*")):
        if f.is_file():
            z.write(f, f.relative_to(dist).as_posix())
PY
echo "package: $dist/$name.zip"
