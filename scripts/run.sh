#!/usr/bin/env bash
# Starts Adrelo.exe under Wine in the project's own prefix: the shipped 32-bit
# program where 32-bit processes start, the 64-bit build otherwise
# (scripts/wine_env.sh; ADRELO_WINE=32|64 forces either). With a display it
# runs there until closed; with none it runs under Xvfb in a Wine virtual
# desktop for a few seconds and saves build/screenshot.png.
# Usage: run.sh <build folder>
set -euo pipefail
build_dir=$(realpath "$1")
scripts=$(dirname "$(realpath "$0")")
source "$scripts/wine_env.sh"
exe=$build_dir/$ADRELO_WINDOWS_BUILD/Adrelo.exe
export WINEPREFIX="$build_dir/run-prefix-$ADRELO_WINDOWS_BUILD" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

if [ -z "${ADRELO_UNDER_XVFB:-}" ]; then
  echo "run: $(adrelo_wine_description)"
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    [ -f "$WINEPREFIX/system.reg" ] || "$scripts/make_prefix.sh" "$WINEPREFIX"
    exec "$WINE" "$exe"
  fi
  ADRELO_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build_dir"
fi

[ -f "$WINEPREFIX/system.reg" ] || "$scripts/make_prefix.sh" "$WINEPREFIX"
"$WINE" explorer /desktop=shell,800x600 "$exe" >/dev/null 2>&1 &
sleep "${ADRELO_RUN_SECONDS:-6}"
shot="$build_dir/screenshot.png"
import -window root -crop 800x600+0+0 +repage "$shot"
timeout 20 wineserver -k 2>/dev/null || true
wait 2>/dev/null || true
echo "run: no display, so Adrelo Viewer ran under Xvfb; screenshot saved to $shot"
