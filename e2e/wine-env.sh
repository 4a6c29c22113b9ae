# Sourced by the wine-tier scripts: a virtual X display, a wine prefix of the build's own and
# a wine that runs with the Japanese code page, as on the users' machines.
#   velsarom_xvfb_start          start Xvfb on $DISPLAY (default :77) unless one answers
#   velsarom_wine_init           create the prefix once (10-20 s the first time)
#   velsarom_wine EXE [ARGS...]  run a Windows program, waiting for it
#   velsarom_screenshot FILE.png the whole virtual screen
#   velsarom_wine_stop           end the wine server of the prefix

VELSAROM_REPO=${VELSAROM_REPO:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-${BUILD_WIN:-$VELSAROM_REPO/build/win}/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export WINEARCH=win64
export DISPLAY=${DISPLAY:-:77}
VELSAROM_WINE=${VELSAROM_WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
VELSAROM_WINESERVER=${VELSAROM_WINESERVER:-$(command -v wineserver || echo /usr/lib/wine/wineserver)}

velsarom_xvfb_start() {
  if xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then return 0; fi
  Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  for _ in $(seq 1 50); do
    xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}

velsarom_wine_init() {
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    LC_ALL=ja_JP.UTF-8 "$VELSAROM_WINE" wineboot -i >/dev/null 2>&1 || true
    "$VELSAROM_WINESERVER" -w
  fi
  [ -f "$WINEPREFIX/system.reg" ] || return 1
  if [ ! -f "$WINEPREFIX/.velsarom-settings" ]; then
    # The window's Japanese face is not installed here; IPA's proportional Gothic stands in
    # for it, as the closest in shape and width (wine's own pick drops the underscore).
    velsarom_wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' \
      /d 'IPAPGothic' /f >/dev/null 2>&1
    # No window manager runs in the virtual display: wine draws the frames and title bars
    # itself, so that screenshots show the windows as the user sees them.
    for value in Managed Decorated; do
      velsarom_wine reg add 'HKCU\Software\Wine\X11 Driver' /v "$value" /d N /f >/dev/null 2>&1
    done
    touch "$WINEPREFIX/.velsarom-settings"
  fi
}

velsarom_wine() {
  LC_ALL=ja_JP.UTF-8 "$VELSAROM_WINE" "$@"
}

velsarom_screenshot() {
  import -display "$DISPLAY" -window root "$1"
}

velsarom_wine_stop() {
  "$VELSAROM_WINESERVER" -k >/dev/null 2>&1 || true
}
