# Sourced by the real-window tests: a virtual display of their own and the game's window on
# it. The caller defines fail() and $work, and kills $game_pid and $xvfb_pid when it ends.

# Xvfb picks a free display itself and writes its number once it is ready to serve.
start_display() {
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || fail "Xvfb did not start"
  export DISPLAY=":$(head -n 1 "$work/display")"
}

# Starts the game (its path in $1) and sets $win to its window once that has appeared.
start_game() {
  "$1" >"$work/game.txt" 2>&1 &
  game_pid=$!
  win=""
  for _ in $(seq 300); do
    win=$(xdotool search --name "Bramko2 for Windows" 2>/dev/null | head -n 1)
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || fail "no window appeared; game said: $(cat "$work/game.txt")"
}
