#!/usr/bin/env bash
# A tour of the game in one run, a screenshot at each step: the title, the
# demo with the hall of fame and the first link, a game with turns that ends
# against an edge, the hall of fame taking the new score, the About window's
# staff roll, the help file, and the exit that saves the hall of fame.
# Usage: tour_e2e.sh GAME_BINARY ARTEFACT_DIR
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"
start_xvfb

# A fifth entry below zero, so that even a game without points enters it.
# The help file lies beside the binary in the build tree.
dir=$(game_dir tour "$(dirname "$GAME")/marvo.hlp")
settings_text 0 1 500 400 300 200 -100 >"$dir/marvo.ini"
start_game "$dir"

shot 01-title
title_shown || fail "no title"
[[ $(glyphs 00FFFF 456 32 73 25) == AAABAA ]] || fail "the best score does not read 000500"
crop strip-title 8 350 521 15

# The first demo tick: the title dimmed, the hall of fame, link caption 1.
poll 14 02-demo title_dimmed
note "demo $((SHOT_MS - GAME_STARTED_MS)) ms after start-up"
[[ $(px 2 2) == FFFFFF && $(px 443 340) == FFFFFF ]] || fail "no field border in the demo"
(($(count 00FFFF 8 80 433 41) > 300)) || fail "no HALL OF FAME"
[[ $(glyphs C0C0C0 8 224 433 25) == ABCDEFFFGFF ]] || fail "entry 5 does not read No5 : -000100"
crop strip-demo 8 350 521 15
crop no5-before 8 224 433 25
(($(differ_crops strip-title strip-demo) > 100)) || fail "the strip did not change to a link"

# A game: GET READY!, then Space every 50 ms from just before the head sets
# off (presses during the banner do nothing): the head zigzags off the
# corner and soon runs into the edge.
banner=(39 100 367 70)
ready() { (($(count 00FF00 "${banner[@]}") > 3000)); }
goal_shown() { (($(count FF0000 408 3 25 336) > 300)); }
keys Return
enter=$(now_ms)
poll 4 03-get-ready ready
ready_green=$(count 00FF00 "${banner[@]}")
goal_shown && fail "the goal is there during GET READY!"
(($(count 0000FF 113 73 223 186) > 20000)) || fail "no blue block of stage 1 under GET READY!"
[[ $(px 2 2) == FFFFFF ]] || fail "no field border under GET READY!"
while (($(now_ms) < enter + 1900)); do sleep 0.02; done
xdotool key --delay 50 space space space space space space space space
game_over() {
  (($(count 00FF00 "${banner[@]}") > 3000)) &&
    (($(kept 00FF00 "${banner[@]}" "$ART/03-get-ready.png") * 10 < ready_green * 6))
}
poll 4 04-game-over game_over
# Turned: the turn read-out counts down from 050, the head never came near
# the block down the diagonal, and the burst lies by the corner it left.
turns=$(glyphs 00FFFF 456 144 73 25)
[[ $turns != ABA && ${#turns} -eq 3 ]] || fail "the turn read-out did not count down from 050"
[[ $(px 98 98) != FFFFFF ]] || fail "the head ran on down the diagonal"
(($(count FFFFFF 0 0 60 60) > $(count FFFFFF 0 0 60 60 "$ART/03-get-ready.png") + 40)) ||
  fail "no burst near the corner"
goal_shown || fail "no goal"

# Back to the title; ten seconds later the demo shows the fifth entry taken
# by the score of 0.
poll 7 05-title-again title_shown
[[ $(glyphs 00FFFF 456 32 73 25) == AAABAA ]] || fail "the best score does not read 000500 again"
poll 14 06-demo-again title_dimmed
[[ $(glyphs C0C0C0 8 224 433 25) == ABCDEEEEEE ]] || fail "entry 5 does not read No5 : 000000"
crop no5-after 8 224 433 25
(($(differ_crops no5-before no5-after) > 0)) || fail "the fifth entry did not change"
[[ $(glyphs C0C0C0 8 200 433 25) == ABCDEEEFEE ]] || fail "entry 4 does not read No4 : 000200"

# The About window and its staff roll, closed with a click on OK.
open_menu h
xdotool key a
about=$(find_window 313 200 5) || fail "the About window did not open"
shot_window "$about" 08-about
xdotool mousemove --window "$about" 24 24 click 1
credit=(-crop 297x89+8+64 +repage)
"$CONVERT" "$ART/08-about.png" "${credit[@]}" "$ART/credit-0.png"
moving=""
for i in $(seq 40); do
  shot_window "$about" 09-about-rolling
  "$CONVERT" "$ART/09-about-rolling.png" "${credit[@]}" "$ART/credit-1.png"
  (($(differ_crops credit-0 credit-1) > 200)) && moving=yes && break
  sleep 0.05
done
[[ -n $moving ]] || fail "the staff roll did not move"
xdotool mousemove --window "$about" 280 180 click 1
for _ in $(seq 50); do window_shown "$about" || break; sleep 0.05; done
window_shown "$about" && fail "OK did not close the About window"

# The help file beside the game, shown as a page of text.
open_menu h
xdotool key h
help=$(find_window 600 640 5) || fail "the help window did not open"
text_below() { (($(count FFFFFF 0 300 600 300 "$ART/10-help.png") < 600 * 300 - 2000)); }
shown=""
for _ in $(seq 40); do
  shot_window "$help" 10-help
  MENU=0 text_below && shown=yes && break
  sleep 0.05
done
[[ -n $shown ]] || fail "the help window shows no page of text"

menu_exit
wait_game_end 5
((GAME_STATUS == 0)) || fail "the program ended with status $GAME_STATUS"
expect_file "$dir/marvo.ini" "$(settings_text 1 1 500 400 300 200 0)"$'\n'
