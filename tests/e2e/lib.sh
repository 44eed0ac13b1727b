# Shared steps of the end-to-end scripts: a private virtual display, the game
# run from a folder of its own, screenshots of its window and checks on their
# pixels, bounded polls, and a cleanup that runs on every way out.
#
# A shot is one X window dump (xwd), kept among the artefacts as NAME.xwd
# (`convert NAME.xwd NAME.png` to look at it). Its pixels are read by one
# process for the whole script (pixels.pl, fed through a pipe), so a poll costs
# one capture however many pixels its check reads: on a busy machine a check
# then still sees the screen within the moment it looks for.
#
# A script sources this file, then calls
#   e2e_begin GAME_BINARY ARTEFACT_DIR   (exits 77 when a tool is missing)
#   start_xvfb
# and uses the functions below. Field coordinates are those of the client
# area under the menu bar; the field itself starts at client (0, 0).
set -euo pipefail

E2E_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$E2E_LIB_DIR/../../scripts/xvfb.sh"
# The field's layout as the game has it: a constant of ui/field_layout.h.
field_layout() {
  local value
  value=$(sed -n "s/^inline constexpr int $1 = \([0-9]*\);$/\1/p" "$E2E_LIB_DIR/../../ui/field_layout.h")
  [[ -n $value ]] || { echo "no $1 in ui/field_layout.h" >&2; exit 1; }
  echo "$value"
}
# Where the banners lie over the field: x, y, width, height.
BANNER=("$(field_layout kBannerX)" "$(field_layout kBannerY)" "$(field_layout kBannerWidth)"
  "$(field_layout kBannerHeight)")
# For image work beyond reading pixels (scaling, say); it reads the .xwd shots.
CONVERT=/usr/bin/convert

GAME=""          # the binary under test
ART=""           # artefact directory
WORK=""          # scratch folder, removed at the end
XVFB_PID=""
GAME_PID=""      # the running game, if any
GAME_DIR=""      # the folder it runs from
WINDOW=""        # its main window
WX=0 WY=0 WW=0 WH=0 MENU=0  # the main window's place, size and menu bar
PIXEL_READER=""  # the pixel reader's process (bash forgets PIX_PID once it ends)
SHOT=""          # the newest window shot
SHOT_MS=0        # when it was taken (ms, taken just before the capture)
GAME_STARTED_MS=0 # when the game was launched (ms)
GAME_ARGS=()     # the command line start_game gives the game

E2E_FAILED=""
E2E_ERROR=""
fail() {
  E2E_FAILED=yes
  echo "FAIL: $*" >&2
  exit 1
}

note() { echo "$(date +%T.%3N) $*"; }

now_ms() { date +%s%3N; }

e2e_begin() {
  GAME=$1
  ART=$2
  local tool
  for tool in Xvfb xdotool xwininfo xwd perl; do
    if ! command -v "$tool" >/dev/null; then
      echo "skipped: $tool is not installed (scripts/install-deps installs it)"
      exit 77
    fi
  done
  [[ -x $GAME ]] || fail "no game binary at $GAME"
  rm -rf "$ART"
  mkdir -p "$ART"
  WORK=$(mktemp -d)
  trap e2e_cleanup EXIT
  # A step that fails outside a check is named at the end.
  trap 'E2E_ERROR="line $LINENO: $BASH_COMMAND"' ERR
  trap 'exit 1' INT TERM HUP
  coproc PIX { exec perl "$E2E_LIB_DIR/pixels.pl"; }
  PIXEL_READER=$PIX_PID
}

e2e_cleanup() {
  local status=$?
  set +e # every step runs, whatever failed before it
  local pid
  for pid in $GAME_PID $XVFB_PID $PIXEL_READER; do kill "$pid" 2>/dev/null; kill -CONT "$pid" 2>/dev/null; done
  for pid in $GAME_PID $XVFB_PID $PIXEL_READER; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
  done
  [[ -n $WORK ]] && rm -rf "$WORK"
  if ((status == 0)); then echo "PASS"; elif ((status != 77)); then
    # The last shot, for the eye.
    [[ -f $SHOT ]] && command -v convert >/dev/null && convert "$SHOT" "${SHOT%.xwd}.png"
    [[ -n $E2E_FAILED ]] || echo "FAIL: a step failed (status $status) at ${E2E_ERROR:-an unknown line}" >&2
    echo "(artefacts: $ART)"
  fi
  exit "$status"
}

# Our own display (scripts/xvfb.sh), and the game's platform on it.
# `start_xvfb WxH` gives a screen of another size than 1024 x 768.
start_xvfb() {
  xvfb_up "$WORK" "$ART/xvfb.log" "${1:-1024x768}" || fail "$XVFB_ERROR"
  export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
  export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
  mkdir -p -m 0700 "$XDG_RUNTIME_DIR"
}

# A private folder NAME holding a copy of the game and the given files; the
# game reads and writes its files beside the executable, so each run starts
# from exactly what the folder holds. Prints the folder.
game_dir() {
  local dir=$WORK/$1
  shift
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$GAME" "$dir/marvostel"
  [[ $# -eq 0 ]] || cp "$@" "$dir/"
  echo "$dir"
}

# Starts DIR/marvostel (or the binary under test itself when DIR is empty),
# waits for its main window and for the title on its field.
start_game() {
  GAME_DIR=$1
  local log=$ART/game${2:+-$2}.log binary=${1:+$1/marvostel}
  binary=${binary:-$GAME}
  GAME_STARTED_MS=$(now_ms)
  "$binary" "${GAME_ARGS[@]}" >"$log" 2>&1 &
  GAME_PID=$!
  WINDOW=""
  local deadline=$(($(now_ms) + 20000)) w
  while (($(now_ms) < deadline)); do
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended at start-up (log: $log)"
    for w in $(xdotool search --all --onlyvisible --pid "$GAME_PID" --class marvostel 2>/dev/null); do
      if xwininfo -id "$w" | grep -q 'Width: 539$'; then
        WINDOW=$w
        break 2
      fi
    done
    sleep 0.1
  done
  [[ -n $WINDOW ]] || fail "the main window did not appear"
  local info
  info=$(xwininfo -id "$WINDOW")
  echo "$info" >"$ART/xwininfo.txt"
  WX=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
  WY=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
  WW=$(sed -n 's/^ *Width: *//p' <<<"$info")
  WH=$(sed -n 's/^ *Height: *//p' <<<"$info")
  MENU=$((WH - 372))
  ((MENU >= 10 && MENU <= 60)) || fail "no room for a menu bar above a 372-pixel client area ($WH)"
  # A game started to show a replay goes from the title straight into it.
  ((${#GAME_ARGS[@]} > 0)) || poll 10 start title_shown
}

# One request to the pixel reader; prints its answer.
pix() {
  local answer
  printf '%s\n' "$*" >&"${PIX[1]}"
  IFS= read -r answer <&"${PIX[0]}" || fail "the pixel reader ended"
  [[ $answer != ERR* ]] || fail "pixel reader: ${answer#ERR }"
  echo "$answer"
}

# Shots. `shot NAME` keeps the main window as NAME.xwd; `shot_root NAME` the
# whole screen (menus and the game's other windows lie outside the window);
# `shot_window W NAME` window W in its own coordinates.
shot() {
  SHOT_MS=$(now_ms)
  SHOT=$ART/$1.xwd
  xwd -silent -id "$WINDOW" -out "$SHOT"
  pix load "$SHOT" >/dev/null
}
shot_root() { xwd -silent -root -out "$ART/$1.xwd"; }
shot_window() {
  SHOT_MS=$(now_ms)
  xwd -silent -id "$1" -out "$ART/$2.xwd"
  pix load "$ART/$2.xwd" >/dev/null
}

# Client coordinates lie MENU pixels below the window's own; a check on a
# window without a menu bar sets MENU=0.

# Colour of a client point as RRGGBB, in the newest shot or in FILE.
px() { pix px "${3:-$SHOT}" "$1" $((MENU + $2)); }

# How many pixels of a client rectangle X Y W H have exactly colour RRGGBB.
count() { pix count "${6:-$SHOT}" "$1" "$2" $((MENU + $3)) "$4" "$5"; }

# How many pixels of a client rectangle X Y W H differ between two shots.
differ() { pix differ "$1" "$2" "$3" $((MENU + $4)) "$5" "$6"; }

# Saves a client rectangle X Y W H of the newest shot (or of FILE) as NAME.ppm,
# for the eye and for later comparisons with `differ_crops`.
crop() { pix crop "${6:-$SHOT}" "$ART/$1.ppm" "$2" $((MENU + $3)) "$4" "$5" >/dev/null; }
differ_crops() { pix differ "$(crop_file "$1")" "$(crop_file "$2")" 0 0 100000 100000; }
# The crop NAME as the pixel reader takes it: NAME.ppm, made afresh from
# NAME.png when a script cut that with ImageMagick.
crop_file() {
  local ppm=$ART/$1.ppm png=$ART/$1.png
  if [[ -f $png && (! -f $ppm || $png -nt $ppm) ]]; then
    "$CONVERT" "$png" -depth 8 "$ppm"
    pix load "$ppm" >/dev/null
  fi
  echo "$ppm"
}

# poll SECONDS NAME CHECK [ARGS...]: shoots the window as NAME.png until CHECK
# succeeds on the shot; fails after SECONDS. CHECK sees the shot as $SHOT.
poll() {
  local seconds=$1 name=$2
  shift 2
  local deadline=$(($(now_ms) + seconds * 1000))
  while :; do
    shot "$name"
    "$@" && return 0
    (($(now_ms) < deadline)) || fail "timed out after ${seconds}s waiting for: $* (see $SHOT)"
    sleep 0.05
  done
}

# retry TIMES CHECK [ARGS...]: runs CHECK up to TIMES times, 50 ms apart, until
# it succeeds; fails (returns 1) when it never does.
retry() {
  local times=$1 i
  shift
  for ((i = 0; i < times; i++)); do
    "$@" && return 0
    sleep 0.05
  done
  return 1
}

# Checks on the field, for poll and for plain use.
title_shown() {
  # The red title letters and the white border: picture 110 as loaded.
  [[ $(px 2 2) == FFFFFF && $(px 443 340) == FFFFFF ]] &&
    (($(count FF0000 29 44 390 78) > 10000))
}
title_dimmed() {
  # Picture 110 AND picture 111: the big letters become a checkerboard, about
  # half of their red left, and the border stays.
  local red
  red=$(count FF0000 29 44 390 78)
  [[ $(px 2 2) == FFFFFF ]] && ((red > 3000 && red < 10000))
}

# Keys to the main window (or to window W given with -w W).
keys() {
  local target=$WINDOW
  if [[ $1 == -w ]]; then
    target=$2
    shift 2
  fi
  xdotool windowfocus --sync "$target"
  xdotool key "$@"
}

# A newly visible window of the game other than the ones named: a menu, the
# About window, the help window. Prints its id; fails after SECONDS.
new_window() {
  local seconds=$1
  shift
  local deadline=$(($(now_ms) + seconds * 1000)) w known
  while (($(now_ms) < deadline)); do
    for w in $(xdotool search --all --onlyvisible --pid "$GAME_PID" --class marvostel 2>/dev/null); do
      known=""
      for k in "$WINDOW" "$@"; do [[ $w == "$k" ]] && known=yes; done
      [[ -n $known ]] || {
        echo "$w"
        return 0
      }
    done
    sleep 0.05
  done
  return 1
}

# Opens the top menu with access key LETTER and waits for it to show.
open_menu() {
  keys "alt+$1"
  new_window 5 >/dev/null || fail "the menu alt+$1 did not open"
}

# The exit command: menu Game, item Exit.
menu_exit() {
  open_menu g
  xdotool key x
}

# Waits up to SECONDS for the game to end; sets GAME_STATUS. Fails when it
# is still running then.
wait_game_end() {
  local seconds=$1 deadline
  deadline=$(($(now_ms) + seconds * 1000))
  while kill -0 "$GAME_PID" 2>/dev/null; do
    (($(now_ms) < deadline)) || fail "the game still runs ${seconds}s later"
    sleep 0.02
  done
  GAME_STATUS=0
  wait "$GAME_PID" || GAME_STATUS=$?
  GAME_PID=""
}

# The settings file as the game writes it: seven keys in order in section
# [MARVOSTEL], after whatever else the file held (given as TEXT before it).
settings_text() {
  printf '[MARVOSTEL]\nBGM=%s\nBGM_TYPE=%s\nHISCORE1=%s\nHISCORE2=%s\nHISCORE3=%s\nHISCORE4=%s\nHISCORE5=%s\n' "$@"
}

# Fails unless FILE holds exactly TEXT; keeps the file among the artefacts.
expect_file() {
  local file=$1 text=$2 name=${3:-$(basename "$1")}
  [[ -f $file ]] || fail "no file $file"
  cp "$file" "$ART/$name"
  printf '%s' "$text" >"$ART/$name.expected"
  cmp -s "$file" "$ART/$name.expected" ||
    fail "$file differs from what was expected: $(diff "$ART/$name.expected" "$file" | tr '\n' ' ')"
}

# How many pixels of colour RRGGBB in rectangle X Y W H of shot REF still have
# that colour in the newest shot.
kept() { pix kept "$SHOT" "$6" "$1" "$2" $((MENU + $3)) "$4" "$5"; }

# The shape of a line of text in colour RRGGBB inside a client rectangle, read
# without OCR: each glyph (a run of columns holding the colour) gets a letter,
# the same letter for the same pixels. "010000" reads ABAAAA, "050" ABA.
glyphs() { pix glyphs "${6:-$SHOT}" "$1" "$2" $((MENU + $3)) "$4" "$5"; }

# A visible window of the game, W x H pixels, other than the main window.
# Prints its id; fails after SECONDS.
find_window() {
  local w=$1 h=$2 seconds=$3 deadline id
  deadline=$(($(now_ms) + seconds * 1000))
  while (($(now_ms) < deadline)); do
    for id in $(xdotool search --all --onlyvisible --pid "$GAME_PID" --class marvostel 2>/dev/null); do
      [[ $id == "$WINDOW" ]] && continue
      if xwininfo -id "$id" | grep -q "Width: $w\$" && xwininfo -id "$id" | grep -q "Height: $h\$"; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.05
  done
  return 1
}
# Whether the game shows window ID now.
window_shown() { xdotool search --all --onlyvisible --pid "$GAME_PID" --class marvostel 2>/dev/null | grep -qx "$1"; }
