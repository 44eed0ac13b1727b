#!/usr/bin/env bash
# One game as the player sees it: Enter shows GET READY! over stage 1 for two
# seconds, the goal appears, the head runs down the diagonal leaving its white
# trail and, with no turn, crashes into the blue block at (113, 113): the
# burst and GAME OVER, then the title about three seconds later.
# Usage: game_e2e.sh GAME_BINARY ARTEFACT_DIR
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"
start_xvfb

dir=$(game_dir game)
start_game "$dir"
shot title
[[ $(glyphs 00FFFF 456 32 73 25) == ABAAAA ]] || fail "the score read-out does not read 010000"
crop title-score 456 32 73 25

# The goal's column and the banner's colours.
goal_column=(408 3 25 336)
banner_green() { count 00FF00 "${BANNER[@]}"; }
ready_shown() { (($(banner_green) > 3000)); }
goal_shown() { (($(count FF0000 "${goal_column[@]}") > 300)); }
# Not GET READY! any more: at most part of its letters left.
ready_gone() { (($(kept 00FF00 "${BANNER[@]}" "$ART/ready.xwd") * 10 < ready_green * 6)); }
# Another banner: green letters, but less than half of GET READY!'s in place.
other_banner() { ready_shown && ready_gone; }

# The virtual-clock tests pin every pause; here the order of what the player
# sees counts, with bounds that hold on a busy machine.
xdotool windowfocus --sync "$WINDOW"
enter=$(now_ms)
xdotool key Return

# GET READY! over stage 1, no goal yet, the read-outs set.
poll 10 ready ready_shown
ready_green=$(banner_green)
note "GET READY! at $((SHOT_MS - enter)) ms: $ready_green green pixels"
(($(count FF0000 "${BANNER[@]}") > 1000)) || fail "the banner has no red first letters"
goal_shown && fail "the goal is on the field during GET READY!"
[[ $(px 220 240) == 0000FF && $(px 120 80) == 0000FF ]] || fail "no blue block of stage 1"
[[ $(px 108 76) == 000000 ]] || fail "the block's corner is not rounded"
(($(count FFFF00 343 158 18 17) > 30)) || fail "no yellow star at (343, 158)"
[[ $(px 2 100) == FFFFFF && $(px 443 200) == FFFFFF ]] || fail "no field border"
[[ $(glyphs 00FFFF 456 88 73 25) == A ]] || fail "the stage read-out does not show one glyph"
[[ $(glyphs 00FFFF 456 144 73 25) == ABA ]] || fail "the turn read-out does not read 050"
[[ $(glyphs 00FFFF 456 32 73 25) == AAAAAA ]] || fail "the score read-out does not read 000000"
(($(differ "$ART/title.xwd" "$SHOT" 456 32 73 25) > 0)) || fail "the score read-out did not change"

# P holds the game where it stands, with PAUSE in green over the middle of the
# field (below the banner): a second later the field is the same, GET READY!
# still there long after its two seconds; P again and the game goes on.
pause_shown() { (($(count 00FF00 150 176 150 14) > 200)); }
xdotool key p
poll 10 paused pause_shown
paused=$SHOT_MS
sleep 1
shot paused-later
(($(differ "$ART/paused.xwd" "$SHOT" 0 0 447 342) == 0)) || fail "the field changed while paused"
ready_shown || fail "GET READY! went while paused"
goal_shown && fail "the goal came while paused"
note "paused $((SHOT_MS - paused)) ms, $((SHOT_MS - enter)) ms after Enter"
xdotool key p
pause_gone() { ! pause_shown; }
poll 10 resumed pause_gone
resumed=$SHOT_MS

# The goal appears as the banner goes, two seconds of the game's time after Enter.
poll 10 goal goal_shown
goal=$SHOT_MS
note "goal at $((goal - enter)) ms"
((goal - enter >= 2500)) || fail "the goal appeared $((goal - enter)) ms after Enter, before GET READY! and the pause ended"
ready_gone || fail "GET READY! is still there with the goal"
(($(count 00FFFF 456 144 73 25) > 0)) || fail "the turn read-out went blank during play"
# No turn: the head runs into the block at (113, 113) a few tenths later.
poll 10 crash other_banner
crash=$SHOT_MS
note "GAME OVER at $((crash - enter)) ms"
# The trail is a dot every 3 pixels, where the head stood on each tick.
for p in 5 20 50 80 95; do
  [[ $(px $p $p) == FFFFFF ]] || fail "no trail at ($p, $p)"
done
[[ $(px 158 158) == 0000FF ]] || fail "the trail went on into the block"
# The burst: five white rings around (113, 113), seen above the banner.
for r in 5 10 15 20 25; do
  (($(count FFFFFF 112 $((112 - r)) 3 3) > 0)) || fail "no burst ring of radius $r round (113, 113)"
done
[[ $(px 113 101) != FFFFFF ]] || fail "the burst is not a set of rings"
goal_shown || fail "the goal vanished at the crash"

# GAME OVER for three seconds, then the title with the best score.
poll 15 back title_shown
back=$SHOT_MS
note "title back $((back - crash)) ms after the crash"
((back - crash >= 1500)) || fail "the title came back $((back - crash)) ms after the crash, not after a pause"
(($(count 00FFFF 456 88 73 25) == 0)) || fail "the stage read-out is not empty"
(($(count 00FFFF 456 144 73 25) == 0)) || fail "the turn read-out is not empty"
crop back-score 456 32 73 25
(($(differ_crops title-score back-score) == 0)) || fail "the score read-out does not show the best score"
goal_shown && fail "the goal is still on the title"

# A second game, stopped whole (SIGSTOP, as Ctrl+Z does) in GET READY! for
# longer than the banner lasts: once it goes on, the banner keeps the rest of
# its two seconds. The game stands still for every look, so a slow shot takes
# none of the banner's time.
xdotool key Return
deadline=$(($(now_ms) + 10000))
while :; do
  kill -STOP "$GAME_PID"
  shot stopped
  ready_shown && break
  kill -CONT "$GAME_PID"
  (($(now_ms) < deadline)) || fail "no look saw the second GET READY!"
  sleep 0.02
done
sleep 2.5
kill -CONT "$GAME_PID"
sleep 0.3
kill -STOP "$GAME_PID"
shot went-on
kill -CONT "$GAME_PID"
ready_shown || fail "GET READY! ended as soon as the stopped game went on"

menu_exit
wait_game_end 5
((GAME_STATUS == 0)) || fail "the program ended with status $GAME_STATUS"
expect_file "$dir/marvo.ini" "$(settings_text 1 1 10000 5000 4000 3000 2000)"$'\n'
