#!/bin/bash
# The installer of this Wine's architecture and its uninstaller, silent, as a
# deployment script would run them: the program lands in the user's own
# programs folder with its Start-menu shortcut and uninstall entry, starts
# and shows its window; installing again over the running program asks it to
# exit (so it saves its settings) and upgrades it in place; the uninstaller
# asks it to exit the same way, then leaves no file, shortcut, entry or Run
# value of this copy behind, and keeps the settings.
# The upgrade is the signed release's (package.signed's, with its throwaway
# CA): the uninstaller it leaves and the program verify against that CA, and
# it is the signed program that starts and the signed uninstaller that removes
# it.
source "$(dirname "$0")/../lib.sh"
begin_case

arch=x86
[[ $ADRELO_WINE == 64 ]] && arch=x64
version=$(program_version)
setup=$ADRELO_DIST_DIR/Adrelo-$version-setup-$arch.exe
[[ -f $setup ]] || { fail "missing $setup (build first)"; finish; }
signed_setup=$ADRELO_SIGNED_DIR/dist/$(basename "$setup")
[[ -f $signed_setup ]] || { fail "missing $signed_setup (ctest -R package.signed makes it)"; finish; }
profile=$WINEPREFIX/drive_c/users/$(id -un)
folder="$profile/AppData/Local/Programs/Adrelo Viewer"
shortcut="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Adrelo Viewer.lnk"
windows_exe='C:\users\'"$(id -un)"'\AppData\Local\Programs\Adrelo Viewer\Adrelo.exe'
UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Adrelo Viewer'
RUN_KEYS=('HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
          'HKLM\Software\Microsoft\Windows\CurrentVersion\Run')
on_cleanup 'rm -rf "$folder" "$shortcut"; reg_quiet delete "$UNINSTALL_KEY" /f'
on_cleanup 'for key in "${RUN_KEYS[@]}"; do reg_quiet delete "$key" /v Adrelo /f; done'

reg_quiet() { timeout 30 "$WINE" reg "$@" >/dev/null 2>&1; }
# The values of a key as "name=data", REG_SZ and REG_DWORD, sorted.
values() {
  wine_read reg query "$1" | tr -d '\r' |
    sed -n 's/^    \(.*\)    REG_\(SZ\|DWORD\)    \(.*\)$/\1=\3/p' | sort
}
value() { values "$1" | sed -n "s/^$2=//p"; }
files() { (cd "$folder" 2>/dev/null && echo *); }
# on_shell_desktop COMMAND...: started on the program's desktop, where the
# one finds the other's window; explorer returns at once.
on_shell_desktop() {
  timeout 60 "$WINE" explorer "/desktop=$DESKTOP_NAME,$DESKTOP_SIZE" "$@" >/dev/null 2>&1
}
# wait_until WHAT COMMAND...: polls COMMAND for up to 20 s.
wait_until() {
  local what=$1 i
  shift
  for ((i = 0; i < 100; i++)); do "$@" && return 0; sleep 0.2; done
  fail "$what: not within 20 s"
}
installer_ended() { ! pgrep -f "setup-$arch.exe" >/dev/null; }
entry_gone() { [[ -z $(values "$UNINSTALL_KEY") ]]; }

set_settings
reg_quiet delete "$UNINSTALL_KEY" /f
timeout 60 "$WINE" "$setup" /S || fail "the installer failed (exit $?)"
expect_eq "installed files" "Adrelo.exe LICENSE.txt README.txt uninstall.exe" "$(files)"
# The release's copy of the build's exe differs only in the time stamp (the
# commit's) and the checksum over it: this build's, dated as the release.
release_tools="$E2E_REPO_DIR/packaging/release_tools.py"
dated=$CASE_DIR/Adrelo-dated.exe
cp "$ADRELO_EXE" "$dated"
python3 "$release_tools" stamp-pe "$dated" "$(python3 "$release_tools" pe-stamp "$folder/Adrelo.exe")"
expect_eq "the installed program is this build's" "$(sha256sum <"$dated")" \
  "$(sha256sum <"$folder/Adrelo.exe")"
expect_eq "the shortcut points at it" 1 \
  "$(strings -a "$shortcut" 2>/dev/null | grep -ciFx "$windows_exe")"
expect_eq "uninstall entry: name, version, publisher, icon, uninstaller" \
  "Adrelo Viewer|$version|Varnosk|\"$windows_exe\",0|\"${windows_exe%Adrelo.exe}uninstall.exe\"" \
  "$(value "$UNINSTALL_KEY" DisplayName)|$(value "$UNINSTALL_KEY" DisplayVersion)|$(value \
    "$UNINSTALL_KEY" Publisher)|$(value "$UNINSTALL_KEY" DisplayIcon)|$(value "$UNINSTALL_KEY" \
    UninstallString)"
size=$(value "$UNINSTALL_KEY" EstimatedSize)
expect_eq "its size, in KB ($size)" 1 "$((size > 50 && size < 1000))"

ADRELO_EXE=$folder/Adrelo.exe
start_program
drive_or_stop wait-window 20000 state
expect_eq "the installed program shows its window" "Adrelo Viewer 1" \
  "$(got window.title) $(got window.visible)"

# Installed again, signed, over the running program, which is asked to exit
# first.
on_shell_desktop "$(win_path "$signed_setup")" /S
drive wait-gone 20000
wait_until "the second installer ends" installer_ended
expect_eq "installed over the running program: it exited, saving its eight values" 8 \
  "$(stored_settings | wc -l)"
expect_eq "upgraded in place: the same files, one entry" \
  "Adrelo.exe LICENSE.txt README.txt uninstall.exe|Adrelo Viewer" \
  "$(files)|$(value "$UNINSTALL_KEY" DisplayName)"
for file in uninstall.exe Adrelo.exe; do
  expect_eq "the signed upgrade's $file verifies against its CA" Succeeded "$(osslsigncode verify \
    -CAfile "$ADRELO_SIGNED_DIR/ca.pem" -in "$folder/$file" 2>&1 | tail -1)"
done

# Started with Windows from both Run keys; another program's value beside.
set_settings ShowIP=2
for key in "${RUN_KEYS[@]}"; do wine_write reg add "$key" /v Adrelo /d "\"$windows_exe\"" /f; done
wine_write reg add "${RUN_KEYS[0]}" /v Other /d 'C:\other.exe' /f
on_cleanup 'reg_quiet delete "${RUN_KEYS[0]}" /v Other /f'
start_program
drive_or_stop wait-window 20000 state
expect_eq "the signed program shows its window" "Adrelo Viewer 1" "$(got window.title) $(got window.visible)"
# By its C: path, as the list of programs starts it: the uninstaller knows
# its copy by its own folder.
on_shell_desktop "${windows_exe%Adrelo.exe}uninstall.exe" /S
drive wait-gone 20000
wait_until "the uninstaller removes the entry" entry_gone
expect_eq "no program file" "" "$(files)"
expect_eq "no shortcut" no "$([[ -e $shortcut ]] && echo yes || echo no)"
expect_eq "Run values: this copy's gone from both keys, another program's kept" \
  "Other=C:\other.exe|" "$(values "${RUN_KEYS[0]}")|$(values "${RUN_KEYS[1]}" | grep '^Adrelo=')"
expect_eq "settings kept, saved by the exit the uninstaller asked for" "8 ShowIP=2" \
  "$(stored_settings | wc -l) $(stored_settings | grep '^ShowIP=')"
finish
