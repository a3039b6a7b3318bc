#!/bin/bash
# The About window, opened from the Help menu with real keys: modal to the
# main window, titled and worded in the current language, laid out at
# 96 dpi, its picture drawn; under a real mouse move the link shows the hand
# cursor and lights, and it goes out over the picture; a click on it starts
# the browser that Wine's configuration names; Esc and Enter leave the
# window open, Alt+F4 and the close box close it; moved to a monitor of
# 144 dpi it lays itself out again. A renamed copy of the
# program shows its own name in the version line.
source "$(dirname "$0")/../lib.sh"
begin_case

title_en="About Program..."
title_bg="За програмата..."
label1=$(resource_id IDC_Form3_Label1)
label2=$(resource_id IDC_Form3_Label2)
label3=$(resource_id IDC_Form3_Label3)
image1=$(resource_id IDC_Form3_Image1)
address="http://www.varnosk.example/"

# Wine's winebrowser opens web addresses with the programs listed under this
# key, the address as the last argument: here, a script that records it.
browser=$CASE_DIR/browser.sh
browser_args=$CASE_DIR/browser-args.txt
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >"%s"\n' "$browser_args" >"$browser"
chmod +x "$browser"
wine_write reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ /d "$browser" /f ||
  fail "could not name the browser"

has() { (((style & $1) != 0)) && echo yes || echo no; }

set_settings Language=0
start_program
# Once it is active: a busy machine shows it a moment before it takes the focus.
drive_or_stop wait-window 20000 keys Alt+H,Enter wait-foreground "$title_en" 5000 window "$title_en" 5000 \
  looks "$title_en"
expect_captions_whole "96 dpi"

expect_eq "a dialog owned by the main window, which is disabled" "#32770 1 0" \
  "$(got top.class) $(got top.owned_by_main) $(got main.enabled)"
style=$(got top.style)
expect_eq "WS_SYSMENU WS_MINIMIZEBOX WS_MAXIMIZEBOX WS_THICKFRAME ($style)" "yes no no no" \
  "$(has 0x00080000) $(has 0x00020000) $(has 0x00010000) $(has 0x00040000)"
expect_eq "client size" "270 220" "$(got top.client.size)"
expect_eq "no control has the focus" "window" "$(got top.focus)"
expect_eq "texts: version, maker, link" "Adrelo  vers. $(program_version)|Varnosk Software|$address" \
  "$(got "child.$label2.text")|$(got "child.$label1.text")|$(got "child.$label3.text")"
expect_eq "rects: Label2 Image1 Label1 Label3" "16 8 233 25|64 40 142 113|8 160 257 25|8 192 257 25" \
  "$(got "child.$label2.rect")|$(got "child.$image1.rect")|$(got "child.$label1.rect")|$(got "child.$label3.rect")"
expect_eq "fonts: Label2, Label1 (Cyrillic in English too), Label3" \
  "Arial -19 700 204|Arial -16 700 204|Arial -16 700 204" \
  "$(got "font.id$label2")|$(got "font.id$label1")|$(got "font.id$label3")"

# The picture is decoded and drawn: the middle of its green node, on screen.
read -r x y <<<"$(got top.client.origin)"
expect_eq "the picture's green node" "3CC85A" \
  "$(import -display "$DISPLAY" -window root -crop "1x1+$((x + 64 + 70))+$((y + 40 + 46))" -depth 8 txt:- |
    grep -o '#[0-9A-F]\{6\}' | tr -d '#')"

# Input is handled in order: once the move over the link shows, Esc and
# Enter before it have been handled too.
drive_or_stop keys-to "$title_en" Esc,Enter mouse "$title_en" "$label3" move \
  wait-colour "$title_en" "$label3" 0x00ff0000 5000 window "$title_en" 1000
expect_eq "over the link, after Esc and Enter: open, blue and underlined, the hand cursor" \
  "Arial -16 700 204 underline|12 9 32 1" "$(got "font.id$label3")|$(got cursor)"
drive_or_stop mouse "$title_en" "$image1" move wait-colour "$title_en" "$label3" 0x00000000 5000
expect_eq "over the picture: black, no underline, another cursor" "Arial -16 700 204|no" \
  "$(got "font.id$label3")|$([[ $(got cursor) == "12 9 32 1" ]] && echo yes || echo no)"

drive_or_stop mouse "$title_en" "$label3" click
for ((i = 0; i < 100; i++)); do [[ -s $browser_args ]] && break; sleep 0.1; done
expect_eq "the click starts the browser with the address" "$address" "$(cat "$browser_args" 2>/dev/null)"

# Nothing in it takes the focus; moved to a monitor of 144 dpi it lays itself
# out from its twips in new fonts, the picture at its own size.
drive_or_stop dpi-change "$title_en" 144 window "$title_en" 1000 looks "$title_en"
expect_captions_whole "144 dpi"
expect_eq "no control that takes the focus goes unnamed" "" "$(got unnamed)"
expect_dpi_changes
expect_eq "144 dpi: client, then Label2 Image1 Label1 Label3" \
  "405 330|24 12 350 38|96 60 142 113|12 240 386 38|12 288 386 38" \
  "$(got top.client.size)|$(got "child.$label2.rect")|$(got "child.$image1.rect")|$(got "child.$label1.rect")|$(got "child.$label3.rect")"
expect_eq "144 dpi fonts: Label2, Label1, Label3 (lit: the pointer is on it)" "Arial -29 700 204|Arial -24 700 204|Arial -24 700 204 underline" \
  "$(got "font.id$label2")|$(got "font.id$label1")|$(got "font.id$label3")"
drive_or_stop window "$title_en" 1000 keys-to "$title_en" Alt+F4 window-gone "$title_en" 5000 state
expect_eq "Alt+F4 closes it; the main window takes input again" 1 "$(got window.enabled)"

# Bulgarian, from a renamed copy; the Help menu by F10 and arrows, as its access
# key is a Cyrillic letter.
stop_program
set_settings Language=100
cp "$ADRELO_EXE" "$CASE_DIR/Adrelo.Copy.exe"
ADRELO_EXE=$CASE_DIR/Adrelo.Copy.exe
start_program
drive_or_stop wait-window 20000 keys F10,Right,Right,Down,Enter window "$title_bg" 5000 looks "$title_bg"
expect_captions_whole "Bulgarian"
expect_eq "Bulgarian, renamed: version, maker, link" "Adrelo.Copy  версия $(program_version)|Varnosk Software|$address" \
  "$(got "child.$label2.text")|$(got "child.$label1.text")|$(got "child.$label3.text")"
drive_or_stop syscommand-to "$title_bg" close window-gone "$title_bg" 5000
finish
