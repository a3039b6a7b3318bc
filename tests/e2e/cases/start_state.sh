#!/bin/bash
# The start state from Tip_Window: 2 starts hidden (the window exists but is
# not visible), 3 starts minimised.
source "$(dirname "$0")/../lib.sh"
begin_case

set_settings Tip_Window=2
start_program
drive_or_stop wait-window 20000 state
expect_eq "Tip_Window 2: hidden" "visible=0 iconic=0" \
  "visible=$(got window.visible) iconic=$(got window.iconic)"

stop_program
set_settings Tip_Window=3
start_program
drive_or_stop wait-window 20000 state
expect_eq "Tip_Window 3: minimised" "1" "$(got window.iconic)"
finish
