#!/bin/bash
# Two network adapters (veth pairs in a namespace of the case's own): List1
# holds exactly their two addresses, in the order gethostbyname returns them.
source "$(dirname "$0")/../lib.sh"
enter_namespace "$@"
begin_case
ip link set lo up
add_adapter v0 10.0.0.5/24
add_adapter v1 192.168.77.3/24
hostname adrelo-e2e
set_settings
start_program
drive_or_stop wait-window 20000 state resolve

expect_eq "the name service knows both adapters" "10.0.0.5 192.168.77.3" \
  "$(got_all resolve.address | sort | xargs)"
expect_eq "Text1" "adrelo-e2e" "$(got Text1)"
expect_eq "List1 in the name service's order" "$(got_all resolve.address)" "$(list_entries)"
finish
