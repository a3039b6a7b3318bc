#!/bin/bash
# Makes the README's pictures from the real program under Wine, each cropped
# to what it shows inside the Wine virtual desktop, as small PNGs in docs/:
#   screenshot-en.png        the main window in English (en_US locale)
#   screenshot-bg.png        the main window in Bulgarian (bg_BG locale)
#   screenshot-settings.png  the settings dialog (Ctrl+O), English
#   screenshot-about.png     the About window (Help, About), English
#   screenshot-tray.png      the notification-area corner: the icon's tooltip
#                            beside the menu its right click opens, English
#   screenshot-tray-150.png  the same corner at 150 % (144 dpi), the tooltip
# No language is stored, so each locale picks it. Needs a build like the e2e
# cases. As root it runs in network and UTS namespaces of its own, so the
# pictures show a made-up host name and address rather than this machine's.
CASE_NAME=screenshots
source "$(dirname "$0")/lib.sh"
if [[ ${ADRELO_E2E_IN_NAMESPACE:-} != 1 && $(id -u) == 0 ]] && unshare -n -u true 2>/dev/null; then
  ADRELO_E2E_IN_NAMESPACE=1 exec unshare -n -u -- bash "$0" "$@"
fi
begin_case
if [[ ${ADRELO_E2E_IN_NAMESPACE:-} == 1 ]]; then
  ip link set lo up
  add_adapter v0 192.168.1.20/24
  hostname office-pc
fi
DOCS=$E2E_REPO_DIR/docs
ABOUT_TITLE="About Program..."
# No metadata, and zlib's strongest level without filters (the pictures are
# palette images, which filters only make larger).
SMALL_PNG=(-strip -quality 90)

# capture LEFT TOP RIGHT BOTTOM OUTPUT: that region of the Wine desktop (screen
# coordinates, as the driver prints rects), saved small.
capture() {
  local rect=$(($3 - $1))x$(($4 - $2))+$1+$2 desktop i
  local previous=$CASE_DIR/previous.png current=$CASE_DIR/current.png
  desktop=$(xwininfo -name "$DESKTOP_NAME - Wine desktop" | awk '/Window id:/ { print $4 }')
  [[ -n $desktop ]] || { fail "no X window for the Wine desktop"; finish; }
  rm -f "$previous"
  # A window is painted once the program is idle, but the picture reaches
  # X a moment later: take it until two shots in a row agree.
  for ((i = 0; i < 20; i++)); do
    timeout 20 import -display "$DISPLAY" -window "$desktop" -crop "$rect" +repage "$current" ||
      { fail "import failed"; finish; }
    if [[ -f $previous ]] && [[ $(compare -metric AE "$previous" "$current" null: 2>&1) == 0 ]]; then
      break
    fi
    mv "$current" "$previous"
    sleep 0.2
  done
  [[ -f $current ]] || mv "$previous" "$current"
  convert "$current" "${SMALL_PNG[@]}" "$5" || { fail "could not write $5"; finish; }
  rm -f "$previous" "$current"
  log "saved $5 ($rect)"
}

# main_window LOCALE OUTPUT: the program started afresh in LOCALE, its window.
main_window() {
  stop_program
  set_settings
  start_program "LC_ALL=$1"
  drive_or_stop wait-window 20000 state
  read -r x y <<<"$(got window.pos)"
  read -r w h <<<"$(got window.size)"
  capture "$x" "$y" $((x + w)) $((y + h)) "$2"
}

mkdir -p "$DOCS"
main_window bg_BG.UTF-8 "$DOCS/screenshot-bg.png"
main_window en_US.UTF-8 "$DOCS/screenshot-en.png"

drive_or_stop keys Ctrl+O owned-wait 5000 owned-state
capture $(got owned.rect) "$DOCS/screenshot-settings.png"
drive_or_stop owned-close-box owned-gone 5000

drive_or_stop keys Alt+H,Enter window "$ABOUT_TITLE" 5000
capture $(got top.rect) "$DOCS/screenshot-about.png"
drive_or_stop keys-to "$ABOUT_TITLE" Alt+F4 window-gone "$ABOUT_TITLE" 5000

# A right click hides the tooltip, and no pointer reaches the icon while the
# menu is open: the two are taken apart, over the same corner, and put side
# by side.
drive_or_stop state tray tray-hover 0 5000
read -r screen_w screen_h <<<"$(got screen.size)"
read -r left top _ <<<"$(got tray.rect)"
read -r tip_left tip_top _ <<<"$(got tooltip.rect)"
capture 0 0 "$screen_w" "$screen_h" "$CASE_DIR/tooltip.png"
# Explorer hides the tooltip after five seconds: still shown, it was in the shot.
drive_or_stop tray-hover 0 0
drive_or_stop tray-click 0 right popup 3000
read -r menu_left menu_top _ <<<"$(got_all popup | sed -n 's/^@menu //p')"
capture 0 0 "$screen_w" "$screen_h" "$CASE_DIR/menu.png"
for edge in "$tip_left" "$menu_left"; do ((edge < left)) && left=$edge; done
for edge in "$tip_top" "$menu_top"; do ((edge < top)) && top=$edge; done
corner=$((screen_w - left + 12))x$((screen_h - top + 12))+$((left - 12))+$((top - 12))
# A grey bar between them, as the task bar is white.
convert \( "$CASE_DIR/tooltip.png" -crop "$corner" +repage \) -size 3x1 xc:gray60 \
  \( "$CASE_DIR/menu.png" -crop "$corner" +repage \) -background gray60 +append "${SMALL_PNG[@]}" \
  "$DOCS/screenshot-tray.png" || fail "could not write screenshot-tray.png"
log "saved $DOCS/screenshot-tray.png ($corner, twice)"

# tray_corner OUTPUT: the icon and its tooltip, at whatever scale is set.
tray_corner() {
  drive_or_stop state tray tray-hover 0 5000
  read -r screen_w screen_h <<<"$(got screen.size)"
  read -r left top _ <<<"$(got tray.rect)"
  read -r tip_left tip_top _ <<<"$(got tooltip.rect)"
  ((tip_left < left)) && left=$tip_left
  ((tip_top < top)) && top=$tip_top
  capture $((left - 12)) $((top - 12)) "$screen_w" "$screen_h" "$1"
}

set_dpi() {
  wine_write reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f ||
    fail "could not set LogPixels to $1"
}
stop_program
on_cleanup "set_dpi 96; timeout 20 wineserver -w"
set_dpi 144
set_settings
start_program LC_ALL=en_US.UTF-8
drive_or_stop wait-window 20000
tray_corner "$DOCS/screenshot-tray-150.png"
finish
