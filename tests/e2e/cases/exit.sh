#!/bin/bash
# Ending the program: Exit from the menu, by Ctrl+X and from the tray menu
# while hidden write all eight values and remove the icon; the close box
# hides the window with CloseMin 1 (icon kept, nothing written) and ends the
# program with CloseMin 2. (The end of the session: the faults case.)
source "$(dirname "$0")/../lib.sh"
begin_case
written="CloseMin=1|CopyInfo=1|Language=0|Left=0|ShowIP=1|Start_with_Win=1|Tip_Window=1|Top=0"

# ended HOW EXPECTED_VALUES: the program is gone, its icon too, the values stored.
ended() {
  drive wait-gone 20000 tray
  expect_eq "$1: program ended, icon removed" 0 "$(got tray.count)"
  expect_eq "$1: the eight values" "$2" "$(stored_settings | paste -sd '|')"
}

restart_with
drive_or_stop keys Alt+F,Up,Enter
ended "Exit from the menu" "$written"

restart_with
drive_or_stop keys Ctrl+X
ended "Ctrl+X" "$written"

restart_with Tip_Window=2
drive_or_stop tray-click 0 right popup 3000 popup-click "$(resource_id IDM_mnuExit2)"
ended "Exit from the tray menu while hidden" "${written/Tip_Window=1/Tip_Window=2}"

# The close box (a real click), with CloseMin 1 and then 2.
restart_with CloseMin=1
drive_or_stop state
read -r x y <<<"$(got window.pos)"
read -r w h <<<"$(got window.size)"
close_box="$((x + w - 13)) $((y + 11))"
drive_or_stop click $close_box left wait-state 0 0 5000 sleep 500 state tray
expect_eq "close box, CloseMin 1: hidden, icon kept" "visible=0 icons=1" \
  "visible=$(got window.visible) icons=$(got tray.count)"
expect_eq "close box, CloseMin 1: nothing written" "CloseMin=1" "$(stored_settings)"

restart_with CloseMin=2
drive_or_stop click $close_box left
ended "close box, CloseMin 2" "${written/CloseMin=1/CloseMin=2}"
finish
