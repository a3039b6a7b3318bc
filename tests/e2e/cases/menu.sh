#!/bin/bash
# The menu bar read back from inside the program: exactly three menus, every
# caption with its access key and shortcut, the separators and each item's
# command id. Stored Language 0 under a Bulgarian locale: English wins.
source "$(dirname "$0")/../lib.sh"
begin_case
set_settings Language=0
start_program LC_ALL=bg_BG.UTF-8
drive_or_stop wait-window 20000 menu

expect_eq "menu bar items" 3 "$(got_all menu | grep -vc '^ ')"
expect_text "menu tree" "$E2E_SOURCE_DIR/expected/menu-en.txt" "$(got_all menu)"
finish
