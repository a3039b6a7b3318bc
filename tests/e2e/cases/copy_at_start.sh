#!/bin/bash
# Copy at start from CopyInfo: 2 puts the host name on the clipboard, 3 the
# first address of the list.
source "$(dirname "$0")/../lib.sh"
begin_case

set_settings CopyInfo=2
start_program
drive_or_stop wait-window 20000 clipboard
expect_eq "CopyInfo 2: clipboard holds the host name" "1 $(hostname)" \
  "$(got clipboard.has_text) $(got clipboard)"

stop_program
set_settings CopyInfo=3
start_program
drive_or_stop wait-window 20000 clipboard resolve
expect_eq "CopyInfo 3: clipboard holds the first address" "1 $(got resolve.address)" \
  "$(got clipboard.has_text) $(got clipboard)"
finish
