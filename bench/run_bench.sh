#!/bin/bash
# The benchmark of docs/performance.md: Adrelo.exe against a bare reference
# window that does one host lookup (bare, and with Adrelo's manifest), the
# floors that do the same visible work as its tick and its start-up, and an
# empty process, all in one Wine prefix with a warm wineserver, in a virtual
# desktop on a private Xvfb. adrelo_bench_probe.exe starts and measures every
# program itself and prints the table; this script makes the stage for it.
# Usage: run_bench.sh [BUILD_DIR]
# (ADRELO_BENCH_ROUNDS, ADRELO_BENCH_STARTUP_ROUNDS, ADRELO_BENCH_TICKS)
# Build first (`make bench` does both).
set -uo pipefail

BENCH_SOURCE_DIR=$(cd "$(dirname "$0")" && pwd)
REPO_DIR=$(cd "$BENCH_SOURCE_DIR/.." && pwd)
BUILD_DIR=$(cd "${1:-$REPO_DIR/build}" && pwd)
ROUNDS=${ADRELO_BENCH_ROUNDS:-10}
STARTUP_ROUNDS=${ADRELO_BENCH_STARTUP_ROUNDS:-60}
TICKS=${ADRELO_BENCH_TICKS:-1000}

# The build that this machine's Wine runs: the shipped 32-bit one, or the
# 64-bit one where 32-bit processes cannot start.
source "$REPO_DIR/scripts/wine_env.sh" || exit 1
# The end-to-end harness's Xvfb, prefix and settings helpers, in a prefix of
# the benchmark's own (kept between runs).
export ADRELO_WINDOWS_DIR=$BUILD_DIR/$ADRELO_WINDOWS_BUILD
export ADRELO_E2E_DIR=$BUILD_DIR/bench
export CASE_NAME=bench
source "$REPO_DIR/tests/e2e/lib.sh"

DESKTOP_PID=
stop_stage() {
  timeout 20 wineserver -k >/dev/null 2>&1
  [[ -n $DESKTOP_PID ]] && timeout 10 tail --pid="$DESKTOP_PID" -f /dev/null 2>/dev/null
  if [[ -n $XVFB_PID ]]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
}
trap stop_stage EXIT

die() {
  log "run_bench: $*"
  exit 1
}

programs=(Adrelo adrelo_bench_reference adrelo_bench_reference_manifest adrelo_bench_tick_floor
          adrelo_bench_startup_floor adrelo_bench_empty adrelo_bench_probe)
for program in "${programs[@]}"; do
  [[ -f $ADRELO_WINDOWS_DIR/$program.exe ]] || die "missing $ADRELO_WINDOWS_DIR/$program.exe (build first)"
done
[[ -f $ADRELO_WINDOWS_DIR/adrelo_probe.dll ]] || die "missing $ADRELO_WINDOWS_DIR/adrelo_probe.dll"

rm -rf "$CASE_DIR"
mkdir -p "$CASE_DIR"
timeout 20 wineserver -k >/dev/null 2>&1
start_xvfb
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  log "making the Wine prefix $WINEPREFIX"
  "$REPO_DIR/scripts/make_prefix.sh" "$WINEPREFIX" >"$CASE_DIR/make_prefix.log" 2>&1 ||
    die "could not make the prefix: $(tail -3 "$CASE_DIR/make_prefix.log")"
fi

# One server for the whole run, kept warm between the programs.
wineserver -p || die "wineserver -p failed"
# No settings, as on a first run: the probe's warm-up round creates them.
set_settings
(exec env LC_ALL="$PROGRAM_LOCALE" "$WINE" explorer "/desktop=$DESKTOP_NAME,$DESKTOP_SIZE") \
  >"$CASE_DIR/desktop.log" 2>&1 &
DESKTOP_PID=$!

log "Adrelo Viewer benchmark, $(date -u '+%Y-%m-%d %H:%M UTC')"
log "measured: $(adrelo_wine_description)"
log "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(nproc) cores," \
  "$(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo), $("$WINE" --version), Xvfb $DESKTOP_SIZE desktop"
log "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
log "$ROUNDS interleaved rounds after one warm-up round, $TICKS ticks a program in each;" \
  "$STARTUP_ROUNDS more rounds that time the start-up alone"
log ""
win() { win_path "$ADRELO_WINDOWS_DIR/$1.exe"; }
LC_ALL=$PROGRAM_LOCALE timeout 1800 "$WINE" "$(win adrelo_bench_probe)" --desktop "$DESKTOP_NAME" \
  --rounds "$ROUNDS" --startup-rounds "$STARTUP_ROUNDS" --ticks "$TICKS" --adrelo "$(win Adrelo)" \
  --reference "$(win adrelo_bench_reference)" --manifest "$(win adrelo_bench_reference_manifest)" \
  --tick-floor "$(win adrelo_bench_tick_floor)" --startup-floor "$(win adrelo_bench_startup_floor)" \
  --empty "$(win adrelo_bench_empty)" --wineprefix "$WINEPREFIX" --x-server-pid "$XVFB_PID" \
  --clock-ticks "$(getconf CLK_TCK)" 2>"$CASE_DIR/probe.err" | tr -d '\r'
status=${PIPESTATUS[0]}
log ""
log "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
((status == 0)) || die "the probe failed (exit $status): $(cat "$CASE_DIR/probe.err")"
