#!/bin/bash
# The icon's mouse events and the window states, with real mouse input: a
# double click brings a hidden window back (after Ctrl+S, after the close box,
# after a hidden start), a single click does nothing, a right click opens the
# tray menu ("Restore" bold) in either language and clicking elsewhere closes
# it; Ctrl+T minimises to the task bar, Ctrl+S twice leaves one icon, and the
# title bar's minimise stays in the task bar.
source "$(dirname "$0")/../lib.sh"
begin_case

# restored HOW: a double click on the icon gives a normal window in front.
restored() {
  drive_or_stop tray-click 0 double wait-state 1 0 5000 state
  expect_eq "$1, double click: normal, shown, in front" "visible=1 iconic=0 foreground=1" \
    "visible=$(got window.visible) iconic=$(got window.iconic) foreground=$(got window.foreground)"
}

restart_with Tip_Window=2
drive_or_stop tray-click 0 left sleep 1000 state
expect_eq "hidden start, single click: still hidden" 0 "$(got window.visible)"
restored "hidden start"

drive_or_stop keys Ctrl+S wait-state 0 1 5000
restored "Ctrl+S"
drive_or_stop keys Ctrl+S wait-state 0 1 5000 tray
expect_eq "Ctrl+S twice: one icon" 1 "$(got tray.count)"
restored "Ctrl+S again"

drive_or_stop keys Ctrl+T wait-state 1 1 5000 tray
expect_eq "Ctrl+T: minimised in the task bar, one icon" 1 "$(got tray.count)"
drive_or_stop tray-click 0 double wait-state 1 0 5000 syscommand minimize sleep 500 state
expect_eq "minimised by the system menu: stays in the task bar" "visible=1 iconic=1" \
  "visible=$(got window.visible) iconic=$(got window.iconic)"
restored "minimised by the system menu"

drive_or_stop syscommand close wait-state 0 0 5000
restored "close box"

# The tray menu in both languages; a click elsewhere closes it.
menu_en="Copy IP Address  #2050|Copy Host Name  #2051|----|Restore  #2052 [default]|----|Exit  #2053"
menu_bg="Копирай IP Адреса  #2050|Копирай Хост името  #2051|----|Отвори  #2052 [default]|----|Изход  #2053"
drive_or_stop tray-click 0 right popup 3000
expect_eq "tray menu, English" "$menu_en" "$(got_all popup | grep -v '^@' | paste -sd '|')"
drive_or_stop click 400 300 left sleep 300 popup-none 300
drive_or_stop tray-click 0 right popup 3000 popup-click "$(resource_id IDM_mnuCopyHost2)" \
  clipboard-wait "$(hostname)" 3000
expect_eq "tray menu: Copy Host Name" "$(hostname)" "$(got clipboard)"

restart_with Language=100 Tip_Window=2
drive_or_stop tray-click 0 right popup 3000
expect_eq "tray menu, Bulgarian, window hidden" "$menu_bg" \
  "$(got_all popup | grep -v '^@' | paste -sd '|')"
drive_or_stop popup-click "$(resource_id IDM_mnuRestore)" wait-state 1 0 5000
finish
