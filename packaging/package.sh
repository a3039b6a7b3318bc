#!/usr/bin/env bash
# Makes the release files from the two Windows builds: for x86 (build/win32)
# and x64 (build/win64), a portable zip (the program, README.txt, LICENSE.txt,
# in a folder "Adrelo Viewer") and a per-user installer made with makensis;
# then SHA256SUMS for the four. The version comes from the builds' generated
# adrelo_version.h, which CMake writes from the project's version.
# Usage: package.sh <build folder> <output folder>
set -euo pipefail
packaging=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$packaging")
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)

define() { awk -v name="$1" '$1 == "#define" && $2 == name { print $3; exit }' "$2"; }
version_header=$build/win32/generated/adrelo_version.h
[[ -f $version_header ]] || { echo "package: no $version_header (build first)" >&2; exit 1; }
version=$(define ADRELO_VERSION_TEXT "$version_header" | tr -d '"')
version_quad=$(define ADRELO_VERSION_MAJOR "$version_header").$(define ADRELO_VERSION_MINOR \
  "$version_header").$(define ADRELO_VERSION_PATCH "$version_header").0
# How the installer asks a running copy to exit: its main window's class and
# the Exit command, as the program defines them.
window_class=$(sed -n 's/.*kForm1ClassName\[\] = L"\([^"]*\)".*/\1/p' "$repo/main_window/form1_window.h")
exit_command=$(define IDM_mnuExit "$repo/resources/resource.h")
[[ -n $version && -n $window_class && -n $exit_command ]] ||
  { echo "package: could not read the version, window class or Exit command" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Text files with Windows line ends, for Notepad.
crlf() { sed 's/\r*$/\r/' "$1" >"$2"; }

rm -f "$out"/Adrelo-*.zip "$out"/Adrelo-*-setup-*.exe "$out/SHA256SUMS"
for release in x86:win32:x86-unicode x64:win64:amd64-unicode; do
  IFS=: read -r arch folder target <<<"$release"
  exe=$build/$folder/Adrelo.exe
  [[ -f $exe ]] || { echo "package: no $exe (build first)" >&2; exit 1; }
  stage="$work/$arch/Adrelo Viewer"
  mkdir -p "$stage"
  cp "$exe" "$stage/"
  crlf "$packaging/README.txt" "$stage/README.txt"
  crlf "$repo/LICENSE" "$stage/LICENSE.txt"
  (cd "$work/$arch" && cmake -E tar cf "$out/Adrelo-$version-$arch.zip" --format=zip "Adrelo Viewer")
  makensis -INPUTCHARSET UTF8 -V2 -DVERSION="$version" -DVERSION_QUAD="$version_quad" \
    -DTARGET="$target" -DPROGRAM_DIR="$stage" -DICON="$repo/resources/adrelo.ico" \
    -DWINDOW_CLASS="$window_class" -DEXIT_COMMAND="$exit_command" \
    -DOUTPUT="$out/Adrelo-$version-setup-$arch.exe" "$packaging/adrelo.nsi" >"$work/makensis-$arch.log" ||
    { cat "$work/makensis-$arch.log" >&2; exit 1; }
done
(cd "$out" && sha256sum Adrelo-"$version"-x86.zip Adrelo-"$version"-x64.zip \
  Adrelo-"$version"-setup-x86.exe Adrelo-"$version"-setup-x64.exe >SHA256SUMS)
echo "package: $(cd "$out" && ls Adrelo-* SHA256SUMS | tr '\n' ' ')in $out"
