#!/bin/bash
# The language of labels and menus and the controls' fonts: Bulgarian under a
# Bulgarian locale when no language is stored, English under an English one,
# and a stored Language of 100 wins over the locale. The labels' font takes
# the language's character set; Text1 and List1 always have the Cyrillic one.
source "$(dirname "$0")/../lib.sh"
begin_case
expected=$E2E_SOURCE_DIR/expected

# check_fonts RUN LABEL_CHARSET
check_fonts() {
  local control charset
  for control in Label1 Label2 Text1 List1; do
    charset=204
    [[ $control == Label* ]] && charset=$2
    expect_eq "$1: font of $control" "Arial -16 700 $charset" "$(got "font.$control")"
  done
}

run() {
  stop_program
  set_settings "${@:2}"
  start_program "LC_ALL=$1"
  drive_or_stop wait-window 20000 state menu fonts
}

run bg_BG.UTF-8
expect_eq "bg locale: labels" "Име на Компютъра : |IP Адрес : " "$(got Label1)|$(got Label2)"
expect_text "bg locale: menu" "$expected/menu-bg.txt" "$(got_all menu)"
check_fonts "bg locale" 204

run en_US.UTF-8
expect_eq "en locale: labels" "Host name : |IP Address : " "$(got Label1)|$(got Label2)"
expect_eq "en locale: menu bar" "In&formation|&View|&Help" "$(got_all menu | grep -v '^ ' | paste -sd '|')"
check_fonts "en locale" 0

run en_US.UTF-8 Language=100
expect_eq "stored 100, en locale: labels" "Име на Компютъра : |IP Адрес : " "$(got Label1)|$(got Label2)"
expect_text "stored 100, en locale: menu" "$expected/menu-bg.txt" "$(got_all menu)"
check_fonts "stored 100, en locale" 204
finish
