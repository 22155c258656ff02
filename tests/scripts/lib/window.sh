# Shared by the real-window tests (sourced, not run): a private virtual display and the
# game's window on it. The caller defines fail() and $work, or has begin_window_test do it.

# The usual start of a test: BUILD_DIR's game, a work folder of its own that is also the
# runtime folder (the game's lock stays private), no sound device, and on exit the game and
# the display end and the folder goes.
# usage: begin_window_test BUILD_DIR   (sets build, game, work)
begin_window_test() {
  build="$1"
  game="$build/bramko2"
  work="$(mktemp -d)"
  trap 'kill ${game_pid:-} ${xvfb_pid:-} 2>/dev/null; rm -rf "$work"' EXIT
  export XDG_RUNTIME_DIR="$work" SDL_AUDIODRIVER=dummy
}
fail() { echo "FAIL: $*"; exit 1; }

# A game folder of its own in $work/game: the program copied (it finds its data beside it),
# the data linked. A test that wants settings of its own writes them there before starting.
# usage: make_game_folder
make_game_folder() {
  mkdir "$work/game"
  cp "$build/bramko2" "$work/game/"
  for f in "$build"/*.wav "$build"/*.mid "$build"/map?.txt "$build"/BRAMKO*.HLP "$build/locale"; do ln -s "$f" "$work/game/"; done
}

# Xvfb picks a free display itself and writes its number once it is ready to serve; others
# run displays on this machine at the same time. Sets DISPLAY and xvfb_pid.
# usage: start_xvfb [SCREEN]   (default 800x600x24)
# A display that does not answer a client at once (seen now and then on a loaded machine) is
# given up and another started, three times at most.
start_xvfb() {
  for _ in 1 2 3; do
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 "${1:-800x600x24}" -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n 1 "$work/display")"
    timeout 5 xdpyinfo >/dev/null 2>&1 && return 0
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  done
  fail "no display answered"
}

# What the display is doing now, for a failure's message: a window that never came because
# the game could not reach a display that still answers is a different fault from one whose
# display went away.
display_state() {
  local alive=gone answers=no
  kill -0 "${xvfb_pid:-0}" 2>/dev/null && alive=running
  timeout 5 xdpyinfo >/dev/null 2>&1 && answers=yes
  echo "Xvfb $alive on $DISPLAY, answers now: $answers"
}

# Waits up to 30 s for the game's window; sets win. The game's output is in $work/game.txt.
wait_for_window() {
  win=""
  for _ in $(seq 300); do
    win=$(xdotool search --name "Bramko2 for Windows" 2>/dev/null | head -n 1)
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || fail "no window appeared; game said: $(cat "$work/game.txt" 2>/dev/null) ($(display_state))"
}

# Gives the game's window the keyboard. xdotool's --sync waits for the focus to arrive and,
# under a heavy load, has been seen to wait for ever: it gets a few seconds.
focus_window() {
  timeout 5 xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win" 2>/dev/null
}
