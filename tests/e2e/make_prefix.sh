#!/bin/bash
# Makes the throwaway Wine prefix that the end-to-end cases share
# (CTest runs this once per run as the setup of the e2e_prefix fixture), with
# the system DPI at 96 so that twips and pixels convert 15 to 1.
# ADRELO_E2E_KEEP_PREFIX=1 keeps an existing prefix (quicker while iterating).
# Each lane named in ADRELO_E2E_LANES gets a copy of its own.
CASE_NAME=prefix
source "$(dirname "$0")/lib.sh"

mkdir -p "$CASE_DIR"
trap finish EXIT
timeout 20 wineserver -k >/dev/null 2>&1
if [[ ${ADRELO_E2E_KEEP_PREFIX:-} == 1 && -f $WINEPREFIX/system.reg ]]; then
  log "keeping $WINEPREFIX"
else
  start_xvfb
  "$E2E_REPO_DIR/scripts/make_prefix.sh" "$WINEPREFIX" >"$CASE_DIR/make_prefix.log" 2>&1 ||
    fail "making the prefix failed: $(tail -5 "$CASE_DIR/make_prefix.log")"
fi
timeout 20 wineserver -w >/dev/null 2>&1
for lane in ${ADRELO_E2E_LANES:-}; do
  rm -rf "$WINEPREFIX-$lane"
  cp -a "$WINEPREFIX" "$WINEPREFIX-$lane" || fail "could not copy the prefix for lane $lane"
done
finish
