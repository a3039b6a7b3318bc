#!/bin/bash
# Started again while it runs, the program does not run twice: the second
# start asks the running copy to come forward, as a double click on its icon
# does, and ends at once with code 0, having added no icon, written nothing
# and shown no window of its own. Tried with the running copy hidden in the
# notification area, minimised, behind another program with the settings
# dialog open (the dialog then comes forward with it), and holding a lock the
# second start may not open, as a copy started as administrator does.
source "$(dirname "$0")/../lib.sh"
begin_case
exe=$(win_path "$ADRELO_EXE")
# Within a second on Windows; Wine takes a few hundred ms to start a process.
SECOND_START_BOUND_MS=3000

# second_start WHAT FOREGROUND_TITLE
second_start() {
  local before ms
  before=$(stored_settings)
  drive_or_stop second-start "$exe" 20000 wait-state 1 0 5000 wait-foreground "$2" 5000 tray
  expect_eq "$1: the second start ended with 0; one main window, one icon" "0 1 1" \
    "$(got second.exit) $(got second.main_windows) $(got tray.count)"
  ms=$(got second.ms)
  if ((ms <= SECOND_START_BOUND_MS)); then
    log "ok:   $1: the second start ended after $ms ms"
  else
    fail "$1: the second start ended after $ms ms, bound $SECOND_START_BOUND_MS"
  fi
  expect_eq "$1: the settings key untouched" "$before" "$(stored_settings)"
}

set_settings Tip_Window=2
start_program
drive_or_stop wait-window 20000 wait-state 0 0 5000 tray
expect_eq "started hidden, one icon" 1 "$(got tray.count)"
second_start "hidden in the notification area" "Adrelo Viewer"

drive_or_stop syscommand minimize wait-state 1 1 5000
second_start "minimised" "Adrelo Viewer"

# Another program in front of the open dialog (on the same desktop; its
# output not on the driver's, which would wait for it to end).
drive_or_stop keys Ctrl+O owned-wait 5000
(exec timeout 120 "$WINE" explorer "/desktop=$DESKTOP_NAME,$DESKTOP_SIZE" notepad >/dev/null 2>&1 &)
drive_or_stop window "Untitled - Notepad" 20000
second_start "behind another program, the settings dialog open" "Settings panel"

# Only SYSTEM may open the lock now: Windows refuses an elevated copy's to a
# normal start in the same way.
drive_or_stop owned-close-box owned-gone 5000 lock-access 'D:P(A;;GA;;;SY)'
second_start "its lock refused for access" "Adrelo Viewer"
drive_or_stop keys Ctrl+X wait-gone 20000
finish
