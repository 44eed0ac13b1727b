#!/usr/bin/env bash
# The real game on a virtual X display: the window opens with its client area
# under the menu bar, a real F2 starts a game through the start command's
# shortcut, Space turns the head, the help window shows the help file beside
# the game, and the exit command ends the program even while a game runs.
# Usage: window_e2e.sh GAME_BINARY ARTEFACT_DIR
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"
start_xvfb

# The help file and the waves lie beside the binary in the build tree; with
# the music there, the music submenu is enabled and the music on (BGM=0).
dir=$(game_dir game "$(dirname "$GAME")"/{marvo.hlp,bgm1.wav,bgm3.wav})
start_game "$dir"
note "window ${WW}x${WH} at $WX,$WY; menu bar $MENU px"
((WW == 539)) || fail "window width $WW, not 539"

# The shot that found the title: a busy start-up leaves it little time before
# the first demo tick dims it.
[[ $(px 2 2) == FFFFFF ]] || fail "no field border at (2, 2)"
(($(count FF0000 29 44 390 78) > 10000)) || fail "no red title on the field"
[[ $(px 10 200) == 000000 ]] || fail "the field's floor is not black"
[[ $(px 449 100) == FFFFFF ]] || fail "no read-out frame at (449, 100)"
(($(count 00FFFF 456 32 73 25) > 0)) || fail "no cyan score read-out"
(($(count FFFFFF 456 8 73 25) > 0)) || fail "no white SCORE caption"

# The menus as the player sees them.
open_menu g
shot_root menu-game
xdotool key Escape
keys alt+s
settings=$(new_window 5) || fail "the settings menu did not open"
xdotool key Right
new_window 5 "$settings" >/dev/null || fail "Right did not open the music submenu"
shot_root menu-settings
xdotool key Escape Escape
open_menu h
shot_root menu-help
xdotool key Escape

# F2 is the start command's shortcut: the GET READY! banner. Space every 50 ms
# from then on (presses during the banner do nothing) zigzags the head off
# the corner, its white trail behind it, until it runs into the edge.
ready() { (($(count 00FF00 "${BANNER[@]}") > 3000)); }
game_over() {
  ready && (($(kept 00FF00 "${BANNER[@]}" "$ART/after-f2.xwd") * 10 < ready_green * 6))
}
keys F2
poll 10 after-f2 ready
ready_green=$(count 00FF00 "${BANNER[@]}")
# The presses go on beside the polls: on a busy machine they take longer than
# the game-over pause.
xdotool key --delay 50 $(printf 'space %.0s' $(seq 60)) &
presses=$!
poll 10 over game_over
wait "$presses"
# Three digits, not the 050 of the start (040 has the same glyph pattern).
turns=$(glyphs 00FFFF 456 144 73 25)
((${#turns} == 3 && $(differ "$ART/after-f2.xwd" "$SHOT" 456 144 73 25) > 0)) ||
  fail "the turn read-out did not count down from 050"
# Where the head turned depends on when the presses came; that it turned, left
# a trail and burst somewhere does not.
(($(count FFFFFF 0 0 449 345) > $(count FFFFFF 0 0 449 345 "$ART/after-f2.xwd") + 100)) ||
  fail "no trail and burst on the field"

# The help file, shown as a page of text, in the game-over pause.
open_menu h
xdotool key h
help=$(find_window 600 640 10) || fail "the help window did not open"
text_below() {
  shot_window "$help" help
  (($(MENU=0 count FFFFFF 0 300 600 300 "$ART/help.xwd") < 600 * 300 - 2000))
}
retry 40 text_below || fail "the help window shows no page of text"

# The exit command ends the program at once.
menu_exit
wait_game_end 5
((GAME_STATUS == 0)) || fail "the program ended with status $GAME_STATUS"
expect_file "$dir/marvo.ini" "$(settings_text 0 1 10000 5000 4000 3000 2000)"$'\n'
