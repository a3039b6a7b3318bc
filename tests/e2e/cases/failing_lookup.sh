#!/bin/bash
# The name service cannot resolve the host name for a minute (only loopback
# up, so Wine asks the Unix resolver, which does not know the name): the
# program says so in a message box, and after OK goes on with an empty host
# name and address list. Ticks that fail on and on add no second box, neither
# while the first is open nor after it, and the tooltip says there is no
# address; with no address, Ctrl+I and the tray menu's Copy IP Address show
# their messages. Once an adapter comes up, the next tick shows its address.
source "$(dirname "$0")/../lib.sh"
enter_namespace "$@"
begin_case
ip link set lo up
hostname workstation-with-a-rather-long-host-name-0123456789-abcdefgh
set_settings
started=$(date +%s%N)
start_program
drive_or_stop msgbox "Adrelo Viewer" 20000

expect_eq "message" "Winsock.dll is not responding." "$(got msgbox.text)"
expect_eq "buttons" "OK" "$(got_all msgbox.button | xargs)"
drive_or_stop msgbox-watch "Adrelo Viewer" 11000
expect_eq "two ticks while it is open: still one box" "1 1" "$(got msgbox.seen) $(got msgbox.most)"
# After OK, start-up goes on and shows the window: waited for until it is
# visible (the thread answers messages before that, still in the box's loop).
drive_or_stop msgbox-ok "Adrelo Viewer" window "Adrelo Viewer" 20000 state tray
expect_eq "window shown after OK" "visible=1 iconic=0" \
  "visible=$(got window.visible) iconic=$(got window.iconic)"
expect_eq "Text1 empty" "" "$(got Text1)"
expect_eq "List1 empty" "0" "$(got List1.count)"
drive_or_stop keys Ctrl+I msgbox Error 5000
expect_eq "Ctrl+I with no address" "No registered IP Address|OK|error|main" \
  "$(got msgbox.text)|$(got_all msgbox.button | xargs)|$(got msgbox.icon)|$(got msgbox.owner)"
drive_or_stop msgbox-ok Error tray-click 0 right popup 3000 \
  popup-click "$(resource_id IDM_MnuCopyIP2)" msgbox Error 5000
expect_eq "tray menu's Copy IP Address with no address" "Please select IP Address|error" \
  "$(got msgbox.text)|$(got msgbox.icon)"
drive_or_stop msgbox-ok Error

# The rest of the minute: no box at all, the tooltip following the ticks.
drive_or_stop msgbox-watch "Adrelo Viewer" $((60000 - ($(date +%s%N) - started) / 1000000)) tray
expect_eq "a minute of failing ticks: no second box" 0 "$(got msgbox.seen)"
expect_eq "the tooltip follows the ticks" "No registered IP Address" "$(got tray.tip)"
add_adapter v0 10.0.0.5/24
recovering=$(date +%s%N)
drive_or_stop tray-wait "IP Address : 10.0.0.5" 7000 state
log "      recovered $((($(date +%s%N) - recovering) / 1000000)) ms after the adapter came up"
expect_eq "the next tick shows the address and the host name" \
  "1|10.0.0.5|$(hostname)" "$(got List1.count)|$(got List1.0)|$(got Text1)"
finish
