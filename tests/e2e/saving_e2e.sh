#!/usr/bin/env bash
# What the player earned and chose outlasts a game that never gets to exit. A
# finished game's score is in the settings file by the time its closing banner
# shows, so SIGKILL then loses nothing; a zoom is saved the moment it is
# chosen, so the X server going away under the game loses nothing either.
# Usage: saving_e2e.sh GAME_BINARY ARTEFACT_DIR
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"
start_xvfb 1280x1024

# A table every score beats: the head runs into the first block with 0 points,
# and 0 goes to the top.
dir=$(game_dir killed)
printf '%s\n' '[MARVOSTEL]' 'HISCORE1=-1' 'HISCORE2=-2' 'HISCORE3=-3' 'HISCORE4=-4' \
  'HISCORE5=-5' >"$dir/marvo.ini"
start_game "$dir" killed
green() { (($(count 00FF00 "${BANNER[@]}") > 3000)); }
game_over() { green && (($(kept 00FF00 "${BANNER[@]}" "$ART/ready.xwd") * 10 < ready_green * 6)); }
keys Return
poll 10 ready green
ready_green=$(count 00FF00 "${BANNER[@]}")
poll 15 over game_over
kill -KILL "$GAME_PID"
wait_game_end 2
expect_file "$dir/marvo.ini" "$(printf '%s\n' '[MARVOSTEL]' 'HISCORE1=0' 'HISCORE2=-1' \
  'HISCORE3=-2' 'HISCORE4=-3' 'HISCORE5=-4' 'BGM=0' 'BGM_TYPE=1')"$'\n' killed-marvo.ini

# Ctrl+Plus doubles the window on this screen; then the display dies.
dir=$(game_dir lost)
start_game "$dir" lost
keys ctrl+plus
retry 100 eval '[[ $(xwininfo -id "$WINDOW" | sed -n "s/^ *Width: *//p") == 1078 ]]' ||
  fail "the window did not zoom"
kill "$XVFB_PID"
wait_game_end 10
note "without its display the game ended with status $GAME_STATUS"
expect_file "$dir/marvo.ini" \
  "$(settings_text 1 1 10000 5000 4000 3000 2000)"$'\n\n[Display]\nZoom=2\nFullScreen=0\n' lost-marvo.ini
[[ $(ls -A "$dir") == $'marvo.ini\nmarvostel' ]] || fail "files left beside the game: $(ls -A "$dir" | tr '\n' ' ')"
