# Shared harness of the end-to-end cases: sourced by cases/*.sh and
# screenshots.sh. Runs Adrelo.exe in a Wine virtual desktop on a private Xvfb,
# in the prefix that make_prefix.sh made for the Wine this machine runs
# (scripts/wine_env.sh: 32-bit, or 64-bit where 32-bit processes cannot start), reads it back with
# adrelo_driver.exe, and compares. Every wait has a timeout; whatever a case
# started is ended on exit, and a failing case leaves a screenshot behind.
#
# Environment (CTest sets it; the defaults suit a plain `bash cases/x.sh`):
#   ADRELO_WINE             32 or 64: the Wine to use (tried once when unset)
#   ADRELO_WINDOWS_DIR      the build it runs: Adrelo.exe, adrelo_driver.exe, adrelo_probe.dll
#   ADRELO_DIST_DIR         the release files (installers)
#   ADRELO_SIGNED_DIR       a release signed with a throwaway key (dist/) and its CA (ca.pem)
#   ADRELO_E2E_DIR          the prefix and each case's logs
#   ADRELO_E2E_SCREENSHOTS  where a failing case saves <case>.png

set -uo pipefail

E2E_SOURCE_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_REPO_DIR=$(cd "$E2E_SOURCE_DIR/../.." && pwd)
source "$E2E_REPO_DIR/scripts/wine_env.sh" || exit 1
: "${ADRELO_WINDOWS_DIR:=$E2E_REPO_DIR/build/$ADRELO_WINDOWS_BUILD}"
: "${ADRELO_DIST_DIR:=$E2E_REPO_DIR/build/dist}"
: "${ADRELO_SIGNED_DIR:=$E2E_REPO_DIR/build/signed}"
: "${ADRELO_E2E_DIR:=$E2E_REPO_DIR/build/e2e}"
: "${ADRELO_E2E_SCREENSHOTS:=$E2E_REPO_DIR/build/e2e-screenshots}"

# A prefix for each Wine: a developer may run the cases under both. A case
# given a lane (ADRELO_E2E_LANE) runs in that lane's copy of it, beside the
# others.
E2E_MAIN_PREFIX=$ADRELO_E2E_DIR/prefix-$ADRELO_WINDOWS_BUILD
export WINEPREFIX=$E2E_MAIN_PREFIX${ADRELO_E2E_LANE:+-$ADRELO_E2E_LANE}
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko downloads
export WINEDEBUG=-all
unset WINESERVER

ADRELO_EXE=$ADRELO_WINDOWS_DIR/Adrelo.exe
DRIVER_EXE=$ADRELO_WINDOWS_DIR/adrelo_driver.exe
SETTINGS_KEY='HKCU\Software\Varnosk\Adrelo\Settings'
DESKTOP_NAME=shell
DESKTOP_SIZE=800x600
# The X screen around the desktop; a case may give both larger ones before
# begin_case (a settings dialog at 192 dpi is wider than 800 pixels).
SCREEN_SIZE=1024x768
# The program's locale unless a case gives another. Only Wine reads it (it
# knows the locale names without glibc's locale data), so it is never set for
# the shell itself.
PROGRAM_LOCALE=en_US.UTF-8

CASE_NAME=${CASE_NAME:-$(basename "$0" .sh)}
CASE_DIR=$ADRELO_E2E_DIR/cases/$CASE_NAME
FAILURES=0
XVFB_PID=
PROGRAM_PID=
DRIVER_OUT=

log() { printf '%s\n' "$*"; }

# A Windows path for a Unix one (drive Z: is the root in every prefix).
win_path() {
  local path
  path=$(readlink -f "$1")
  printf 'Z:%s' "${path//\//\\}"
}

# ---- checks ------------------------------------------------------------------
fail() {
  FAILURES=$((FAILURES + 1))
  log "FAIL: $*"
}

# expect_eq WHAT EXPECTED SEEN
expect_eq() {
  if [[ "$2" == "$3" ]]; then
    log "ok:   $1"
  else
    fail "$1"
    log "      expected: [$2]"
    log "      seen:     [$3]"
  fi
}

# expect_near WHAT EXPECTED SEEN TOLERANCE (integers)
expect_near() {
  local diff=$(($3 - $2))
  if ((diff >= -$4 && diff <= $4)); then
    log "ok:   $1 ($3, expected $2 +-$4)"
  else
    fail "$1: expected $2 +-$4, seen $3"
  fi
}

# expect_dpi_changes: after a dpi-change step. The changes keep no GDI object,
# nothing is drawn until a change's layout is complete, then every window once,
# and a change with its painting stays far below what a user would call slow
# (both builds need a few tens of ms under Wine; 250 ms fails on real work only).
DPI_CHANGE_BOUND_US=250000
expect_dpi_changes() {
  expect_eq "100 DPI changes keep no GDI object" "$(got dpi.gdi.before)" "$(got dpi.gdi.after)"
  expect_eq "nothing drawn during a DPI change, then every window once" \
    "0 $(got dpi.windows)" "$(got dpi.drawn_during_change) $(got dpi.painted_once)"
  local cost=$(($(got dpi.change_us) + $(got dpi.paint_us)))
  if ((cost <= DPI_CHANGE_BOUND_US)); then
    log "ok:   a DPI change and its painting: $(got dpi.change_us) + $(got dpi.paint_us) us"
  else
    fail "a DPI change and its painting: $(got dpi.change_us) + $(got dpi.paint_us) us, bound $DPI_CHANGE_BOUND_US"
  fi
}

# expect_captions_whole WHERE: after a looks step, every caption it measured
# is painted as wide as its text draws unclipped (no glyph lost at an end).
expect_captions_whole() {
  local short
  short=$(awk -F'[=. ]' '/^caption\./ { n++; if ($3 != $4) printf "%s: %s of %s px; ", $2, $3, $4 }
    END { if (!n) print "no caption measured" }' <<<"$DRIVER_OUT")
  expect_eq "$1: every caption painted whole" "" "$short"
}

# expect_icons DPI WHAT: after `looks` of each window, its small and big icons
# are the sizes Windows shows at DPI (16 and 32 px at 96), each drawn from
# the icon's own image of that size, not stretched from another.
expect_icons() {
  local small=$(($1 / 6)) big=$(($1 / 3)) windows
  windows=$(got_all icon.small | wc -l)
  expect_eq "$2: icons for $1 dpi, from their own images" \
    "$(yes "$small 1|$big 1" | head -n "$windows" | paste -sd ' ')" \
    "$(paste -d '|' <(got_all icon.small) <(got_all icon.big) | paste -sd ' ')"
  ((windows > 0)) || fail "$2: no window's icons read"
}

# expect_text WHAT EXPECTED_FILE SEEN_TEXT: line by line, a diff when not equal.
expect_text() {
  local seen=$CASE_DIR/seen-${1//[^A-Za-z0-9]/_}.txt
  printf '%s\n' "$3" >"$seen"
  if diff -u --label expected --label seen "$2" "$seen" >"$seen.diff"; then
    log "ok:   $1"
  else
    fail "$1"
    sed 's/^/      /' "$seen.diff"
  fi
}

# ---- Xvfb, Wine --------------------------------------------------------------
# A display of its own: Xvfb picks a free number and writes it to -displayfd
# once it accepts clients, so there is neither a race nor a fixed sleep.
start_xvfb() {
  local fd_file=$CASE_DIR/display i
  rm -f "$fd_file"
  Xvfb -displayfd 3 -screen 0 "${SCREEN_SIZE}x24" -nolisten tcp 3>"$fd_file" >"$CASE_DIR/xvfb.log" 2>&1 &
  XVFB_PID=$!
  for ((i = 0; i < 100; i++)); do
    if [[ -s $fd_file && $(wc -l <"$fd_file") -ge 1 ]]; then
      export DISPLAY=:$(tr -dc 0-9 <"$fd_file")
      return 0
    fi
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  fail "Xvfb did not start: $(cat "$CASE_DIR/xvfb.log")"
  finish
}

# stop_program: ends the program and its Wine server (the next start_program
# reads the settings anew; the next case gets a server of its own).
stop_program() {
  timeout 20 wineserver -k >/dev/null 2>&1
  if [[ -n $PROGRAM_PID ]]; then
    timeout 10 tail --pid="$PROGRAM_PID" -f /dev/null 2>/dev/null
    PROGRAM_PID=
  fi
}

# set_settings [NAME=VALUE...]: the program's key removed, then the values
# given written as REG_SZ (none: the key does not exist, as on a first run).
set_settings() {
  local reg=$CASE_DIR/settings.reg pair
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[-HKEY_CURRENT_USER\\Software\\Varnosk]\r\n\r\n'
    if (($#)); then
      printf '[HKEY_CURRENT_USER\\Software\\Varnosk\\Adrelo\\Settings]\r\n'
      for pair in "$@"; do printf '"%s"="%s"\r\n' "${pair%%=*}" "${pair#*=}"; done
    fi
  } >"$reg"
  wine_write regedit /S "$(win_path "$reg")" || fail "regedit could not import $reg"
}

# wine_write COMMAND ARG...: a Wine command that changes the prefix (reg add,
# reg delete, regedit /S), run once more when it fails: under load the 64-bit
# Wine now and then fails a process as it starts (seen once on a reg add).
# What a failed try printed goes to the case's wine-write.log, and to the
# case's output when the second fails too.
wine_write() {
  local attempt
  for attempt in 1 2; do
    timeout 30 "$WINE" "$@" >"$CASE_DIR/wine-write.out" 2>&1 && return 0
    { printf '$ %s (try %d, exit %d)\n' "$*" "$attempt" "$?"; cat "$CASE_DIR/wine-write.out"; } \
      >>"$CASE_DIR/wine-write.log"
  done
  sed 's/^/note: /' "$CASE_DIR/wine-write.log"
  return 1
}

# wine_read COMMAND ARG...: what a Wine command that only reads (reg query)
# prints, run once more when it fails, as wine_write: a reader that failed to
# start would otherwise read as a key with nothing in it. (A key that is not
# there fails both tries and prints nothing.)
wine_read() {
  timeout 30 "$WINE" "$@" 2>/dev/null || timeout 30 "$WINE" "$@" 2>/dev/null
}

# stored_settings: the program's values as NAME=VALUE, one a line, sorted
# (nothing when the key holds none).
stored_settings() {
  wine_read reg query "$SETTINGS_KEY" | tr -d '\r' | awk '$2 == "REG_SZ" { print $1 "=" $3 }' | sort
}

# start_program [VAR=VALUE...]: Adrelo.exe in explorer's virtual desktop,
# with extra environment (e.g. LC_ALL=bg_BG.UTF-8) for it alone; ended after
# PROGRAM_TIMEOUT seconds (120 unless a case sets it).
# The 64-bit Wine now and then brings up the desktop but never creates the
# program's process; when none appears within 10 s it is started once more.
start_program() {
  local attempt i
  for attempt in 1 2; do
    (cd "$CASE_DIR" && exec env LC_ALL="$PROGRAM_LOCALE" "$@" timeout "${PROGRAM_TIMEOUT:-120}" \
      "$WINE" explorer "/desktop=$DESKTOP_NAME,$DESKTOP_SIZE" "$(win_path "$ADRELO_EXE")") \
      >>"$CASE_DIR/program.log" 2>&1 &
    PROGRAM_PID=$!
    for ((i = 0; i < 100; i++)); do
      [[ -n $(program_pid) ]] && return 0
      sleep 0.1
    done
    log "note: $(basename "$ADRELO_EXE") did not start within 10 s (attempt $attempt)"
  done
}

# program_pid: the Unix process of the program on this case's display (the
# executable's name as the kernel keeps it: at most 15 characters).
program_pid() {
  local pid name
  name=$(basename "$ADRELO_EXE")
  for pid in $(pgrep -x "${name:0:15}"); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" || continue
    echo "$pid"
    return
  done
}

# start_desktop: explorer's virtual desktop and its notification area without
# the program, for a driver that launches it itself. A driver that only
# sleeps keeps the desktop: explorer ends it once its last process is gone,
# and the next program would get a new desktop, of the screen's size.
start_desktop() {
  (exec env LC_ALL="$PROGRAM_LOCALE" timeout 600 "$WINE" explorer \
    "/desktop=$DESKTOP_NAME,$DESKTOP_SIZE" "$(win_path "$DRIVER_EXE")" sleep 600000) \
    >>"$CASE_DIR/program.log" 2>&1 &
  PROGRAM_PID=$!
  # Ready once explorer has made the desktop and started the driver in it: a
  # program launched onto the desktop before that (seen under load) showed
  # on the whole X screen instead.
  local i pid
  for ((i = 0; i < 200; i++)); do
    for pid in $(pgrep -f 'adrelo_driver\.exe sleep 600000'); do
      [[ $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null) == [A-Z]:* ]] || continue
      tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" && return 0
    done
    sleep 0.1
  done
}

# end_session: Windows' log-off, in the background. wineboot asks the windows
# of its own desktop, so it runs on the program's.
end_session() {
  (timeout 20 "$WINE" explorer "/desktop=$DESKTOP_NAME,$DESKTOP_SIZE" wineboot --end-session \
    >/dev/null 2>&1 &)
}

# restart_with SETTING...: the program stopped, started anew with just these
# settings stored, and waited for.
restart_with() {
  stop_program
  set_settings "$@"
  start_program
  drive_or_stop wait-window 20000
}

# How long wait-tick may wait for the refresh timer (a tick every 5 s): long
# enough for a late timer on a busy machine, so that only a stopped one fails.
TICK_WAIT=20000

# drive STEP...: runs adrelo_driver; its output is in $DRIVER_OUT. A failing
# driver fails the case. DRIVER_LOCALE, when set, is the driver's LC_ALL (and
# so of a program it launches). DRIVE_TIMEOUT: its seconds (60 unless set).
drive() {
  local rc
  DRIVER_OUT=$(timeout "${DRIVE_TIMEOUT:-60}" env ${DRIVER_LOCALE:+LC_ALL="$DRIVER_LOCALE"} "$WINE" "$DRIVER_EXE" \
    --desktop "$DESKTOP_NAME" "$@" 2>"$CASE_DIR/driver.err")
  rc=$?
  printf '$ adrelo_driver %s\n%s\n' "$*" "$DRIVER_OUT" >>"$CASE_DIR/driver.log"
  if ((rc != 0)); then
    fail "adrelo_driver $* (exit $rc): $(cat "$CASE_DIR/driver.err")"
    [[ -n $DRIVER_OUT ]] && log "      its output: $DRIVER_OUT"
    return 1
  fi
}

# drive_or_stop STEP...: as drive, but the case ends when the driver fails
# (the checks that follow would only repeat the failure).
drive_or_stop() { drive "$@" || finish; }

# got KEY: the first value printed for KEY by the last drive.
got() {
  awk -v key="$1=" 'index($0, key) == 1 { print substr($0, length(key) + 1); exit }' <<<"$DRIVER_OUT"
}

# got_all KEY: every value printed for KEY, one a line.
got_all() {
  awk -v key="$1=" 'index($0, key) == 1 { print substr($0, length(key) + 1) }' <<<"$DRIVER_OUT"
}

# resource_id NAME: the value of #define NAME in resources/resource.h.
resource_id() {
  awk -v name="$1" '$1 == "#define" && $2 == name { print $3; exit }' \
    "$E2E_REPO_DIR/resources/resource.h"
}

# program_version: the project's version as the About window shows it (major.minor).
program_version() {
  sed -n 's/^project(Adrelo VERSION \([0-9]*\.[0-9]*\).*/\1/p' "$E2E_REPO_DIR/CMakeLists.txt"
}

# List1's entries, one a line.
list_entries() {
  local count i
  count=$(got List1.count)
  for ((i = 0; i < ${count:-0}; i++)); do got "List1.$i"; done
}

# ---- case life cycle ---------------------------------------------------------
screenshot() {
  [[ -n ${DISPLAY:-} ]] || return 0
  mkdir -p "$ADRELO_E2E_SCREENSHOTS"
  timeout 20 import -display "$DISPLAY" -window root "$ADRELO_E2E_SCREENSHOTS/$CASE_NAME.png" \
    >/dev/null 2>&1 && log "screenshot: $ADRELO_E2E_SCREENSHOTS/$CASE_NAME.png"
}

# on_cleanup COMMAND...: run when the case ends, however it ends, after the
# program has stopped (to put back what the case changed in the shared prefix).
CLEANUP_COMMANDS=()
on_cleanup() { CLEANUP_COMMANDS+=("$*"); }

cleanup() {
  ((FAILURES > 0)) && screenshot
  stop_program
  local command
  for command in "${CLEANUP_COMMANDS[@]}"; do eval "$command"; done
  CLEANUP_COMMANDS=()
  if [[ -n $XVFB_PID ]]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
  fi
}

finish() {
  trap - EXIT
  cleanup
  if ((FAILURES > 0)); then
    log "$CASE_NAME: $FAILURES check(s) failed (logs: $CASE_DIR)"
    exit 1
  fi
  log "$CASE_NAME: passed"
  exit 0
}

# begin_case: checks the build and the prefix, gets a display and a Wine
# server of this case's own (a server left from elsewhere would see another
# network and host name).
begin_case() {
  rm -rf "$CASE_DIR"
  mkdir -p "$CASE_DIR"
  trap finish EXIT
  local file
  for file in "$ADRELO_EXE" "$DRIVER_EXE" "$ADRELO_WINDOWS_DIR/adrelo_probe.dll"; do
    [[ -f $file ]] || { fail "missing $file (build first)"; finish; }
  done
  if [[ ! -f $WINEPREFIX/system.reg ]]; then
    bash "$E2E_SOURCE_DIR/make_prefix.sh" || { fail "could not make the Wine prefix"; finish; }
  fi
  timeout 20 wineserver -k >/dev/null 2>&1
  start_xvfb
}

# ---- network namespaces -------------------------------------------------------
# enter_namespace: re-runs the calling case inside new network, UTS and mount
# namespaces (root only; exit 77 tells CTest the case was skipped). A mount
# made there (another /etc/resolv.conf) is the case's alone.
enter_namespace() {
  [[ ${ADRELO_E2E_IN_NAMESPACE:-} == 1 ]] && return 0
  if [[ $(id -u) != 0 ]]; then
    log "$CASE_NAME: needs root for network namespaces; skipped"
    exit 77
  fi
  if ! unshare -n -u -m true 2>/dev/null; then
    log "$CASE_NAME: network namespaces are not permitted here; skipped"
    exit 77
  fi
  ADRELO_E2E_IN_NAMESPACE=1 exec unshare -n -u -m -- bash "$0" "$@"
}

# add_adapter NAME ADDRESS/PREFIX: a veth pair whose first end has ADDRESS.
add_adapter() {
  ip link add "$1" type veth peer name "$1p" &&
    ip addr add "$2" dev "$1" &&
    ip link set "$1" up &&
    ip link set "$1p" up || { fail "could not add adapter $1 ($2)"; finish; }
}
