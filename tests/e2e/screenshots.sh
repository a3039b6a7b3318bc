#!/bin/bash
# Saves screenshots of the main window for the documentation: English and
# Bulgarian (en_US and bg_BG locales, no stored language), each cropped to the
# window's rect inside the Wine virtual desktop, as docs/screenshot-en.png and
# docs/screenshot-bg.png. Needs a build like the e2e cases.
# As root it runs in network and UTS namespaces of its own, so the pictures
# show a made-up host name and address rather than this machine's.
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

# shoot LOCALE OUTPUT
shoot() {
  local desktop rect previous=$CASE_DIR/previous.png current=$CASE_DIR/current.png i
  stop_program
  set_settings
  start_program "LC_ALL=$1"
  drive_or_stop wait-window 20000 state
  read -r x y <<<"$(got window.pos)"
  read -r w h <<<"$(got window.size)"
  rect=${w}x${h}+${x}+${y}
  desktop=$(xwininfo -name "$DESKTOP_NAME - Wine desktop" | awk '/Window id:/ { print $4 }')
  [[ -n $desktop ]] || { fail "no X window for the Wine desktop"; finish; }
  # The window is painted once the program is idle, but the picture reaches
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
  mv "$current" "$2" 2>/dev/null || mv "$previous" "$2"
  rm -f "$previous"
  log "saved $2 ($rect, $1)"
}

mkdir -p "$E2E_REPO_DIR/docs"
shoot en_US.UTF-8 "$E2E_REPO_DIR/docs/screenshot-en.png"
shoot bg_BG.UTF-8 "$E2E_REPO_DIR/docs/screenshot-bg.png"
finish
