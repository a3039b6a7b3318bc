#!/bin/bash
# Faults of a real desktop, survived and measured: another program holds the
# clipboard for 300 ms (the copy still succeeds) and for 5 s (the copy gives
# up within its half-second budget, the window goes on answering, and the
# clipboard is free afterwards and as it was); the notification area
# restarts ten times in a row (one icon after each); the session ends with
# the window shown, hidden, minimised, with the settings dialog open and with
# the About window open (each time the eight values are saved, and the
# program is gone at once, never holding the log-off up).
source "$(dirname "$0")/../lib.sh"
begin_case
written="CloseMin=1|CopyInfo=1|Language=0|Left=0|ShowIP=1|Start_with_Win=1|Tip_Window=1|Top=0"

restart_with
drive_or_stop state tray
host=$(got Text1)
address=$(got List1.0)
tip=$(got tray.tip)
drive hold-clipboard 300 keys Ctrl+H clipboard-wait "$host" 3000
expect_eq "clipboard held for 300 ms: the copy succeeds" "$host" "$(got clipboard)"
drive_or_stop hold-clipboard 5000 keys Ctrl+I answer-times 5500 clipboard
log "      clipboard held for 5 s: the window answered within $(got answer.max_ms) ms at worst"
expect_eq "clipboard held for 5 s: the window waits at most the half-second budget (and a tick)" \
  1 "$(($(got answer.max_ms) <= 800))"
expect_eq "clipboard held for 5 s: free afterwards and as it was" "1|$host" \
  "$(got clipboard.has_text)|$(got clipboard)"

# The shell's notification area restarts: the icon goes, "TaskbarCreated" comes.
# (The tick would also bring it back; TaskbarCreated does at once.)
steps=()
for ((i = 0; i < 10; i++)); do
  steps+=(notify-delete post TaskbarCreated 0 0 tray-wait "$tip" 5000)
done
drive "${steps[@]}"
expect_eq "the notification area restarted ten times: one icon each time" \
  "$(printf '1 %.0s' {1..10})" "$(got_all tray.count | xargs) "

# logged_off HOW: the session ends; the program is gone within 5 s (the time
# wineboot gives before it asks to end a task), the eight values stored.
logged_off() {
  local started=$(date +%s%N)
  end_session
  drive wait-gone 5000 tray
  log "      $1: gone $((($(date +%s%N) - started) / 1000000)) ms after the log-off began"
  expect_eq "$1: program ended, icon removed" 0 "$(got tray.count)"
  expect_eq "$1: the eight values" "$written" "$(stored_settings | paste -sd '|')"
}
restart_with
logged_off "log-off, window shown"
restart_with
drive_or_stop keys Ctrl+S wait-state 0 1 5000
logged_off "log-off, window hidden"
restart_with
drive_or_stop keys Ctrl+T wait-state 1 1 5000
logged_off "log-off, window minimised"
restart_with
drive_or_stop keys Ctrl+O owned-wait 5000
logged_off "log-off, settings dialog open"
restart_with
drive_or_stop keys Alt+H,Enter window "About Program..." 5000
logged_off "log-off, About window open"
finish
