#!/bin/bash
# Hostile stored settings, one row of tests/data/stored_settings.txt at a
# time: each stored alone (wrong types, lengths about the 128-byte buffer,
# signs, blanks, overflow of 16 and 32 bits, placement off every edge,
# embedded zeros, a key that is a value, a read-only and an unreadable key).
# For each the program starts normally, shows its window where the row says,
# and its exit writes eight valid values (the row's as the row says), or,
# when the key may not be written, leaves it as it was.
source "$(dirname "$0")/../lib.sh"
begin_case

ROWS=$E2E_REPO_DIR/tests/data/stored_settings.txt
MENU_EXIT=$(resource_id IDM_mnuExit)
# The ranges of the stored values: Language, then the 1-based fields.
declare -A MAX=([ShowIP]=2 [Tip_Window]=3 [CopyInfo]=3 [Start_with_Win]=2 [CloseMin]=2)

# valid_settings: "ok", or the first stored value that is not valid.
valid_settings() {
  local name value
  [[ $(got stored.count) == 8 ]] || { echo "stored.count=$(got stored.count)"; return; }
  for name in Language ShowIP Tip_Window CopyInfo Start_with_Win CloseMin Left Top; do
    value=$(got "stored.$name")
    case $name in
      Language) [[ $value == 0 || $value == 100 ]] ;;
      Left | Top) [[ $value =~ ^-?[0-9]{1,10}$ ]] && ((value >= -2147483648 && value <= 2147483647)) ;;
      *) [[ $value =~ ^[0-9]$ ]] && ((value >= 1 && value <= MAX[$name])) ;;
    esac || { echo "$name=$value"; return; }
  done
  echo ok
}

# The rows run a batch to a driver process (a Windows command line holds some
# 32,000 characters), each row's output starting at its row.line.
BATCH=12
row_steps() {
  printf '%s\n' store-row "$(win_path "$ROWS")" "$1" launch "$(win_path "$ADRELO_EXE")" \
    wait-window 20000 wait-state 1 0 5000 state post 0x0111 "$MENU_EXIT" 0 wait-gone 10000 settings
}
# check_row NUMBER LINE: the checks of one row against its part of the output.
check_row() {
  local written position name what=$1
  # The last two fields; the data before them may hold blanks.
  read -r written position <<<"$(awk '{ print $(NF - 1), $NF }' <<<"$2")"
  DRIVER_OUT=$(awk -v line="row.line=$1" '/^row\.line=/ { on = ($0 == line) } on' <<<"$batch_out")
  what="line $1 ($(tr -s ' ' <<<"$2"))"
  [[ -n $DRIVER_OUT ]] || { fail "$what: not run"; return; }
  expect_eq "$what: window shown at ${position/,/ }" "1 0 ${position/,/ }" \
    "$(got window.visible) $(got window.iconic) $(got window.pos)"
  name=$(got row.name)
  if [[ $written == kept ]]; then
    expect_eq "$what: the key left as it was" "1 $(got row.value)" \
      "$(got stored.count) $(got "stored.$name")"
  else
    expect_eq "$what: eight valid values written" ok "$(valid_settings)"
    [[ $written == - ]] || expect_eq "$what: $name written" "$written" "$(got "stored.$name")"
  fi
}

stop_program
start_desktop
mapfile -t lines <"$ROWS"
numbers=()
for i in "${!lines[@]}"; do
  [[ ${lines[i]} =~ ^[[:space:]]*(#|$) ]] || numbers+=($((i + 1)))
done
for ((first = 0; first < ${#numbers[@]}; first += BATCH)); do
  steps=()
  for number in "${numbers[@]:first:BATCH}"; do mapfile -t -O ${#steps[@]} steps < <(row_steps "$number"); done
  DRIVER_LOCALE=$PROGRAM_LOCALE drive "${steps[@]}"
  batch_out=$DRIVER_OUT
  for number in "${numbers[@]:first:BATCH}"; do check_row "$number" "${lines[number - 1]}"; done
done
log "rows: ${#numbers[@]}"
((${#numbers[@]} >= 50)) || fail "only ${#numbers[@]} rows"
set_settings
finish
