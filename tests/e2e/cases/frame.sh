#!/bin/bash
# A fixed frame: system menu and minimise box but no maximise box and no
# sizing border, a 373 x 120 client area, and WM_SYSCOMMAND SC_MAXIMIZE or
# SC_SIZE (which DefWindowProc would act on) change nothing.
source "$(dirname "$0")/../lib.sh"
begin_case
set_settings
start_program
drive_or_stop wait-window 20000 state

style=$(got window.style)
has() { (((style & $1) != 0)) && echo yes || echo no; }
expect_eq "WS_SYSMENU WS_MINIMIZEBOX WS_MAXIMIZEBOX WS_THICKFRAME ($style)" "yes yes no no" \
  "$(has 0x00080000) $(has 0x00020000) $(has 0x00010000) $(has 0x00040000)"
expect_eq "client size" "373 120" "$(got client.size)"
before="$(got window.pos) $(got window.size)"

drive_or_stop syscommand maximize state
expect_eq "SC_MAXIMIZE: not zoomed" 0 "$(got window.zoomed)"
expect_eq "SC_MAXIMIZE: rect unchanged" "$before" "$(got window.pos) $(got window.size)"
drive_or_stop syscommand size state
expect_eq "SC_SIZE: rect unchanged" "$before" "$(got window.pos) $(got window.size)"
finish
