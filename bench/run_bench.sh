#!/usr/bin/env bash
# Every benchmark, one "BENCH <name> <value>" line per figure:
#   loop.*        the tick loops on Qt's offscreen platform
#   title.*, play.*, input.*   the real main window offscreen, at the title and
#                 in play; play.cpu_ratio is play.cpu_pct over loop.spin.cpu_pct
#   loop.xcb.*    the same on a real X connection to our own Xvfb
#   startup.*, memory.*   the real game, and a bare Qt window, started on that Xvfb
#   sim.*         a whole game played by the autoplayer on the virtual clock
#   save.*        the save at a game's end, on its own (median and slowest of 200)
#   replay.*      that game kept as a replay, and --verify over it
# Without Xvfb the X figures are left out and the game starts offscreen.
# Usage: run_bench.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/../scripts/xvfb.sh"

build=${1:-build}
loop_bench=$build/bench/marvo_bench
play_bench=$build/bench/marvo_play_bench
# Preloaded into the game the start-up benchmark starts: it reports the first
# painted field, so the game needs no measuring code of its own.
paint_probe=$(realpath "$build/bench/libmarvo_paint_probe.so")
sim_bench=$build/bench/marvo_sim_bench
verify_bench=$build/bench/marvo_verify_bench
startup_bench=$build/bench/marvo_startup_bench
bare_qt=$build/bench/marvo_bare_qt_window
game=$build/marvostel

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
mkdir -p -m 0700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY

"$sim_bench"
"$verify_bench" "$game"
offscreen=$(QT_QPA_PLATFORM=offscreen "$loop_bench"; QT_QPA_PLATFORM=offscreen "$play_bench")
echo "$offscreen"
awk '$2 == "loop.spin.cpu_pct" { spin = $3 } $2 == "play.cpu_pct" { play = $3 }
  END { if (spin > 0) printf "BENCH play.cpu_ratio %.4f\n", play / spin }' <<<"$offscreen"

if ! command -v Xvfb >/dev/null; then
  echo "run_bench: Xvfb is not installed; the game starts offscreen" >&2
  QT_QPA_PLATFORM=offscreen LD_PRELOAD=$paint_probe "$startup_bench" "$game" "$bare_qt"
  exit 0
fi

work=$(mktemp -d)
XVFB_PID=""
cleanup() {
  if [[ -n $XVFB_PID ]]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# Our own display (scripts/xvfb.sh).
if ! xvfb_up "$work" "$work/xvfb.log"; then
  cat "$work/xvfb.log" >&2
  echo "run_bench: $XVFB_ERROR" >&2
  exit 1
fi

QT_QPA_PLATFORM=xcb MARVO_BENCH_SERVER_PID=$XVFB_PID "$loop_bench"
QT_QPA_PLATFORM=xcb LD_PRELOAD=$paint_probe "$startup_bench" "$game" "$bare_qt"
