#!/usr/bin/env bash
# Installs everything the builds, the tests and the demo need on a fresh Debian 12 machine.
set -euo pipefail
pkgs=(cmake g++ make ninja-build libgtest-dev libgmock-dev googletest libbenchmark-dev
      g++-mingw-w64-x86-64 mingw-w64-tools wine64 xvfb xauth x11-utils fonts-ipafont-gothic
      imagemagick python3-ezdxf python3-matplotlib libdxflib-dev locales clang
      libclang-rt-14-dev clang-format python3-mapbox-earcut python3-shapely
      python3-markdown)
missing=()
for p in "${pkgs[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# wine needs the ja_JP locale to give the process code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen >/dev/null
fi
