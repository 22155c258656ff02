#!/usr/bin/env bash
# The real game in a real window under a virtual display: it starts, draws its title,
# refuses a second copy, survives real key presses, and without a display says so.
# usage: window_smoke.sh BUILD_DIR
set -u
. "$(dirname "$0")/lib/window.sh"
begin_window_test "$1"

# Without a display the game explains itself and ends with status 2.
(unset DISPLAY WAYLAND_DISPLAY; SDL_VIDEODRIVER= "$game" >"$work/nodisplay.txt" 2>&1)
status=$?
[ "$status" -eq 2 ] || fail "without a display the exit status was $status, expected 2"
grep -qi "display" "$work/nodisplay.txt" || fail "no message about the display: $(cat "$work/nodisplay.txt")"

start_xvfb

# Without a sound card the game plays silently, and ALSA's own error lines stay unsaid.
if [ ! -e /dev/snd ]; then
  (unset SDL_AUDIODRIVER; timeout 8 "$game" >"$work/nosound.txt" 2>&1)
  grep -q '^ALSA lib' "$work/nosound.txt" && fail "ALSA's lines reached the player: $(cat "$work/nosound.txt")"
fi

"$game" >"$work/game.txt" 2>&1 &
game_pid=$!
wait_for_window

# A second copy, started from a desktop menu where nobody reads its standard error, says
# so in a window of its own; Enter closes it and the copy ends with status 1.
timeout 60 "$game" >"$work/second.txt" 2>&1 &
second_pid=$!
second=""
for _ in $(seq 300); do
  second=$(xdotool search --name "Bramko2 for Windows" 2>/dev/null | grep -vx "$win" | head -n 1)
  [ -n "$second" ] && break
  kill -0 $second_pid 2>/dev/null || break
  sleep 0.1
done
[ -n "$second" ] || fail "the second copy showed nothing: $(cat "$work/second.txt")"
sleep 1
import -window "$second" "$work/second.png" 2>/dev/null || fail "no picture of the second copy's window"
[ "$(convert "$work/second.png" -format '%k' info:)" -gt 2 ] || fail "the second copy's window is blank"
timeout 5 xdotool windowfocus --sync "$second" 2>/dev/null
for _ in 1 2 3 4 5; do
  kill -0 $second_pid 2>/dev/null || break
  xdotool key --window "$second" Return 2>/dev/null
  sleep 1
done
wait $second_pid
status=$?
[ "$status" -eq 1 ] || fail "the second copy ended with $status, expected 1"
kill -0 $game_pid 2>/dev/null || fail "the first copy died when the second started"

# Answer start-up message boxes (media files missing in a bare build) with Enter.
focus_window
for _ in 1 2 3 4 5 6 7 8 9 10; do xdotool key --window "$win" Return 2>/dev/null; sleep 0.15; done
sleep 1
import -window root "$work/shot.png" 2>/dev/null || fail "no screenshot"
colours=$(convert "$work/shot.png" -format '%k' info:)
[ "$colours" -gt 8 ] || fail "the screen is blank ($colours colours)"
kill -0 $game_pid 2>/dev/null || fail "the game died: $(cat "$work/game.txt")"
[ -n "${SMOKE_SHOT:-}" ] && cp "$work/shot.png" "$SMOKE_SHOT"

# Closing the window ends the program.
xdotool windowclose "$win" 2>/dev/null || kill -TERM $game_pid
for _ in $(seq 50); do kill -0 $game_pid 2>/dev/null || break; sleep 0.1; done
kill -0 $game_pid 2>/dev/null && fail "the game did not end after its window closed"
# A display that goes away ends the game too, even with the help open over it: the game has
# no window left to live in.
"$game" >"$work/game2.txt" 2>&1 &
game_pid=$!
wait_for_window
focus_window
sleep 1
xdotool key --window "$win" F1
sleep 1
kill $xvfb_pid
for _ in $(seq 50); do kill -0 $game_pid 2>/dev/null || break; sleep 0.1; done
kill -0 $game_pid 2>/dev/null && fail "the game ran on after its display went away"
echo "window smoke test passed ($colours colours on screen)"
