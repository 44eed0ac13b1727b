#!/usr/bin/env bash
# A game played with real key presses is kept in replays/last.mvr; --replay
# shows it again in the window with REPLAY in a corner, and the field at GAME
# OVER is the same pixel for pixel; --verify re-runs it without a display and
# finds the score the hall of fame shows; a changed byte is never accepted;
# watching writes no file, and Escape ends it.
# Usage: replay_e2e.sh GAME_BINARY ARTEFACT_DIR
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"
start_xvfb

dir=$(game_dir replay)
settings_text 1 1 0 0 0 0 0 >"$dir/marvo.ini"
start_game "$dir"

banner_shown() { (($(count 00FF00 "${BANNER[@]}") > 3000)); }
goal_shown() { (($(count FF0000 408 3 25 336) > 300)); }
# The field without its top right corner, where REPLAY is laid over it.
field_parts=("0 18 446 324" "0 0 380 18")
# Watches a game to its end: the last shot with a banner (GAME OVER, the field
# as the game left it) is kept as NAME.
watch_to_end() {
  local name=$1 over=""
  while kill -0 "$GAME_PID" 2>/dev/null; do
    # The window goes once a replay has ended: a failed capture ends the watch.
    SHOT=$ART/$2.xwd
    xwd -silent -id "$WINDOW" -out "$SHOT" 2>/dev/null || break
    pix load "$SHOT" >/dev/null
    if banner_shown; then
      cp "$SHOT" "$ART/$name.xwd"
      over=yes
    elif [[ -n $over ]] && title_shown; then
      break
    fi
  done
  [[ -n $over ]] || fail "no banner seen before the game ended ($name)"
  pix load "$ART/$name.xwd" >/dev/null
}

xdotool windowfocus --sync "$WINDOW"
xdotool key Return
poll 10 ready banner_shown
poll 10 goal goal_shown
# A few turns at the player's own moments (the first before the head reaches
# the block at (113, 113)), then the head runs on to a wall.
for gap in 0.05 0.15 0.1 0.2; do
  sleep "$gap"
  xdotool key space
done
watch_to_end played-over playing
menu_exit
wait_game_end 20

replays=$dir/replays
[[ -s $replays/last.mvr && -s $replays/best.mvr ]] || fail "no last.mvr and best.mvr in $replays"
cmp -s "$replays/last.mvr" "$replays/best.mvr" || fail "the first game is not the best one"
cp "$replays/last.mvr" "$ART/last.mvr"
note "last.mvr: $(stat -c %s "$replays/last.mvr") bytes"
hiscore=$(sed -n 's/^HISCORE1=//p' "$dir/marvo.ini" | tr -d '\r')

# --verify: no display at all, the recorded scores, the hall of fame's.
status=0
env -u DISPLAY "$dir/marvostel" --verify "$replays/last.mvr" >"$ART/verify.out" 2>"$ART/verify.err" ||
  status=$?
((status == 0)) || fail "--verify exits $status: $(cat "$ART/verify.err")"
final=$(sed -n 's/^final: //p' "$ART/verify.out")
[[ $final == "$hiscore" ]] || fail "--verify finds $final, the hall of fame shows $hiscore"
note "--verify: final $final"

# One changed byte among the turns: never accepted.
seeds=$(od -An -tu1 -j13 -N1 "$replays/last.mvr" | tr -d ' ')
turn=$((14 + 4 * seeds + 2))
cp "$replays/last.mvr" "$WORK/tampered.mvr"
byte=$(od -An -tu1 -j$turn -N1 "$WORK/tampered.mvr" | tr -d ' ')
printf "$(printf '\\%03o' $(((byte + 1) % 256)))" |
  dd of="$WORK/tampered.mvr" bs=1 seek=$turn conv=notrunc status=none
status=0
"$dir/marvostel" --verify "$WORK/tampered.mvr" >/dev/null 2>"$ART/tampered.err" || status=$?
((status == 1 || status == 2)) || fail "a changed byte gives exit $status"
status=0
"$dir/marvostel" --replay "$WORK/tampered.mvr" 2>"$ART/tampered-replay.err" || status=$?
((status == 2)) && [[ -s $ART/tampered-replay.err ]] || fail "--replay of a damaged file exits $status"

# --replay: the same field at GAME OVER, REPLAY over a corner, no file written.
cp "$dir/marvo.ini" "$WORK/marvo.ini.before"
GAME_ARGS=(--replay "$replays/last.mvr")
start_game "$dir" watching
poll 10 marked eval '(($(count FFFF00 380 0 66 18) > 20))'
cp "$SHOT" "$ART/watching.xwd"
watch_to_end replay-over replaying
wait_game_end 20
((GAME_STATUS == 0)) || fail "--replay exits $GAME_STATUS"
for part in "${field_parts[@]}"; do
  # shellcheck disable=SC2086
  n=$(differ "$ART/played-over.xwd" "$ART/replay-over.xwd" $part)
  ((n == 0)) || fail "the field at GAME OVER differs in $n pixels ($part)"
done
cmp -s "$dir/marvo.ini" "$WORK/marvo.ini.before" || fail "watching changed marvo.ini"
cmp -s "$replays/last.mvr" "$ART/last.mvr" || fail "watching changed last.mvr"

# Escape ends a run at once, with exit 0.
start_game "$dir" stopped
poll 10 marked-again eval '(($(count FFFF00 380 0 66 18) > 20))'
keys Escape
wait_game_end 10
((GAME_STATUS == 0)) || fail "--replay stopped with Escape exits $GAME_STATUS"
cmp -s "$dir/marvo.ini" "$WORK/marvo.ini.before" || fail "a stopped replay changed marvo.ini"
