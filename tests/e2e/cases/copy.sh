#!/bin/bash
# Copying with three real addresses (veth adapters in a namespace of the
# case's own): Ctrl+I copies the selected entry, Ctrl+H the host name, the
# field menus (right click, the context-menu key) and the tray menu copy too;
# a tick drops the selection; when adapters go down the list and the tooltip
# follow within a tick, and Ctrl+I then copies the one address left, or asks
# for a selection when two are left.
source "$(dirname "$0")/../lib.sh"
enter_namespace "$@"
begin_case
ip link set lo up
add_adapter v0 10.0.0.5/24
add_adapter v1 192.168.77.3/24
add_adapter v2 172.16.5.9/24
hostname adrelo-e2e
set_settings
start_program
drive_or_stop wait-window 20000 state
expect_eq "three addresses" 3 "$(got List1.count)"
first=$(got List1.0)
second=$(got List1.1)
list=$(resource_id IDC_List1)
text=$(resource_id IDC_Text1)

# Each action right after a tick, so that no tick comes between selecting and
# copying; each copies something other than what the clipboard holds.
drive_or_stop wait-tick $TICK_WAIT click-control "$list" left 1 keys Ctrl+I clipboard-wait "$second" 3000
expect_eq "Ctrl+I: the selected (second) entry" "$second" "$(got clipboard)"
drive_or_stop tray-click 0 right popup 3000 popup-click "$(resource_id IDM_MnuCopyIP2)" \
  clipboard-wait "$first" 3000
expect_eq "tray menu: the first address, whatever is selected" "$first" "$(got clipboard)"

# The host field's menu: at the pointer on a right click, below the field's
# left edge for the context-menu key.
drive_or_stop state
read -r left top right bottom <<<"$(got Text1.rect)"
drive_or_stop click-control "$text" right popup 3000
expect_eq "right click in Text1: one item" "Copy Host Name  #$(resource_id IDM_mnuCHost)" \
  "$(got_all popup | grep -v '^@' | paste -sd '|')"
read -r _ menu_left menu_top _ <<<"$(got_all popup | grep '^@menu')"
expect_eq "right click: the menu at the pointer" "$(((left + right) / 2)) $(((top + bottom) / 2))" \
  "$menu_left $menu_top"
drive_or_stop popup-click "$(resource_id IDM_mnuCHost)" clipboard-wait adrelo-e2e 3000
expect_eq "its command copies the field" adrelo-e2e "$(got clipboard)"
# From the keyboard (the context-menu key, Shift+F10): the same menu, never
# the edit control's own, below the field's left edge.
for key in Apps Shift+F10; do
  drive_or_stop click-control "$text" left focus "$text" 5000 keys $key popup 3000
  read -r _ menu_left menu_top _ <<<"$(got_all popup | grep '^@menu')"
  expect_eq "$key: the field's menu below its left edge" "Copy Host Name  #$(resource_id IDM_mnuCHost) $left $bottom" \
    "$(got_all popup | grep -v '^@' | paste -sd '|') $menu_left $menu_top"
  drive_or_stop keys Esc
done

# The list's menu: nothing without a selection, the selected entry with one.
drive_or_stop wait-tick $TICK_WAIT click-control "$list" right 0 popup-none 700
drive_or_stop wait-tick $TICK_WAIT click-control "$list" left 1 click-control "$list" right 1 popup 3000 \
  popup-click "$(resource_id IDM_mnuCIP)" clipboard-wait "$second" 3000
expect_eq "list menu copies the selected entry" "$second" "$(got clipboard)"
drive_or_stop keys Ctrl+H clipboard-wait adrelo-e2e 3000
expect_eq "Ctrl+H: the host name" adrelo-e2e "$(got clipboard)"
drive_or_stop wait-tick $TICK_WAIT state
expect_eq "a tick drops the selection" "" "$(got List1.selected)"

# Adapters go down: the list and the tooltip follow within a tick.
ip link set v1 down
ip link set v2 down
drive_or_stop wait-tick $TICK_WAIT wait-tick $TICK_WAIT state tray
expect_eq "one adapter left: list" "10.0.0.5" "$(list_entries | paste -sd ' ')"
expect_eq "one adapter left: tooltip" "IP Address : 10.0.0.5" "$(got tray.tip)"
drive_or_stop keys Ctrl+I clipboard-wait 10.0.0.5 3000
expect_eq "Ctrl+I with one address and no selection copies it" 10.0.0.5 "$(got clipboard)"

ip link set v2 up
drive_or_stop wait-tick $TICK_WAIT wait-tick $TICK_WAIT state keys Ctrl+I msgbox Error 5000
expect_eq "two addresses" 2 "$(got List1.count)"
expect_eq "Ctrl+I with two and no selection" "Please select IP Address|OK|error" \
  "$(got msgbox.text)|$(got_all msgbox.button | paste -sd ' ')|$(got msgbox.icon)"
drive_or_stop msgbox-ok Error
finish
