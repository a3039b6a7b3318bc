#!/usr/bin/env bash
# Makes a fresh Wine prefix for Adrelo Viewer at the given path, for the Wine
# that scripts/wine_env.sh chooses (32-bit, or 64-bit where 32-bit processes
# cannot start), with the system DPI at 96 (15 twips to a pixel) and the
# Marlett font that the title-bar buttons need. Needs an X display (DISPLAY)
# for wineboot.
# Usage: make_prefix.sh <prefix folder>
set -euo pipefail
source "$(dirname "$(realpath "$0")")/wine_env.sh"
export WINEPREFIX=$1 WINEDEBUG=-all
# No Mono or Gecko: neither can be downloaded here and nothing needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="

timeout 20 wineserver -k >/dev/null 2>&1 || true
rm -rf "$WINEPREFIX"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! timeout 120 "$WINE" wineboot -i >"$log" 2>&1; then
  echo "make_prefix: wineboot -i failed, $(adrelo_wine_description):" >&2
  tail -5 "$log" >&2
  exit 1
fi
# Debian's Wine does not find Marlett in its own data folder: without it the
# title-bar buttons show as the letters 0 1 r.
marlett=/usr/share/wine/fonts/marlett.ttf
[ -f "$marlett" ] && cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"
timeout 30 "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
# The server writes the registry to disk when it ends: wait for that.
timeout 60 wineserver -w
grep -q '"LogPixels"=dword:00000060' "$WINEPREFIX/user.reg" || {
  echo "make_prefix: LogPixels is not 96 in $WINEPREFIX/user.reg" >&2
  exit 1
}
