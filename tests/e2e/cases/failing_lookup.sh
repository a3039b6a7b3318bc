#!/bin/bash
# The name service cannot resolve the host name (only loopback up, so Wine asks
# the Unix resolver, which does not know the name): the program says so in a
# message box, and after OK goes on with an empty host name and address list.
source "$(dirname "$0")/../lib.sh"
enter_namespace "$@"
begin_case
ip link set lo up
hostname workstation-with-a-rather-long-host-name-0123456789-abcdefgh
set_settings
start_program
drive_or_stop msgbox "Adrelo Viewer" 20000

expect_eq "message" "Winsock.dll is not responding." "$(got msgbox.text)"
expect_eq "buttons" "OK" "$(got_all msgbox.button | xargs)"
drive_or_stop msgbox-ok "Adrelo Viewer" wait-window 20000 state
expect_eq "window shown after OK" "visible=1 iconic=0" \
  "visible=$(got window.visible) iconic=$(got window.iconic)"
expect_eq "Text1 empty" "" "$(got Text1)"
expect_eq "List1 empty" "0" "$(got List1.count)"
finish
