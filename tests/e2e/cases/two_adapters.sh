#!/bin/bash
# Two network adapters (veth pairs in a namespace of the case's own), the
# default route through the second: List1 holds exactly their two addresses,
# the default route's first, and under the real mouse each entry's hover tip
# names its adapter, its gateway and the default route's mark. The tip
# follows the list when a tick refills it: it hides when the pointer's entry
# is gone, and shows the new entry under the pointer. With the name service
# answering the other adapter's address first, as Windows often does, the
# list, the tooltip and the tray menu's Copy IP Address still give the
# default route's address.
source "$(dirname "$0")/../lib.sh"
enter_namespace "$@"
begin_case
ip link set lo up
add_adapter v0 10.0.0.5/24
add_adapter v1 192.168.77.3/24
ip route add default via 192.168.77.1 dev v1 || fail "could not add the default route"
hostname adrelo-e2e
set_settings
start_program
drive_or_stop wait-window 20000 state resolve

expect_eq "the name service knows both adapters" "10.0.0.5 192.168.77.3" \
  "$(got_all resolve.address | sort | xargs)"
expect_eq "Text1" "adrelo-e2e" "$(got Text1)"
expect_eq "List1: the default route's address first" "192.168.77.3 10.0.0.5" "$(list_entries | xargs)"

# Wine names an adapter by its Linux name and describes it by the same.
declare -A tip=(
  [10.0.0.5]='v0\r\nKind: wired\r\nNo gateway'
  [192.168.77.3]='v1\r\nKind: wired\r\nGateway: 192.168.77.1\r\nCarries the default route')
declare -A adapter=([10.0.0.5]=v0 [192.168.77.3]=v1)
entries=($(list_entries))
for i in 0 1; do
  drive_or_stop hover-entry "$i" 5000
  expect_eq "entry $i (${entries[i]}): its adapter's tip" "${tip[${entries[i]}]}" "$(got listtip.text)"
done
# The pointer rests on the second entry; the first's address goes, so after
# the tick there is no second entry: the tip hides. The pointer on the one
# left, the address comes back: after the tick the tip shows whichever
# entry is then under the pointer.
ip addr del "${entries[0]}/24" dev "${adapter[${entries[0]}]}"
drive list-tip-wait - 8000 hover-entry 0 5000 &&
  expect_eq "after the refill: the one left" "${tip[${entries[1]}]}" "$(got listtip.text)"
ip addr add "${entries[0]}/24" dev "${adapter[${entries[0]}]}"
ip route replace default via 192.168.77.1 dev v1  # gone with v1's address, if it went
for ((i = 0; i < 40; i++)); do
  drive_or_stop state
  [[ $(got List1.count) == 2 ]] && break
  sleep 0.2
done
first=$(got List1.0)
drive list-tip-wait "${tip[$first]}" 3000 && log "ok:   the tip follows the refill to $first"

# ---- the name service answering as Windows may: the other adapter first ----
drive_or_stop probe-attach lookups-reversed keys F5 wait-tick $TICK_WAIT state
expect_eq "reversed answer: the default route's address still first" "192.168.77.3 10.0.0.5" \
  "$(list_entries | xargs)"
drive_or_stop tray-wait "IP Address : 192.168.77.3" 5000 tray-click 0 right popup 3000 \
  popup-click "$(resource_id IDM_MnuCopyIP2)" clipboard-wait 192.168.77.3 3000
finish
