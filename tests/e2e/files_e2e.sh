#!/usr/bin/env bash
# Files that are not what they seem in the real game's folder: pipes in place
# of a music track, the help file and the settings, and the translation linked
# to /dev/zero. The game comes up, shows its help window, starts a game (the
# waves are read then), exits as usual and leaves each of them as it was, with
# one line on stderr for each.
# Usage: files_e2e.sh GAME_BINARY ARTEFACT_DIR
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"
start_xvfb

odd=$(game_dir odd "$(dirname "$GAME")/bgm1.wav")
for name in bgm3.wav marvo.hlp marvo.ini; do mkfifo "$odd/$name"; done
ln -s /dev/zero "$odd/marvostel_en.qm"

LANG=en_US.UTF-8 start_game "$odd" odd
note "the title $((SHOT_MS - GAME_STARTED_MS)) ms after start-up"
keys alt+h
popup=$(new_window 5) || fail "the help menu did not open"
xdotool key h
help=$(new_window 5 "$popup") || fail "the help window did not open"
keys -w "$help" Escape
keys Return
ready_shown() { (($(count 00FF00 "${BANNER[@]}") > 3000)); }
poll 10 ready ready_shown
menu_exit
wait_game_end 5
((GAME_STATUS == 0)) || fail "the game ended with status $GAME_STATUS"

for name in bgm3.wav marvo.hlp marvo.ini; do
  [[ -p $odd/$name ]] || fail "$name is no longer a pipe"
done
[[ $(readlink "$odd/marvostel_en.qm") == /dev/zero ]] || fail "the translation's link changed"
log=$ART/game-odd.log
said() { grep -cF "$1" "$log" || true; }
(($(said "$odd/bgm3.wav not used: a pipe, not a regular file") == 1)) || fail "the track's line: $(cat "$log")"
(($(said "$odd/marvo.hlp not used: a pipe, not a regular file") == 1)) || fail "the help's line: $(cat "$log")"
(($(said "$odd/marvo.ini not used: a pipe, not a regular file") == 1)) || fail "the settings' line: $(cat "$log")"
(($(said "$odd/marvostel_en.qm could not be read (a device, not a regular file)") == 1)) ||
  fail "the translation's line: $(cat "$log")"
