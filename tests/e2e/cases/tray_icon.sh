#!/bin/bash
# The notification icon: there from start-up in every start state, with the
# tooltip of ShowIP and the language, and back, exactly once, when the shell
# announces that it restarted ("TaskbarCreated"; Wine never sends it, so the
# case removes the icon and posts it), and within a tick when the shell lost
# it without a word.
source "$(dirname "$0")/../lib.sh"
begin_case

for start in "1 visible=1 iconic=0" "2 visible=0 iconic=0" "3 visible=1 iconic=1"; do
  read -r tip_window expected <<<"$start"
  restart_with Tip_Window=$tip_window
  drive_or_stop resolve tray state
  expect_eq "Tip_Window $tip_window: one icon, first address" \
    "1|IP Address : $(got resolve.address)" "$(got tray.count)|$(got tray.tip)"
  expect_eq "Tip_Window $tip_window: window" "$expected" \
    "visible=$(got window.visible) iconic=$(got window.iconic)"
done

restart_with ShowIP=2 Language=100
drive_or_stop tray
expect_eq "ShowIP 2 in Bulgarian" "Име на Компютъра : $(hostname)" "$(got tray.tip)"

tip=$(got tray.tip)
# Removed from outside and nothing said: the next tick (one each 5 s) finds
# it gone and adds it again, once.
drive_or_stop notify-delete tray-wait "$tip" 6000 sleep 5500 tray
expect_eq "lost without TaskbarCreated: one icon again within a tick, its tooltip" "1|$tip" \
  "$(got tray.count)|$(got tray.tip)"
drive_or_stop notify-delete post TaskbarCreated tray-wait "$tip" 5000 post TaskbarCreated sleep 500 tray
expect_eq "after two TaskbarCreated: one icon, its tooltip" "1|$tip" \
  "$(got tray.count)|$(got tray.tip)"
finish
