#!/usr/bin/env bash
# Makes the release files from the two Windows builds: for x86 (build/win32)
# and x64 (build/win64), a portable zip (the program, README.txt, LICENSE.txt,
# in a folder "Adrelo Viewer") and a per-user installer made with makensis;
# then SHA256SUMS for the four, and the winget and Scoop manifests that name
# them (manifests.py). The version comes from the builds' generated
# adrelo_version.h, which CMake writes from the project's version.
# The same commit gives the same bytes, whatever the folder, clock, time zone,
# locale or user: every time stamp in the files (the exes' PE headers, the zip
# entries, the dates the installers keep of their files) is SOURCE_DATE_EPOCH,
# the last commit's time unless set, and nothing else of the machine's goes in.
# Given a code-signing key (ADRELO_SIGN_PKCS12, see sign.sh), every Windows
# file is signed: each exe before it goes into the zip and the installer, each
# installer's uninstaller before it goes into the installer, each installer
# last. Without one the files are unsigned, and it says so.
# The files are made in a folder of their own and moved into the output folder
# only when all are made: a failure leaves no release there, half made or
# half signed.
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

if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
  SOURCE_DATE_EPOCH=$(git -C "$repo" log -1 --format=%ct 2>/dev/null) || SOURCE_DATE_EPOCH=
fi
if [[ -z $SOURCE_DATE_EPOCH ]]; then
  SOURCE_DATE_EPOCH=315532800  # 1980-01-01, the earliest a zip can date
  echo "package: no commit to date the files by, and SOURCE_DATE_EPOCH unset: dated 1980-01-01" >&2
fi
[[ $SOURCE_DATE_EPOCH =~ ^[0-9]+$ ]] ||
  { echo "package: SOURCE_DATE_EPOCH is '$SOURCE_DATE_EPOCH'; it takes seconds since 1970" >&2; exit 1; }
export SOURCE_DATE_EPOCH
tools() { python3 "$packaging/release_tools.py" "$@"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Text files with Windows line ends, for Notepad.
crlf() { sed 's/\r*$/\r/' "$1" >"$2"; }

rm -rf "$out"/Adrelo-*.zip "$out"/Adrelo-*-setup-*.exe "$out/SHA256SUMS" "$out/winget" "$out/scoop"
release=$work/release
mkdir "$release"
for folder in win32 win64; do
  [[ -f $build/$folder/Adrelo.exe ]] || { echo "package: no $build/$folder/Adrelo.exe (build first)" >&2; exit 1; }
done

sign() { :; }
uninstaller_signing=()
if [[ -n ${ADRELO_SIGN_PKCS12:-} ]]; then
  for variable in ADRELO_SIGN_PKCS12 ADRELO_SIGN_PASSWORD_FILE; do
    [[ -z ${!variable:-} || ( -f ${!variable} && -r ${!variable} ) ]] ||
      { echo "package: $variable is '${!variable}', which is no file this user can read" >&2; exit 1; }
  done
  # The key is tried once before anything is made, without a time stamp, so
  # that a key that cannot be read says so rather than as a failed signing.
  cp "$build/win32/Adrelo.exe" "$work/key-check.exe"
  ADRELO_SIGN_TIMESTAMP_URL='' bash "$packaging/sign.sh" "$work/key-check.exe" "key check" \
    2>"$work/key-check.log" || {
    echo "package: cannot sign with the key in ADRELO_SIGN_PKCS12: a wrong password" \
      "(ADRELO_SIGN_PASSWORD_FILE), or no PKCS#12 file with a key and its certificate" >&2
    cat "$work/key-check.log" >&2
    exit 1
  }
  sign() { bash "$packaging/sign.sh" "$@"; }
  uninstaller_signing=(-DSIGN_SCRIPT="$packaging/sign.sh")
  echo "package: signing with the key in ADRELO_SIGN_PKCS12${ADRELO_SIGN_TIMESTAMP_URL:+, time-stamped}"
else
  echo "package: unsigned (no ADRELO_SIGN_PKCS12): the release files carry no signature"
fi

for release_arch in x86:win32:x86-unicode x64:win64:amd64-unicode; do
  IFS=: read -r arch folder target <<<"$release_arch"
  stage="$work/$arch/Adrelo Viewer"
  mkdir -p "$stage"
  cp "$build/$folder/Adrelo.exe" "$stage/"
  tools stamp-pe "$stage/Adrelo.exe" "$SOURCE_DATE_EPOCH"
  sign "$stage/Adrelo.exe" "Adrelo Viewer"
  crlf "$packaging/README.txt" "$stage/README.txt"
  crlf "$repo/LICENSE" "$stage/LICENSE.txt"
  # The installers keep each file's date, and set it when they install.
  touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*
  tools zip "$release/Adrelo-$version-$arch.zip" "$SOURCE_DATE_EPOCH" "$stage" "Adrelo Viewer"
  setup=$release/Adrelo-$version-setup-$arch.exe
  makensis -INPUTCHARSET UTF8 -V2 -DVERSION="$version" -DVERSION_QUAD="$version_quad" \
    -DTARGET="$target" -DPROGRAM_DIR="$stage" -DICON="$repo/resources/adrelo.ico" \
    -DWINDOW_CLASS="$window_class" -DEXIT_COMMAND="$exit_command" "${uninstaller_signing[@]}" \
    -DOUTPUT="$setup" "$packaging/adrelo.nsi" >"$work/makensis-$arch.log" ||
    { cat "$work/makensis-$arch.log" >&2; exit 1; }
  # makensis leaves its own stub's time stamp in the header; the data it checks
  # with its CRC comes after the stub, and the signature after that.
  tools stamp-pe "$setup" "$SOURCE_DATE_EPOCH"
  sign "$setup" "Adrelo Viewer Setup"
done
(cd "$release" && sha256sum Adrelo-"$version"-x86.zip Adrelo-"$version"-x64.zip \
  Adrelo-"$version"-setup-x86.exe Adrelo-"$version"-setup-x64.exe >SHA256SUMS)
python3 "$packaging/manifests.py" "$release" "$version" "$SOURCE_DATE_EPOCH" "$packaging/release.conf"
mv "$release"/* "$out"/
echo "package: $(cd "$out" && ls -d Adrelo-* SHA256SUMS winget scoop | tr '\n' ' ')in $out"
