#!/usr/bin/env bash
# The real game on a virtual X display: the window opens with its client area
# under the menu bar, a real F2 starts a run through the start command, and the
# exit command ends the program. Screenshots stay in the artefact directory.
# Usage: window_e2e.sh GAME_BINARY ARTEFACT_DIR
set -euo pipefail

game=$1
artefacts=$2
convert=/usr/bin/convert
import=/usr/bin/import

for tool in Xvfb xdotool xwininfo "$convert" "$import"; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed (scripts/install-deps installs it)"
    exit 77
  fi
done

rm -rf "$artefacts"
mkdir -p "$artefacts"
work=$(mktemp -d)
xvfb_pid=""
game_pid=""

cleanup() {
  local status=$?
  set +e  # every step runs, whatever failed before it
  for pid in $game_pid $xvfb_pid; do kill "$pid" 2>/dev/null; done
  for pid in $game_pid $xvfb_pid; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
  done
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Our own display: Xvfb picks a free number and tells it when it is ready.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" \
  2>"$artefacts/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [[ -s $work/display ]] && break
  kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start"
  sleep 0.1
done
[[ -s $work/display ]] || fail "Xvfb gave no display number"
export DISPLAY=":$(head -1 "$work/display")"

unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
mkdir -p -m 0700 "$XDG_RUNTIME_DIR"

"$game" >"$artefacts/game.log" 2>&1 &
game_pid=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --class marvostel | head -1) ||
  fail "the window did not appear"
[[ -n $window ]] || fail "the window did not appear"
info=$(xwininfo -id "$window")
echo "$info" >"$artefacts/xwininfo.txt"
field() { echo "$info" | sed -n "s/^ *$1: *//p"; }
x=$(field "Absolute upper-left X")
y=$(field "Absolute upper-left Y")
width=$(field Width)
height=$(field Height)
menu=$((height - 372))
echo "window ${width}x${height} at $x,$y; menu bar $menu px"
[[ $width -eq 539 ]] || fail "window width $width, not 539"
((menu >= 10 && menu <= 60)) || fail "no room for a menu bar above a 372-pixel client area ($height)"

# Screen colour at a point of the client area, as RRGGBB.
pixel() { "$convert" "$1" -format "%[hex:p{$((x + $2)),$((y + menu + $3))}]" info:; }
# The distinct colours inside a rectangle of the client area.
colours() {
  "$convert" "$1" -crop "$4x$5+$((x + $2))+$((y + menu + $3))" +repage -unique-colors txt:-
}
shot() {
  "$import" -window root "$artefacts/$1.png"
  "$convert" "$artefacts/$1.png" -crop "${width}x${height}+$x+$y" +repage "$artefacts/$1-window.png"
}

xdotool windowfocus --sync "$window"
shot title
[[ $(pixel "$artefacts/title.png" 2 2) == FFFFFF ]] || fail "no field border at (2, 2)"
colours "$artefacts/title.png" 29 44 390 78 | grep -q '#FF0000' || fail "no red title on the field"
[[ $(pixel "$artefacts/title.png" 10 200) == 000000 ]] || fail "the field's floor is not black"
[[ $(pixel "$artefacts/title.png" 449 100) == FFFFFF ]] || fail "no read-out frame at (449, 100)"
colours "$artefacts/title.png" 456 32 73 25 | grep -q '#00FFFF' || fail "no cyan score read-out"
colours "$artefacts/title.png" 456 8 73 25 | grep -q '#FFFFFF' || fail "no white SCORE caption"

# The menus as the player sees them.
xdotool key alt+g
sleep 0.5
shot menu-game
xdotool key Escape
sleep 0.2
xdotool key alt+s Right
sleep 0.5
shot menu-settings
xdotool key Escape Escape
sleep 0.2
xdotool key alt+h
sleep 0.5
shot menu-help
xdotool key Escape
sleep 0.3

# F2 is the start command's shortcut: the interim start sends the head down
# the diagonal, so its trail appears on the field.
xdotool windowfocus --sync "$window"
xdotool key F2
started=""
for _ in $(seq 40); do
  sleep 0.25
  shot after-f2
  if [[ $(pixel "$artefacts/after-f2.png" 338 338) == FFFFFF ]]; then
    started=yes
    break
  fi
done
[[ -n $started ]] || fail "F2 did not start a run"
for p in 5 50 200; do
  [[ $(pixel "$artefacts/after-f2.png" $p $p) == FFFFFF ]] || fail "no trail at ($p, $p)"
done

# The exit command ends the program.
xdotool windowfocus --sync "$window"
xdotool key alt+g
sleep 0.3
xdotool key x
for _ in $(seq 50); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$game_pid" 2>/dev/null && fail "the exit command did not end the program"
wait "$game_pid" || fail "the program ended with status $?"
game_pid=""
echo "PASS"
