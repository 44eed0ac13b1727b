# A private virtual display, for the end-to-end tests and the benchmarks.
# Sourced; it defines one function and sets nothing else.
#
#   xvfb_up WORK_DIR LOG_FILE [WxH]
#
# starts Xvfb on a display number it picks itself (a 1024 x 768 screen unless
# told), waits until it says it is ready, exports DISPLAY and unsets
# WAYLAND_DISPLAY. XVFB_PID is the server's process, set as soon as it starts,
# so a cleanup can end it whatever happens next. Returns 1 with the reason in
# XVFB_ERROR when the server dies first or names no display; its own messages
# are in LOG_FILE.
xvfb_up() {
  local work=$1 log=$2 size=${3:-1024x768} _
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$work/display" 2>"$log" &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [[ -s $work/display ]] && break
    if ! kill -0 "$XVFB_PID" 2>/dev/null; then
      XVFB_ERROR="Xvfb did not start"
      return 1
    fi
    sleep 0.1
  done
  if [[ ! -s $work/display ]]; then
    XVFB_ERROR="Xvfb gave no display number"
    return 1
  fi
  export DISPLAY=":$(head -1 "$work/display")"
  unset WAYLAND_DISPLAY
}
