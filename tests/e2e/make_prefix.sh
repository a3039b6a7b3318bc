#!/bin/bash
# Makes the throwaway 32-bit Wine prefix that the end-to-end cases share
# (CTest runs this once per run as the setup of the e2e_prefix fixture), with
# the system DPI at 96 so that twips and pixels convert 15 to 1.
# ADRELO_E2E_KEEP_PREFIX=1 keeps an existing prefix (quicker while iterating).
CASE_NAME=prefix
source "$(dirname "$0")/lib.sh"

mkdir -p "$CASE_DIR"
trap finish EXIT
timeout 20 wineserver -k >/dev/null 2>&1
if [[ ${ADRELO_E2E_KEEP_PREFIX:-} == 1 && -f $WINEPREFIX/system.reg ]]; then
  log "keeping $WINEPREFIX"
else
  rm -rf "$WINEPREFIX"
  start_xvfb
  timeout 120 wineboot -i >"$CASE_DIR/wineboot.log" 2>&1 || fail "wineboot -i failed: $(tail -5 "$CASE_DIR/wineboot.log")"
fi
timeout 30 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1 ||
  fail "could not set LogPixels"
# The server writes the registry to disk when it ends: wait for that.
timeout 60 wineserver -w || fail "the Wine server did not end"
grep -q '"LogPixels"=dword:00000060' "$WINEPREFIX/user.reg" || fail "LogPixels is not 96 in user.reg"
finish
