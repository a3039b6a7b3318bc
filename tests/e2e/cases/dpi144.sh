#!/bin/bash
# At 144 dpi the client area is wider than 517 pixels: ordinary mouse moves
# at x = 515 and 517 (the values of a double click and a right-button
# release) over the window's own background neither restore it nor open the
# tray menu, since the icon's events come in a message of the program's own.
# Started at 120, 144 and 192 dpi, every window's captions are painted whole
# and its icons, the notification icon's too, are drawn for that DPI from the
# icon's own images.
source "$(dirname "$0")/../lib.sh"
SCREEN_SIZE=1600x1200
DESKTOP_SIZE=1400x1100
begin_case
set_dpi() {
  wine_write reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f || fail "could not set LogPixels to $1"
}
on_cleanup "set_dpi 96; timeout 20 wineserver -w"

# pixels TWIPS DPI: as the program converts them, to the nearest pixel. The
# settings dialog's client area is 8010 × 4905 twips, About's 4050 × 3300.
pixels() { echo $((($1 * $2 + 720) / 1440)); }

# Started at a system DPI above 96, each window's captions are painted whole:
# at 120 dpi in English, at 144 in Bulgarian.
captions_at() {  # DPI LANGUAGE SETTINGS_TITLE ABOUT_TITLE
  set_dpi "$1"
  set_settings Language="$2"
  start_program
  drive_or_stop wait-window 20000 tray looks "Adrelo Viewer" keys Ctrl+O owned-wait 5000 looks "$3" owned-state
  expect_eq "$1 dpi: the notification icon, from its own image" "$(($1 / 6)) 1" "$(got tray.image)"
  expect_captions_whole "$1 dpi: the main window and the settings dialog"
  expect_icons "$1" "the main window and the settings dialog"
  expect_eq "$1 dpi: the settings dialog opens at its size for that DPI" "$(pixels 8010 "$1") $(pixels 4905 "$1")" \
    "$(got owned.client)"
  drive_or_stop owned-close-box owned-gone 5000 keys F10,Right,Right,Down,Enter window "$4" 5000 looks "$4"
  expect_eq "$1 dpi: About opens at its size for that DPI" "$(pixels 4050 "$1") $(pixels 3300 "$1")" \
    "$(got top.client.size)"
  expect_captions_whole "$1 dpi: About"
  expect_icons "$1" "About"
  stop_program
}
captions_at 120 0 "Settings panel" "About Program..."
captions_at 144 100 "Панел за Настройки" "За програмата..."
captions_at 192 0 "Settings panel" "About Program..."

set_dpi 144
set_settings
start_program
drive_or_stop wait-window 20000 state
read -r width _ <<<"$(got client.size)"
expect_eq "client area wider than 517 pixels" yes "$( ((width > 517)) && echo yes || echo no)"
# Between the host field (bottom at 52) and the list (top at 84): the window itself.
drive_or_stop probe-attach move 515 68 sleep 300 move 517 68 popup-none 700 state
expect_eq "no restore, no menu" "visible=1 iconic=0" \
  "visible=$(got window.visible) iconic=$(got window.iconic)"
drive_or_stop commands 0 300
expect_eq "no command reached the window" "" "$(grep '^command' <<<"$DRIVER_OUT")"
finish
