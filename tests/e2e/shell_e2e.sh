#!/usr/bin/env bash
# Start-up, settings, the title's demo and the About window of the real game:
# a first run beside no other file, then a run over a settings file edited by
# hand, through the first demo tick and the About window's staff roll.
# Usage: shell_e2e.sh GAME_BINARY ARTEFACT_DIR
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"
start_xvfb

# --- A first run: the binary alone in its folder. ---
first=$(game_dir first)
start_game "$first" first
shot first-title
[[ $(glyphs 00FFFF 456 32 73 25) == ABAAAA ]] || fail "the best score does not read 010000"
[[ $(px 2 2) == FFFFFF && $(px 443 340) == FFFFFF ]] || fail "no field border on the title"

# The menus: enabled items are written in black, disabled ones greyed. With no
# music file beside the game both music submenus of Settings are disabled.
menu_black() { count 000000 0 0 "$2" "$3" "$ART/$1.xwd"; }
menu_size() { xwininfo -id "$1" | sed -n 's/^ *\(Width\|Height\): *//p' | paste -sd ' '; }
keys alt+h
popup=$(new_window 5) || fail "the help menu did not open"
read -r pw ph < <(menu_size "$popup")
MENU=0 shot_window "$popup" menu-help
xdotool key Escape
keys alt+s
popup=$(new_window 5) || fail "the settings menu did not open"
read -r sw sh < <(menu_size "$popup")
shot_window "$popup" menu-settings
shot_root menu-settings-screen
xdotool key Escape
help_black=$(MENU=0 menu_black menu-help "$pw" "$ph")
# The music submenus are the first two rows (22 pixels each); the options below stay enabled.
settings_black=$(MENU=0 menu_black menu-settings "$sw" 44)
note "black text: help menu $help_black px, settings menu $settings_black px"
((help_black > 100)) || fail "the help menu shows no enabled item"
((settings_black == 0)) || fail "the settings menu has an enabled music item without music files"

# Exit through the menu writes the seven keys; music is off for want of files.
menu_exit
wait_game_end 5
((GAME_STATUS == 0)) || fail "the first run ended with status $GAME_STATUS"
expect_file "$first/marvo.ini" "$(settings_text 1 1 10000 5000 4000 3000 2000)"$'\n' first-marvo.ini
[[ $(ls "$first") == $'marvo.ini\nmarvostel' ]] || fail "files left beside the game: $(ls "$first" | tr '\n' ' ')"

# --- A run over a file edited by hand: a comment, a foreign section, a
# missing key, scores out of order and music asked for without its files. ---
edited=$(game_dir edited)
printf '%s\n' '; settings of the arcade corner' '[MARVOSTEL]' 'BGM=0' 'BGM_TYPE=2' \
  'HISCORE1=500' 'HISCORE2=400' 'HISCORE3=300' 'HISCORE4=200' '[Cabinet]' \
  '; the coin slot' 'coins=3' >"$edited/marvo.ini"
cp "$edited/marvo.ini" "$ART/edited-before.ini"
# The strip opens its link through the desktop; a stand-in for xdg-open
# notes what it was asked to open instead of starting a browser.
mkdir -p "$WORK/bin"
printf '#!/bin/sh\necho "$1" >>"%s"\n' "$WORK/opened" >"$WORK/bin/xdg-open"
chmod +x "$WORK/bin/xdg-open"
PATH=$WORK/bin:$PATH start_game "$edited" edited
shot edited-title
# Before the first demo tick the strip is no link yet.
click_strip() { xdotool mousemove --window "$WINDOW" 60 $((MENU + 357)) click 1; }
click_strip
[[ $(glyphs 00FFFF 456 32 73 25) == AAABAA ]] || fail "the best score does not read 000500"
crop strip-before 8 350 521 15

# The first demo tick, ten seconds in: the title dimmed, the hall of fame over
# it and the first link in the strip.
poll 20 demo title_dimmed
note "demo tick $((SHOT_MS - GAME_STARTED_MS)) ms after start-up"
((SHOT_MS - GAME_STARTED_MS >= 9500)) || fail "the demo came $((SHOT_MS - GAME_STARTED_MS)) ms after start-up"
[[ $(px 2 2) == FFFFFF && $(px 443 340) == FFFFFF ]] || fail "no field border in the demo"
(($(count 00FFFF 8 80 433 41) > 300)) || fail "no cyan HALL OF FAME"
[[ $(glyphs FFFFFF 8 118 433 25) == ABCDEEEFEE ]] || fail "the top entry does not read TOP : 000500"
[[ $(glyphs C0C0C0 8 152 433 25) == ABCDEEEFEE ]] || fail "entry 2 does not read No2 : 000400"
[[ $(glyphs C0C0C0 8 224 433 25) == ABCDEEFEEE ]] || fail "entry 5 does not read No5 : 002000"
crop strip-demo 8 350 521 15
(($(differ_crops strip-before strip-demo) > 100)) || fail "the strip still shows its first caption"

# Now it opens the link it shows, link 1: the game's own site.
click_strip
for _ in $(seq 100); do [[ -s $WORK/opened ]] && break; sleep 0.05; done
[[ -s $WORK/opened ]] || fail "a click on the strip opened nothing"
cp "$WORK/opened" "$ART/opened.txt"
[[ $(cat "$WORK/opened") == https://marvostel.example.com/ ]] ||
  fail "the strip opened $(paste -sd ' ' "$WORK/opened"), not the first link alone"

# The About window: the main window is inert meanwhile; the emblem starts the
# staff roll, which ends on the makers' name; OK closes it.
keys alt+h
new_window 5 >/dev/null || fail "the help menu did not open"
xdotool key a
about=$(find_window 313 200 5) || fail "the About window did not open"
[[ $(xdotool getwindowname "$about") == 'ﾊﾞｰｼﾞｮﾝ情報' ]] || fail "the About window's caption is wrong"
shot_window "$about" about-start
# The credits' part of the window, in its own coordinates.
credit=(8 64 297 89)
MENU=0 crop credit-start "${credit[@]}" "$ART/about-start.xwd"
# Alt+G to the main window, then a click on the emblem: once the roll moves,
# the game has had the key too, and no menu may have opened for it.
keys alt+g
xdotool mousemove --window "$about" 24 24 click 1
rolled() {
  shot_window "$about" about-rolled
  MENU=0 crop credit-rolled "${credit[@]}" "$ART/about-rolled.xwd"
  (($(differ_crops credit-start credit-rolled) > 200))
}
retry 40 rolled || fail "the staff roll did not move after a click on the emblem"
xdotool search --all --onlyvisible --pid "$GAME_PID" --class marvostel |
  grep -vx -e "$WINDOW" -e "$about" >/dev/null && fail "a menu opened while the About window was open"
rolled_out() {
  shot_window "$about" about-end
  (($(MENU=0 count 008000 "${credit[@]}" "$ART/about-end.xwd") > 500))
}
# 304 moves at 64 a second: under five seconds, given plenty of room on a busy machine
retry 300 rolled_out || fail "the staff roll did not end on the green makers' name"
keys -w "$about" Return
for _ in $(seq 50); do window_shown "$about" || break; sleep 0.05; done
window_shown "$about" && fail "OK (Enter) did not close the About window"
open_menu g
shot_root menu-after-about
xdotool key Escape

menu_exit
wait_game_end 5
((GAME_STATUS == 0)) || fail "the second run ended with status $GAME_STATUS"
expect_file "$edited/marvo.ini" "$(printf '%s\n' '; settings of the arcade corner' '[MARVOSTEL]' \
  'BGM=1' 'BGM_TYPE=1' 'HISCORE1=500' 'HISCORE2=400' 'HISCORE3=300' 'HISCORE4=200' \
  'HISCORE5=2000' '[Cabinet]' '; the coin slot' 'coins=3')"$'\n' edited-marvo.ini
[[ $(ls "$edited") == $'marvo.ini\nmarvostel' ]] || fail "files left beside the game: $(ls "$edited" | tr '\n' ' ')"
