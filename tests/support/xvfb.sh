# Sourced by the real-window tests (tests/scripts/*.sh): a virtual display that Xvfb picks
# itself (others run Xvfb at the same time), and the game's window on it.
# start_xvfb WORK_DIR SCREEN  sets DISPLAY and xvfb_pid;  find_window NAME  prints its id.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 "$2" -nolisten tcp 3>"$1/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$1/display" ] && break; sleep 0.1; done
  [ -s "$1/display" ] || return 1
  export DISPLAY=":$(head -n 1 "$1/display")"
}
find_window() {
  local win=""
  for _ in $(seq 300); do
    win=$(xdotool search --name "$1" 2>/dev/null | head -n 1)
    [ -n "$win" ] && break
    sleep 0.1
  done
  echo "$win"
}
