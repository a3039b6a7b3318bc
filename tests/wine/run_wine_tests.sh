#!/usr/bin/env bash
# Runs the Wine integration tests in a throwaway prefix on a private X display,
# under the Wine that scripts/wine_env.sh chooses (its build's folder given).
# Usage: run_wine_tests.sh <folder with adrelo_wine_tests.exe and Adrelo.exe> [gtest flags]
set -euo pipefail
bin_dir=$(cd "$1" && pwd)
shift
work="$bin_dir/wine-tests"
scripts="$(dirname "$(realpath "$0")")/../../scripts"

if [ -z "${ADRELO_UNDER_XVFB:-}" ]; then
  rm -rf "$work"
  mkdir -p "$work"
  ADRELO_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$bin_dir" "$@"
fi

source "$scripts/wine_env.sh"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
"$scripts/make_prefix.sh" "$WINEPREFIX"
rc=0
env LC_ALL=en_US.UTF-8 timeout 240 "$WINE" "$bin_dir/adrelo_wine_tests.exe" --gtest_color=no "$@" || rc=$?
wineserver -k 2>/dev/null || true
exit $rc
