#!/bin/bash
# A fixed frame: system menu and minimise box but no maximise box and no
# sizing border, a 373 x 120 client area, and WM_SYSCOMMAND SC_MAXIMIZE or
# SC_SIZE (which DefWindowProc would act on) change nothing. Each field comes
# just after its label, so a screen reader names it, while the focus starts on
# the list and Tab moves to the host field. Moved to a monitor of 144 dpi
# (WM_DPICHANGED), it lays itself out from its twips in new fonts and takes
# icons drawn for that DPI, and 100 such moves leave no GDI object behind.
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

id() { resource_id "IDC_$1"; }
title="Adrelo Viewer"
drive_or_stop window "$title" 5000 tray looks "$title"
expect_captions_whole "96 dpi"
expect_icons 96 "the main window"
expect_eq "96 dpi: the notification icon, from its own image" "16 1" "$(got tray.image)"
expect_eq "z-order: label, field, label, field" "$(id Label1) $(id Text1) $(id Label2) $(id List1)" \
  "$(got children)"
expect_eq "the fields named by their labels" "Host name : |IP Address : " \
  "$(got "child.$(id Text1).name")|$(got "child.$(id List1).name")"
expect_eq "the list has the focus" "id$(id List1)" "$(got top.focus)"
# Tab: the host field, then the list again.
drive keys Tab focus "$(id Text1)" 3000 keys Tab focus "$(id List1)" 3000 && log "ok:   Tab order"

drive_or_stop dpi-change "$title" 144 window "$title" 5000 fonts looks "$title"
expect_captions_whole "144 dpi"
expect_icons 144 "the main window moved to 144 dpi"
expect_dpi_changes
expect_eq "client area at 144 dpi" "560 180" "$(got top.client.size)"
while read -r name rect; do
  expect_eq "$name at 144 dpi" "$rect" "$(got "child.$(id "$name").rect")"
done <<'TABLE'
Label1 0 12 254 38
Text1 264 12 290 41
Label2 0 84 254 38
List1 264 84 290 89
TABLE
expect_eq "fonts at 144 dpi" "Arial -24 700 0|Arial -24 700 204" "$(got font.Label1)|$(got font.List1)"
finish
