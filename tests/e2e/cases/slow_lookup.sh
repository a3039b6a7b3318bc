#!/bin/bash
# A name service that answers only after 2 s (only loopback up, so Wine asks
# the Unix resolver, here a name server of the case's own that waits before
# it answers): the lookup is made on the window's thread, so the window does
# not answer while a tick waits, for about the name service's delay and no
# longer; an Exit chosen during a lookup is carried out after it, all eight
# values saved.
source "$(dirname "$0")/../lib.sh"
enter_namespace "$@"
begin_case
DELAY_S=2
ADDRESS=10.9.8.7
ip link set lo up
hostname adrelo-slow-name-service
printf 'nameserver 127.0.0.1\noptions timeout:5 attempts:1\n' >"$CASE_DIR/resolv.conf"
mount --bind "$CASE_DIR/resolv.conf" /etc/resolv.conf || { fail "cannot replace resolv.conf"; finish; }
python3 "$E2E_SOURCE_DIR/slow_dns.py" "$DELAY_S" "$ADDRESS" >"$CASE_DIR/dns.log" 2>&1 &
on_cleanup "kill $!"

set_settings
start_program
drive_or_stop wait-window 30000 state answer-times 11000
expect_eq "the late answer is shown" "1|$ADDRESS" "$(got List1.count)|$(got List1.0)"
log "      two ticks: the window answered within $(got answer.max_ms) ms at worst," \
  "$(got answer.slow) of $(got answer.samples) answers over 100 ms"
expect_eq "a tick keeps the window from answering for about the delay, no longer" 1 \
  "$(($(got answer.max_ms) >= DELAY_S * 1000 / 2 && $(got answer.max_ms) <= DELAY_S * 1000 + 1000))"

# A tick, and an Exit chosen while its lookup waits.
started=$(date +%s%N)
drive post 0x0113 "$(resource_id IDT_Timer1)" 0 post 0x0111 "$(resource_id IDM_mnuExit)" 0 \
  wait-gone 10000
log "      Exit during a lookup: the program ended $((($(date +%s%N) - started) / 1000000)) ms later"
expect_eq "Exit during a lookup: the eight values" \
  "CloseMin=1|CopyInfo=1|Language=0|Left=0|ShowIP=1|Start_with_Win=1|Tip_Window=1|Top=0" \
  "$(stored_settings | paste -sd '|')"
finish
