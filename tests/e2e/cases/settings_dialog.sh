#!/bin/bash
# The settings dialog driven like a user: opened modal from the menu and with
# Ctrl+O, showing the current settings in the twips layout; Enter and Esc on
# an option do nothing, Enter and Space press the focused button; Apply recaptions the dialog and the main window at once and leaves
# the settings key alone; Cancel and the close box apply nothing, but keep an
# earlier Apply; Default goes Bulgarian and registers the program under the
# Run key, quoted; an unchecked Apply removes exactly that value. The tray
# tooltip follows an Apply at once; the settings applied reach the key at
# Exit, or at log-off while the dialog is open. Our Run value goes whatever
# its letter case; one in the machine-wide key that the user may not remove
# is said so, and the box shows it still on.
source "$(dirname "$0")/../lib.sh"
begin_case

RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
CONTROLS="Command1 Command2 Command3 Command4 Frame1 Frame2 Frame3 Frame4 Check1 Check2
  Option1 Option2 Option3 Option4 Option5 Option6 Option7 Option8 Option9 Option10"
id() { resource_id "IDC_$1"; }
child() { got "child.$(id "$1").$2"; }

# The names of the options and check boxes that are on, in CONTROLS order.
checked() {
  local name on=()
  for name in $CONTROLS; do [[ $(child "$name" check) == 1 ]] && on+=("$name"); done
  echo "${on[*]}"
}

# The Run key's values as "name=data", names with their stored letter case.
run_values() {
  wine_read reg query "$RUN_KEY" | tr -d '\r' |
    sed -n 's/^    \(.*\)    REG_SZ    \(.*\)$/\1=\2/p' | sort
}
remove_run_value() { timeout 30 "$WINE" reg delete "$RUN_KEY" /v "$1" /f >/dev/null 2>&1; }
settings_key() { wine_read reg query "$SETTINGS_KEY" | tr -d '\r'; }

set_settings Language=0 ShowIP=2 Tip_Window=1 CopyInfo=2 Start_with_Win=2 CloseMin=2
remove_run_value Adrelo
# Our value under another letter case (an older copy's, or typed by hand):
# to Windows the same value.
wine_write reg add "$RUN_KEY" /v ADRELO /d '"C:\old\Adrelo.exe"' /f
stored=$(settings_key)
start_program

# ---- from the menu, modal, the stored settings in the twips layout ----------
drive_or_stop wait-window 20000 probe-attach keys Alt+F,Down,Down,Down,Enter owned-wait 5000 \
  owned-state owned-fonts
expect_eq "title and class" "Settings panel #32770" "$(got owned.title) $(got owned.class)"
expect_eq "main window disabled" 0 "$(got main.enabled)"
expect_eq "Command1 has the focus" "$(id Command1)" "$(got owned.focus)"
style=$(got owned.style)
has() { (((style & $1) != 0)) && echo yes || echo no; }
expect_eq "WS_SYSMENU WS_MINIMIZEBOX WS_MAXIMIZEBOX WS_THICKFRAME ($style)" "yes no no no" \
  "$(has 0x00080000) $(has 0x00020000) $(has 0x00010000) $(has 0x00040000)"
expect_eq "client size" "534 327" "$(got owned.client)"
tab_order=""
for name in Command1 Command2 Command3 Command4 Option8 Option9 Option10 Frame2 Option3 Option4 \
  Option5 Option6 Option7 Option1 Option2 Check1 Check2 Frame4 Frame3 Frame1; do
  tab_order+="${tab_order:+ }$(id $name)"
done
expect_eq "tab order" "$tab_order" "$(got children)"
while read -r name rect; do
  expect_eq "$name at 96 dpi" "$rect" "$(child "$name" rect)"
done <<'TABLE'
Frame4 8 8 257 121
Option8 16 24 233 25
Option9 16 56 233 33
Option10 16 96 241 25
Frame3 272 8 257 121
Option5 280 24 185 33
Option6 280 56 185 33
Option7 280 88 185 33
Frame2 8 136 257 89
Option3 16 152 185 33
Option4 16 184 185 33
Frame1 272 136 257 89
Option1 280 152 185 33
Option2 280 184 185 33
Check1 16 232 241 41
Check2 280 232 241 41
Command1 8 280 97 33
Command2 120 280 97 33
Command3 232 280 97 33
Command4 344 280 97 33
TABLE
expect_eq "loaded from the settings" "Option2 Option4 Option6 Option8" "$(checked)"
expect_eq "English captions" "Ok|Start program|Български|English" \
  "$(child Command1 text)|$(child Frame4 text)|$(child Option3 text)|$(child Option4 text)"
expect_eq "fonts: button, frame, check box, options" \
  "Arial -16 700 0|Arial -12 400 0|Arial -12 400 0|MS Shell Dlg -11 0 204|MS Shell Dlg -11 0 0" \
  "$(got "font.id$(id Command1)")|$(got "font.id$(id Frame1)")|$(got "font.id$(id Check1)")|$(got "font.id$(id Option3)")|$(got "font.id$(id Option1)")"

expect_eq "no control that takes the focus goes unnamed" "" "$(got unnamed)"
drive_or_stop looks "Settings panel"
expect_captions_whole "96 dpi"

# ---- moved to a monitor of 144 dpi: laid out again from the twips ------------
drive_or_stop dpi-change "Settings panel" 144 looks "Settings panel"
expect_dpi_changes
expect_captions_whole "144 dpi"
drive_or_stop owned-state owned-fonts
expect_eq "144 dpi: client, Frame4, Option8, Command1" "801 491|12 12 386 182|24 36 350 38|12 420 146 50" \
  "$(got owned.client)|$(child Frame4 rect)|$(child Option8 rect)|$(child Command1 rect)"
expect_eq "144 dpi fonts: button, frame, option" "Arial -24 700 0|Arial -18 400 0|MS Shell Dlg -17 0 0" \
  "$(got "font.id$(id Command1)")|$(got "font.id$(id Frame1)")|$(got "font.id$(id Option1)")"

# ---- Enter and Esc on an option do nothing; Enter and Space press a focused button
# Tabbed past the buttons to the first frame's option, the last of them
# (Default) is what the dialog manager would take Enter for.
# Keys are handled in order: once the Tab after them has moved the focus,
# Enter and Esc have been handled too.
drive_or_stop owned-keys Tab,Tab,Tab,Tab owned-focus "$(id Option8)" 5000 owned-keys Enter,Esc,Tab \
  owned-focus "$(id Option4)" 5000 owned-state
expect_eq "Enter and Esc on an option: open, nothing changed" "Settings panel|Option2 Option4 Option6 Option8" \
  "$(got owned.title)|$(checked)"
back_to_apply="owned-keys Shift+Tab,Shift+Tab,Shift+Tab owned-focus $(id Command3) 5000"
drive_or_stop owned-click "$(id Option3)" $back_to_apply owned-keys Enter window "Панел за Настройки" 5000 &&
  log "ok:   Enter on the focused Apply applies"
drive_or_stop owned-click "$(id Option4)" $back_to_apply owned-keys Space window "Settings panel" 5000 &&
  log "ok:   Space on the focused Apply applies"

# ---- Apply in Bulgarian: both windows at once, the settings key untouched ---
# Right after a tick, so the tooltip can only have come from the Apply.
drive_or_stop wait-tick $TICK_WAIT owned-click "$(id Option3)" owned-click "$(id Option9)" \
  owned-click "$(id Command3)" tray owned-state owned-fonts state menu
expect_eq "the tooltip at once, in Bulgarian" "Име на Компютъра : $(hostname)" "$(got tray.tip)"
expect_eq "dialog recaptioned" "Панел за Настройки|Ок|Български|English" \
  "$(got owned.title)|$(child Command1 text)|$(child Option3 text)|$(child Option4 text)"
charsets=""
for name in Command1 Frame1 Option3 Option4; do
  charsets+="${charsets:+ }$(got "font.id$(id $name)" | awk '{ print $NF }')"
done
expect_eq "character sets: Command1, Frame1, Option3, Option4" "204 204 204 0" "$charsets"
expect_eq "main window recaptioned" "Име на Компютъра : |Ин&формация" "$(got Label1)|$(got menu)"
expect_eq "unchecked Apply: our value gone whatever its letter case" "" \
  "$(run_values | grep -i '^adrelo=')"
expect_eq "settings key unchanged by Apply" "$stored" "$(settings_key)"
drive_or_stop looks "Панел за Настройки" looks "Adrelo Viewer"
expect_captions_whole "Bulgarian, both windows"

# ---- Cancel applies nothing, keeps the Apply; Ctrl+O shows the applied -----
drive_or_stop owned-click "$(id Option7)" owned-click "$(id Command2)" owned-gone 5000 \
  keys Ctrl+O owned-wait 5000 owned-state
expect_eq "reopened: applied values, not the registry's" \
  "Панел за Настройки|Option2 Option3 Option6 Option9|0" \
  "$(got owned.title)|$(checked)|$(got main.enabled)"

# ---- Default: Bulgarian under an English locale, registered quoted ----------
drive_or_stop owned-click "$(id Option4)" owned-click "$(id Command3)" owned-wait 5000
expect_eq "back in English" "Settings panel" "$(got owned.title)"
drive_or_stop owned-click "$(id Command4)" owned-state state
expect_eq "Default: open, Bulgarian, its choices" \
  "Панел за Настройки|Check1 Check2 Option1 Option3 Option5 Option8|Име на Компютъра : " \
  "$(got owned.title)|$(checked)|$(got Label1)"
expect_eq "Default registers the quoted path" "Adrelo=\"$(win_path "$ADRELO_EXE")\"" \
  "$(run_values | grep -i '^adrelo=')"
drive_or_stop owned-click "$(id Check1)" owned-click "$(id Command3)"
expect_eq "unchecked Apply removes it" "" "$(run_values | grep -i '^adrelo=')"

# ---- the close box closes without applying -----------------------------------
drive_or_stop owned-click "$(id Check2)" owned-close-box owned-gone 5000 keys Ctrl+O owned-wait 5000 \
  owned-state
expect_eq "after the close box: Check2 as applied" "Check2 Option1 Option3 Option5 Option8" "$(checked)"
drive_or_stop owned-keys Enter owned-gone 5000 && log "ok:   Enter right at opening presses the focused Ok"

# ---- a machine-wide value the user may not remove (an elevated start wrote
# it): said, the box checked again, the rest applied, the program running ----
wine_write reg add "$RUN_KEY" /v Adrelo /d '"C:\elevated\Adrelo.exe"' /f
on_cleanup "drive key-access '$RUN_KEY' 'D:P(A;;KA;;;WD)' >/dev/null"
# Apply by the real mouse: a sent click would wait for the message box.
drive_or_stop key-access "$RUN_KEY" 'D:P(A;;KR;;;WD)' keys Ctrl+O owned-wait 5000 \
  owned-click "$(id Option2)" mouse "Панел за Настройки" "$(id Command3)" click msgbox Грешка 5000
expect_eq "Apply says only an administrator can turn it off" \
  "Adrelo Viewer се стартира с Windows за всеки потребител на този компютър. Само администратор може да изключи това." \
  "$(got msgbox.text)"
drive_or_stop msgbox-ok Грешка owned-state wait-window 5000
expect_eq "the box checked again, the rest applied" "Check1 Check2 Option2 Option3 Option5 Option8" \
  "$(checked)"
drive key-access "$RUN_KEY" 'D:P(A;;KA;;;WD)' >/dev/null
expect_eq "the machine-wide value stays" "Adrelo=\"C:\\elevated\\Adrelo.exe\"" \
  "$(run_values | grep -i '^adrelo=')"
remove_run_value Adrelo
drive_or_stop owned-click "$(id Command2)" owned-gone 5000
expect_eq "settings key unchanged until the end" "$stored" "$(settings_key)"
drive_or_stop keys Ctrl+X wait-gone 5000
expect_eq "Exit stores what was applied, Start with Windows on" \
  "CloseMin=1|CopyInfo=1|Language=100|Left=0|ShowIP=2|Start_with_Win=1|Tip_Window=1|Top=0" \
  "$(stored_settings | paste -sd '|')"

# ---- log-off while the dialog is open: ended, with what was applied ---------
stop_program
set_settings CloseMin=1
start_program
drive_or_stop wait-window 20000 keys Ctrl+O owned-wait 5000 owned-click "$(id Option3)" \
  owned-click "$(id Command3)"
end_session
drive wait-gone 5000
expect_eq "log-off with the dialog open: Apply saved" "Language=100" \
  "$(stored_settings | grep '^Language=')"
remove_run_value Adrelo

# ---- a folder named in four scripts, on an English system: the Run value is
# its quoted path exactly, and a logon starts the program from there. (Wine
# passes a path to a new process in the Unix locale's character set: C.UTF-8,
# which every machine has, carries it whole.)
stop_program
set_settings Language=0 Start_with_Win=2
folder="$CASE_DIR/Иван Ελληνικά 漢字 😀"
mkdir -p "$folder" && cp "$ADRELO_EXE" "$folder/Adrelo.exe"
ADRELO_EXE=$folder/Adrelo.exe start_program LC_ALL=C.UTF-8
drive_or_stop wait-window 20000 keys Ctrl+O owned-wait 5000 owned-click "$(id Check1)" \
  owned-click "$(id Command1)" owned-gone 5000
# As regedit exports it: in UTF-16, where every character survives (reg query
# prints in the console's code page).
timeout 30 "$WINE" reg export "$RUN_KEY" "$(win_path "$CASE_DIR")\\run.reg" /y >/dev/null 2>&1
escaped=$(win_path "$folder/Adrelo.exe" | sed 's/\\/\\\\/g')
expect_eq "Start with Windows from there: its quoted path, exactly" "\"Adrelo\"=\"\\\"$escaped\\\"\"" \
  "$(iconv -f UTF-16 -t UTF-8 "$CASE_DIR/run.reg" | tr -d '\r' | grep -a '^"Adrelo"=')"
stop_program
(exec env LC_ALL=C.UTF-8 timeout 60 "$WINE" explorer "/desktop=$DESKTOP_NAME,$DESKTOP_SIZE" wineboot \
  >>"$CASE_DIR/program.log" 2>&1 &)
drive_or_stop wait-window 30000
started=no
for pid in $(pgrep -x Adrelo.exe); do
  [[ $(tr '\0' '\n' <"/proc/$pid/cmdline" 2>/dev/null | head -1) == "$(win_path "$folder/Adrelo.exe")" ]] && started=yes
done
expect_eq "a logon starts that copy" yes "$started"
remove_run_value Adrelo
finish
