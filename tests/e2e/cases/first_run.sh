#!/bin/bash
# First run, no settings key: the program creates the key, shows its window at
# the top-left corner (Left and Top default to 1 twip) and fills in the host
# name and every address the name service gives for it, in that order.
source "$(dirname "$0")/../lib.sh"
begin_case
set_settings
start_program
drive_or_stop wait-window 20000 state resolve

expect_eq "title" "Adrelo Viewer" "$(got window.title)"
expect_eq "visible and not minimised" "visible=1 iconic=0" \
  "visible=$(got window.visible) iconic=$(got window.iconic)"
expect_eq "position" "0 0" "$(got window.pos)"
expect_eq "Text1 is the Linux host name" "$(hostname)" "$(got Text1)"
expect_eq "List1 is the name service's answer, in its order" \
  "$(got_all resolve.address)" "$(list_entries)"
if timeout 30 "$WINE" reg query "$SETTINGS_KEY" >"$CASE_DIR/reg-query.txt" 2>&1; then
  log "ok:   $SETTINGS_KEY exists"
else
  fail "$SETTINGS_KEY does not exist after start-up"
fi
finish
