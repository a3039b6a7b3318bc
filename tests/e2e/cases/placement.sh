#!/bin/bash
# Placement from the stored Left and Top (twips, 15 to a pixel here): a value
# below 0 or beyond the free room (screen minus window) centres the window on
# that axis; a value at the very edge of the free room is kept.
source "$(dirname "$0")/../lib.sh"
begin_case

set_settings Left=-15
start_program
drive_or_stop wait-window 20000 state
read -r screen_w screen_h <<<"$(got screen.size)"
read -r window_w window_h <<<"$(got window.size)"
read -r x y <<<"$(got window.pos)"
expect_eq "screen is the virtual desktop" "${DESKTOP_SIZE/x/ }" "$screen_w $screen_h"
expect_near "Left -15: centred horizontally" $(((screen_w - window_w) / 2)) "$x" 1
expect_eq "Left -15: Top (absent) still 0" 0 "$y"

stop_program
free_x=$(((screen_w - window_w) * 15))
free_y=$(((screen_h - window_h) * 15))
set_settings Left=$free_x Top=$((free_y + 1))
start_program
drive_or_stop wait-window 20000 state
read -r x y <<<"$(got window.pos)"
expect_eq "Left = free room ($free_x): kept, right edge on the screen's" $((screen_w - window_w)) "$x"
expect_near "Top = free room + 1 twip: centred vertically" $(((screen_h - window_h) / 2)) "$y" 1
finish
