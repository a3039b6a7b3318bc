#!/bin/bash
# Shortcut keys typed at the main window in the foreground reach it through
# the accelerator table: one WM_COMMAND each, with HIWORD(wParam) 1.
source "$(dirname "$0")/../lib.sh"
begin_case
set_settings
start_program
drive_or_stop wait-window 20000 probe-attach keys F5,Ctrl+O commands 2 5000

expect_eq "WM_COMMANDs for F5 then Ctrl+O" \
  "command id=2003 code=1|command id=2004 code=1" "$(grep '^command' <<<"$DRIVER_OUT" | paste -sd '|')"
finish
