#!/usr/bin/env bash
# Which Wine runs the Windows builds on this machine. Where 32-bit processes
# start, the 32-bit Wine runs the shipped 32-bit builds (build/win32) in a
# 32-bit prefix; where the kernel refuses them, the 64-bit Wine runs the 64-bit
# builds (build/win64) in a 64-bit prefix. It is decided by trying the 32-bit
# loader, once: a caller that exports ADRELO_WINE passes the choice on, and
# ADRELO_WINE=32 or ADRELO_WINE=64 forces either.
#
# Sourced, it exports ADRELO_WINE (32 or 64), ADRELO_WINDOWS_BUILD (win32 or
# win64, the build folder's name), ADRELO_WINDOWS_PROCESSOR (i686 or x86_64,
# as cmake/mingw-*.cmake name them), WINEARCH, WINELOADER for the 64-bit Wine,
# and WINE, the loader to call for every Wine command ("$WINE" reg ...,
# "$WINE" wineboot ...): Debian's `wine` wrapper takes the 32-bit loader
# whenever it is installed, even where it cannot run. Run as a script, it
# prints the choice (32 or 64) and a line saying how it was made.

ADRELO_WINE_LOADER32=/usr/lib/wine/wine
ADRELO_WINE_LOADER64=/usr/lib/wine/wine64

# adrelo_choose_wine: sets the variables above and ADRELO_WINE_REASON, kept
# for the callers it starts; returns 1 on a bad ADRELO_WINE.
adrelo_choose_wine() {
  case ${ADRELO_WINE:-} in
    32 | 64) : "${ADRELO_WINE_REASON:=ADRELO_WINE=$ADRELO_WINE}" ;;
    '')
      if "$ADRELO_WINE_LOADER32" --version >/dev/null 2>&1; then
        ADRELO_WINE=32
        ADRELO_WINE_REASON="32-bit processes start here"
      else
        ADRELO_WINE=64
        ADRELO_WINE_REASON="the 32-bit Wine cannot start here"
      fi
      ;;
    *)
      echo "ADRELO_WINE is '$ADRELO_WINE'; it takes 32 or 64" >&2
      return 1
      ;;
  esac
  # The loader that Wine starts new processes with: left to Wine for the 32-bit
  # one; named for the 64-bit one, as Debian's wrapper does where only it exists.
  if [[ $ADRELO_WINE == 32 ]]; then
    WINE=$ADRELO_WINE_LOADER32 WINEARCH=win32
    ADRELO_WINDOWS_BUILD=win32 ADRELO_WINDOWS_PROCESSOR=i686
    unset WINELOADER
  else
    WINE=$ADRELO_WINE_LOADER64 WINEARCH=win64
    ADRELO_WINDOWS_BUILD=win64 ADRELO_WINDOWS_PROCESSOR=x86_64
    export WINELOADER=$WINE
  fi
  export ADRELO_WINE ADRELO_WINE_REASON ADRELO_WINDOWS_BUILD ADRELO_WINDOWS_PROCESSOR WINEARCH WINE
}

# adrelo_wine_description: one line naming the Wine and the builds in use.
adrelo_wine_description() {
  printf 'the %s-bit Wine with the %s-bit builds, build/%s (%s)' "$ADRELO_WINE" "$ADRELO_WINE" \
    "$ADRELO_WINDOWS_BUILD" "$ADRELO_WINE_REASON"
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
  # Run as a script: "32" or "64" on the first line, the description on the second.
  adrelo_choose_wine || exit 1
  printf '%s\n%s\n' "$ADRELO_WINE" "$(adrelo_wine_description)"
else
  adrelo_choose_wine || return 1
fi
