#!/bin/bash
# The release files are the same bytes wherever and whenever they are made:
# the sources copied to a second, deeper folder are built again for both
# processors and packaged under another clock (a year ahead, by faketime),
# time zone, locale and umask, and every file must match what the build under
# test packages to. The date in them is the last commit's either way.
# Usage: reproducible.sh <source folder> <build folder>
set -euo pipefail
source_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log() { echo "reproducible: $*"; }
# Unsigned: a time-stamped signature differs from build to build by design.
unset ADRELO_SIGN_PKCS12 ADRELO_SIGN_PASSWORD_FILE ADRELO_SIGN_TIMESTAMP_URL

SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct)
export SOURCE_DATE_EPOCH

# One: the builds under test, packaged here and now.
TZ=UTC LC_ALL=C bash "$source_dir/packaging/package.sh" "$build_dir" "$work/one" >/dev/null

# Two: the same sources (committed or not, as git sees them; a tracked file
# deleted in the tree is not there to copy) built elsewhere.
# faketime leaves file times alone (NO_FAKE_STAT): only the clock moves.
copy=$work/two/a/deeper/folder
mkdir -p "$copy/src"
(cd "$source_dir" && git ls-files -z --cached --others --exclude-standard |
  xargs -0 cp --parents -t "$copy/src" 2>/dev/null) || true
other_clock() {
  NO_FAKE_STAT=1 TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 faketime -f '+400d' "$@"
}
(
  umask 077
  for build in win32:i686 win64:x86_64; do
    IFS=: read -r folder processor <<<"$build"
    other_clock cmake -S "$copy/src" -B "$copy/build/$folder" --log-level=WARNING \
      -DCMAKE_TOOLCHAIN_FILE="$copy/src/cmake/mingw-$processor.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DADRELO_PROGRAM_ONLY=ON >/dev/null
    other_clock cmake --build "$copy/build/$folder" -j "$(nproc)" --target Adrelo >/dev/null
  done
  other_clock bash "$copy/src/packaging/package.sh" "$copy/build" "$work/two/dist" >/dev/null
)

sums() { (cd "$1" && find . -type f | LC_ALL=C sort | xargs sha256sum); }
sums "$work/one" >"$work/one.sums"
sums "$work/two/dist" >"$work/two.sums"
if ! diff "$work/one.sums" "$work/two.sums"; then
  log "FAIL: the two releases differ (above: < the build under test, > the copy)"
  exit 1
fi
log "ok: $(wc -l <"$work/one.sums") files, the same bytes from both folders, clocks and time zones"
sed 's/^/  /' "$work/one/SHA256SUMS"
