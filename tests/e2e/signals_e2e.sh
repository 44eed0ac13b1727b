#!/usr/bin/env bash
# The game closed in each of its states, by a signal (as a logout or a kill
# ends it) or by the exit command: it ends within two seconds with status 0
# and leaves a whole settings file, the foreign section kept, no stray file.
# Usage: signals_e2e.sh GAME_BINARY ARTEFACT_DIR
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"
start_xvfb

# Written differently from how the game writes it, so that a file left
# untouched shows: music asked for without its files, a track out of range,
# scores with leading zeros.
prepared=$(printf '%s\n' '[Cabinet]' 'coins=3' '[MARVOSTEL]' 'BGM=0' 'BGM_TYPE=7' \
  'HISCORE1=0500' 'HISCORE2=0400' 'HISCORE3=0300' 'HISCORE4=0200' 'HISCORE5=0100')
expected=$(printf '%s\n' '[Cabinet]' 'coins=3' '[MARVOSTEL]' 'BGM=1' 'BGM_TYPE=1' \
  'HISCORE1=500' 'HISCORE2=400' 'HISCORE3=300' 'HISCORE4=200' 'HISCORE5=100')$'\n'

ready() { (($(count 00FF00 "${BANNER[@]}") > 3000)); }
game_over() {
  (($(count 00FF00 "${BANNER[@]}") > 3000)) &&
    (($(kept 00FF00 "${BANNER[@]}" "$ART/$case-ready.xwd") * 10 < ready_green * 6))
}

# Puts a fresh game in STATE: title, ready (GET READY!), play, over (the
# game-over pause) or about (the About window open).
reach() {
  case $1 in
    title) shot "$case-state" ;;
    ready)
      keys Return
      poll 10 "$case-state" ready
      ;;
    play)
      # The head runs from 2 s after Enter until it meets the block a few
      # tenths later. The game is stopped (SIGSTOP) for each look, so that it
      # moves on by a tick or two between looks and no look misses play: no
      # banner, the goal shown, the trail longer than at the look before. The
      # game is left stopped; the close continues it.
      keys Return
      poll 10 "$case-ready" ready
      local before=-1 trail deadline=$(($(now_ms) + 10000))
      while :; do
        kill -STOP "$GAME_PID"
        shot "$case-state"
        if (($(count 00FF00 "${BANNER[@]}") < 1000 && $(count FF0000 408 3 25 336) > 300)); then
          trail=$(count FFFFFF 3 3 105 105)
          ((before >= 0 && trail > before)) && break
          before=$trail
        fi
        kill -CONT "$GAME_PID"
        (($(now_ms) < deadline)) || fail "$case: no look saw the head running"
        sleep 0.02
      done
      ;;
    over)
      keys Return
      poll 10 "$case-ready" ready
      ready_green=$(count 00FF00 "${BANNER[@]}")
      poll 10 "$case-state" game_over
      ;;
    about)
      open_menu h
      xdotool key a
      find_window 313 200 5 >/dev/null || fail "$case: the About window did not open"
      shot_root "$case-state"
      ;;
  esac
}

# One case: a fresh game in STATE, closed by HOW (TERM, INT, HUP or menu).
close_in() {
  local state=$1 how=$2
  case=$state-$how
  local dir
  dir=$(game_dir "$case")
  printf '%s\n' "$prepared" >"$dir/marvo.ini"
  start_game "$dir" "$case"
  reach "$state"
  local sent
  sent=$(now_ms)
  if [[ $how == menu ]]; then
    kill -CONT "$GAME_PID"
    menu_exit
  else
    kill -s "$how" "$GAME_PID"
    kill -CONT "$GAME_PID" # a game stopped for a look takes the signal as it goes on
  fi
  wait_game_end 2
  note "$case: ended after $(($(now_ms) - sent)) ms with status $GAME_STATUS"
  ((GAME_STATUS == 0)) || fail "$case: the game ended with status $GAME_STATUS"
  expect_file "$dir/marvo.ini" "$expected" "$case-marvo.ini"
  # A finished game's replay folder may be there; nothing else.
  [[ $(ls -A "$dir" | grep -vx replays) == $'marvo.ini\nmarvostel' ]] ||
    fail "$case: files left beside the game: $(ls -A "$dir" | tr '\n' ' ')"
}

# Each signal once at least, each state once at least; the game-over pause,
# the longest to reach, twice.
close_in title INT
close_in title HUP
close_in title menu
close_in ready TERM
close_in play TERM
close_in over TERM
close_in over menu
close_in about TERM
