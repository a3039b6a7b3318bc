#!/usr/bin/env bash
# Starts Adrelo.exe under Wine in the project's own prefix (build/run-prefix).
# With a display it runs there until closed; with none it runs under Xvfb in a
# Wine virtual desktop for a few seconds and saves build/screenshot.png.
# Usage: run.sh <path to Adrelo.exe>
set -euo pipefail
exe=$(realpath "$1")
build_dir=$(dirname "$(dirname "$exe")")
scripts=$(dirname "$(realpath "$0")")
export WINEARCH=win32 WINEPREFIX="$build_dir/run-prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

if [ -z "${ADRELO_UNDER_XVFB:-}" ]; then
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    [ -f "$WINEPREFIX/system.reg" ] || "$scripts/make_prefix.sh" "$WINEPREFIX"
    exec wine "$exe"
  fi
  ADRELO_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$exe"
fi

[ -f "$WINEPREFIX/system.reg" ] || "$scripts/make_prefix.sh" "$WINEPREFIX"
wine explorer /desktop=shell,800x600 "$exe" >/dev/null 2>&1 &
sleep "${ADRELO_RUN_SECONDS:-6}"
shot="$build_dir/screenshot.png"
import -window root -crop 800x600+0+0 +repage "$shot"
timeout 20 wineserver -k 2>/dev/null || true
wait 2>/dev/null || true
echo "run: no display, so Adrelo Viewer ran under Xvfb; screenshot saved to $shot"
