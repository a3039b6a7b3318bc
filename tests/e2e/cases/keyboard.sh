#!/bin/bash
# Shortcut keys typed at the main window in the foreground reach it through
# the accelerator table: one WM_COMMAND each, with HIWORD(wParam) 1.
source "$(dirname "$0")/../lib.sh"
begin_case
set_settings
start_program
drive_or_stop wait-window 20000 probe-attach keys F5,Ctrl+O commands 2 5000

refresh=$(resource_id IDM_mnuRefresh)
settings=$(resource_id IDM_mnuSet)
expect_eq "WM_COMMANDs for F5 then Ctrl+O" \
  "command id=$refresh code=1|command id=$settings code=1" \
  "$(grep '^command.*code=[01]$' <<<"$DRIVER_OUT" | paste -sd '|')"
finish
