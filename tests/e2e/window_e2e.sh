#!/usr/bin/env bash
# The real game on a virtual X display: the window opens with its client area
# under the menu bar, a real F2 starts a game through the start command's
# shortcut, and the exit command ends the program even while a game runs.
# Usage: window_e2e.sh GAME_BINARY ARTEFACT_DIR
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"
start_xvfb

dir=$(game_dir game)
start_game "$dir"
note "window ${WW}x${WH} at $WX,$WY; menu bar $MENU px"
((WW == 539)) || fail "window width $WW, not 539"

shot title
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
open_menu s
xdotool key Right
sleep 0.3 # the submenu, if it opens at all, has no window of its own yet to wait for
shot_root menu-settings
xdotool key Escape Escape
open_menu h
shot_root menu-help
xdotool key Escape

# F2 is the start command's shortcut: the GET READY! banner, then the head's
# white trail down the diagonal.
ready() { (($(count 00FF00 39 100 367 70) > 3000)); }
trail() { [[ $(px 50 50) == FFFFFF && $(px 80 80) == FFFFFF ]]; }
keys F2
poll 5 after-f2 ready
poll 6 running trail
[[ $(px 5 5) == FFFFFF ]] || fail "no trail at (5, 5)"

# The exit command ends the program at once, game or not.
menu_exit
wait_game_end 5
((GAME_STATUS == 0)) || fail "the program ended with status $GAME_STATUS"
expect_file "$dir/marvo.ini" "$(settings_text 1 1 10000 5000 4000 3000 2000)"$'\n'
