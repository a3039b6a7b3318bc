#!/bin/bash
# A long run of one program: 10,000 refresh ticks, 1,000 language switches by
# the settings dialog's Apply, then 300 openings each of the tray menu, the two
# field menus and the About window, each closed again. The kernel handles, GDI
# and USER objects and private bytes it holds are read after a warm-up and
# after each phase and may grow only within small bounds; at the end the
# window still answers, in English, with the host's name and addresses.
# ADRELO_SOAK_SCALE (1 unless set) multiplies every count and time limit.
source "$(dirname "$0")/../lib.sh"

SCALE=${ADRELO_SOAK_SCALE:-1}
if [[ ! $SCALE =~ ^[1-9][0-9]*$ ]]; then
  log "ADRELO_SOAK_SCALE is '$SCALE'; it takes a whole number from 1"
  exit 2
fi
TICKS=$((10000 * SCALE)) SWITCHES=$((1000 * SCALE)) OPENINGS=$((300 * SCALE))
# A phase is one driver run. Here a tick takes about 9 ms (7 of them Wine's
# host lookup), an Apply 45 ms, an About window 35 ms, a menu 12 ms: under
# three minutes in all, more while other Wine tests run. The limits leave room
# for a much slower machine; a hang shows sooner, as the driver gives every
# action 5 s.
DRIVE_TIMEOUT=$((600 * SCALE))
PROGRAM_TIMEOUT=$((1800 * SCALE))

# How far each figure may rise above the reading after the warm-up. One object
# or handle lost per action would overshoot them by hundreds; 100 bytes lost a
# tick, or 4 KiB an About window, would overshoot the memory's. The slack is
# for what Wine keeps of its own: a real tick's lookup may be under way as the
# handles are counted, its caches of DCs and fonts can grow by a few GDI
# objects (3 seen), and the heap grows in steps as it fragments (0.1 MiB seen).
# Once in a run, at no fixed point, Wine's heap commits a new region (1.8 MiB
# seen, in the menus' phase or the About windows', old builds and new): the
# private bytes are held phase by phase, and one phase may step by up to
# BOUND_HEAP_STEP_KIB more. A leak grows in every phase.
BOUND_HANDLES=8
BOUND_GDI=16
BOUND_USER=4
BOUND_PRIVATE_KIB=1024
BOUND_HEAP_STEP_KIB=2048
WINE_DC_CACHE=64
HEAP_STEPPED=0

# private_kib: the program's private bytes, as Wine counts them when a process
# asks about itself (it answers 0 for another): the resident anonymous memory
# plus swap of its Unix process, the Adrelo.exe on this case's display.
private_kib() {
  local pid
  pid=$(program_pid)
  if [[ -n $pid ]]; then
    awk '/^(RssAnon|VmSwap):/ { kib += $2 } END { print kib + 0 }' "/proc/$pid/status"
    return
  fi
  fail "no Unix process for Adrelo.exe on $DISPLAY"
  finish
}

# measure LABEL: after a driver run that ended with `resources`, the four
# figures; the first reading is the base the later ones are held to (the
# private bytes: the reading before).
BASE=()
measure() {
  local now=("$(got res.handles)" "$(got res.gdi)" "$(got res.user)" "$(private_kib)")
  log "$1 (at $((SECONDS - STARTED)) s): handles ${now[0]}, GDI ${now[1]}, USER ${now[2]}" \
    "($(got res.user.windows) windows, $(got res.user.menus) menus, $(got res.user.icons) icons," \
    "$(got res.user.accelerators) accelerator tables), private ${now[3]} KiB; GDI: $(got res.gdi.kinds)"
  if ((${#BASE[@]} == 0)); then
    BASE=("${now[@]}")
    return
  fi
  local names=(handles GDI USER "private KiB") i
  local bounds=("$BOUND_HANDLES" "$BOUND_GDI" "$BOUND_USER" "$BOUND_PRIVATE_KIB")
  # The private bytes against the last reading, the heap's one step allowed.
  local step=$((now[3] - BASE[3]))
  if ((step > BOUND_PRIVATE_KIB && step <= BOUND_PRIVATE_KIB + BOUND_HEAP_STEP_KIB && !HEAP_STEPPED)); then
    HEAP_STEPPED=1
    log "note: $1: the heap's one step, private KiB ${BASE[3]} -> ${now[3]}"
    BASE[3]=${now[3]}
  fi
  for i in 0 1 2 3; do
    if ((now[i] - BASE[i] <= bounds[i])); then
      log "ok:   $1: ${names[i]} ${BASE[i]} -> ${now[i]} (at most +${bounds[i]})"
    else
      fail "$1: ${names[i]} ${BASE[i]} -> ${now[i]}, more than +${bounds[i]}"
    fi
  done
  BASE[3]=${now[3]}
}

begin_case
STARTED=$SECONDS
set_settings Language=0
start_program
settings_command="0x0111 $(resource_id IDM_mnuSet) 0"  # WM_COMMAND, as the menu sends it
cancel=$(resource_id IDC_Command2)

# The warm-up: each action a few times, so that what is loaded or cached once
# (the About window's OLE libraries, the dialog's fonts, what Wine keeps once
# the dialog's frames are first painted in each language) is in the base.
# Wine also keeps every window DC it has made (three GDI objects each) and
# makes another while none is free for the window that asks, until it holds
# 64: how near it comes in a phase depends on the machine's timing (+24 seen
# in the language switches beside a busy core), so the probe fills it first.
drive_or_stop wait-window 20000 fill-dc-cache "$WINE_DC_CACHE" soak-ticks 20 post $settings_command owned-wait 5000 \
  soak-language 9 looks "Панел за Настройки" owned-click "$(resource_id IDC_Option4)" \
  owned-click "$(resource_id IDC_Command3)" looks "Settings panel" owned-click "$cancel" owned-gone 5000 \
  soak-open tray 10 soak-open text1 10 soak-open list1 10 soak-open about 10 resources
measure "after the warm-up"

drive_or_stop soak-ticks "$TICKS" resources
measure "after $TICKS ticks"

drive_or_stop post $settings_command owned-wait 5000 soak-language "$SWITCHES" \
  owned-click "$cancel" owned-gone 5000 resources
measure "after $SWITCHES language switches"

drive_or_stop soak-open tray "$OPENINGS" soak-open text1 "$OPENINGS" soak-open list1 "$OPENINGS" \
  resources
measure "after $OPENINGS openings of each menu"

drive_or_stop soak-open about "$OPENINGS" resources
measure "after $OPENINGS About windows"

drive_or_stop state
shown="$(got window.title)|$(got Label1)|$(got Text1)|$(list_entries | paste -sd ' ')"
drive_or_stop resolve
expect_eq "the window answers, in English, with the host's name and addresses" \
  "Adrelo Viewer|Host name : |$(hostname)|$(got_all resolve.address | paste -sd ' ')" "$shown"
log "$((TICKS + SWITCHES + 4 * OPENINGS)) actions in $((SECONDS - STARTED)) s"
finish
