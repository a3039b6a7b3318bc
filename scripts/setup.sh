#!/usr/bin/env bash
# Installs what building, running and testing Adrelo Viewer needs on Debian 12:
# the host toolchain with GoogleTest, clang with libFuzzer, mingw-w64 for i686
# and x86_64, the 32-bit and 64-bit Wine, NSIS for the installers, osslsigncode
# that signs them (and openssl, which makes the tests' throwaway key), Xvfb,
# the X tools and Python (a slow name server, the release files' tools and
# checks, with PyYAML) and faketime the tests use. Idempotent, and silent when
# everything is there.
set -euo pipefail

packages=(
  cmake make g++ libgtest-dev googletest clang libclang-rt-14-dev
  g++-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine32:i386 wine64 nsis osslsigncode openssl
  xvfb xauth x11-utils xdotool imagemagick fonts-liberation fonts-wine
  iproute2 util-linux procps python3 python3-yaml faketime
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
  else
    echo "setup: these packages are missing and installing them needs root: ${missing[*]}" >&2
    exit 1
  fi
fi

echo "setup: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
# A mirror in the middle of a sync serves an index of the wrong size; the
# next try usually finds it whole.
index_whole=false
for try in 1 2 3 4 5; do
  if "${sudo[@]}" apt-get update -qq; then index_whole=true; break; fi
  echo "setup: the package index could not be read whole (try $try of 5)" >&2
  [ "$try" -lt 5 ] && sleep $((try * 5))
done
install=("${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}")
if ! "${install[@]}" >/dev/null; then
  # Without one architecture's security index, a package both architectures
  # need has a newer version for one of them only; the release's own
  # versions match on both.
  $index_whole && exit 1
  echo "setup: installing the release's own versions where the security index is missing" >&2
  pin=$(mktemp)
  printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' >"$pin"
  "${install[@]}" -o Dir::Etc::Preferences="$pin" >/dev/null
  rm -f "$pin"
fi
echo "setup: done"
