#!/usr/bin/env bash
# Replays in the real window under a virtual display: a versus match played with real key
# presses is kept, saved under a name from the file menu and watched again from it; the
# playback ends back on the versus screen exactly as it was, and the simulator replays the
# saved file to its recorded end. From the command line a replay plays and the program ends
# when it is stopped; a file that is no replay is refused with a message.
# usage: replay_window.sh BUILD_DIR
set -u
build="$1"
work="$(mktemp -d)"
trap 'kill ${game_pid:-} ${xvfb_pid:-} 2>/dev/null; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work" SDL_AUDIODRIVER=dummy
fail() { echo "FAIL: $*"; exit 1; }

# The game keeps its replays beside itself: a copy of its own in a folder of ours.
game="$work/game/bramko2"
mkdir -p "$work/game"
ln "$build/bramko2" "$game" 2>/dev/null || cp "$build/bramko2" "$game"
cp "$build"/*.wav "$build"/*.mid "$build"/map*.txt "$build/BRAMKO.HLP" "$work/game/"

. "$(dirname "$0")/lib/window.sh"
start_xvfb

start_game() {
  "$game" "$@" >"$work/game.txt" 2>&1 &
  game_pid=$!
  wait_for_window
  # Without a window manager keys go to the window under the pointer.
  xdotool mousemove --window "$win" 320 300 2>/dev/null
  xdotool windowfocus --sync "$win" 2>/dev/null
}
# A key held long enough for the game's polling to see it.
hold() {
  xdotool keydown --window "$win" "$1" 2>/dev/null
  sleep "${2:-0.15}"
  xdotool keyup --window "$win" "$1" 2>/dev/null
}
menu_item() {  # y of the item in the open file menu
  xdotool mousemove --window "$win" 30 10 click 1 2>/dev/null
  sleep 0.5
  xdotool mousemove --window "$win" 50 "$1" click 1 2>/dev/null
  sleep 0.8
}
shot() { import -window "$win" "$work/$1.png" 2>/dev/null || fail "no screenshot"; }
differs() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1)" != 0 ]; }
wait_for() {  # seconds, command...: true once the command is, false when time runs out
  local n=$(($1 * 5)); shift
  for _ in $(seq "$n"); do "$@" && return 0; sleep 0.2; done
  return 1
}
drawn() { shot now && [ "$(convert "$work/now.png" -format '%k' info:)" -gt 8 ]; }
pixel() { convert "$work/now.png" -format "%[pixel:p{$1,$2}]" info:; }
# The versus screen: player 1's blue panel on the left, player 2's red one on the right.
on_versus() { shot now && [ "$(pixel 30 300)" = "srgb(29,63,120)" ] && [ "$(pixel 600 300)" = "srgb(110,26,42)" ]; }
not_on_versus() { ! on_versus; }
same_as() { shot now && ! differs "$1" now; }

start_game
wait_for 30 drawn || fail "the title was never drawn"
# Title, two steps down to the versus mode, into it; both players decide.
hold Return; sleep 2
hold g; sleep 0.6; hold g; sleep 0.6; hold x
wait_for 15 on_versus || fail "the versus screen never came (a key lost on a busy machine?)"
shot versus
hold x; hold Return
wait_for 15 not_on_versus || fail "the match did not start"
sleep 4
for _ in 1 2; do hold t 0.3; hold x; hold Left 0.3; hold Return; hold h 0.3; hold Down 0.3; done
hold F4
wait_for 20 same_as versus || fail "the match did not end back on the versus screen"
kill -0 $game_pid 2>/dev/null || fail "the game died: $(cat "$work/game.txt")"
last="$work/game/replays/last.rpl"
[ -s "$last" ] || fail "the match was not kept as replays/last.rpl"

# File menu: keep it under a name typed over the suggested one.
menu_item 58
xdotool type --window "$win" --delay 60 "window"
sleep 0.3
xdotool key --window "$win" Return
sleep 1
cmp -s "$last" "$work/game/replays/window.rpl" || fail "replays/window.rpl is not the last match"
shot saved
differs versus saved && fail "saving changed the versus screen (a key reached it?)"

# File menu: the list, its second line (the named replay), and play it.
menu_item 74
xdotool mousemove --window "$win" 150 196 click 1
sleep 0.3
xdotool key --window "$win" Return
wait_for 10 not_on_versus || fail "the replay did not show the battle"
wait_for 60 same_as versus || fail "the playback did not end back on the versus screen as it was (a message?)"

# Played again and stopped with Escape: back at once.
menu_item 74
xdotool key --window "$win" Return
wait_for 10 not_on_versus || fail "the replay did not start again"
sleep 2
hold Escape
wait_for 5 same_as versus || fail "Escape did not stop the playback and return"

xdotool windowclose "$win" 2>/dev/null || kill -TERM $game_pid
for _ in $(seq 50); do kill -0 $game_pid 2>/dev/null || break; sleep 0.1; done
kill -0 $game_pid 2>/dev/null && fail "the game did not end after its window closed"

# The simulator plays the saved file to its recorded end and result.
"$build/bramko-sim" --dir "$work/game" --replay "$work/game/replays/window.rpl" >"$work/sim.json" 2>"$work/sim.txt" ||
  fail "bramko-sim could not replay it: $(grep -v 'Fail to open' "$work/sim.txt")"
grep -q '"lastMatch"' "$work/sim.json" || fail "no lastMatch from the simulator: $(cat "$work/sim.json")"

# From the command line: the replay plays until Escape stops it, and the program ends;
# garbage is refused.
start_game --replay "$work/game/replays/window.rpl"
wait_for 30 drawn || fail "bramko2 --replay drew nothing"
sleep 3
hold Escape
for _ in $(seq 100); do kill -0 $game_pid 2>/dev/null || break; sleep 0.1; done
kill -0 $game_pid 2>/dev/null && fail "bramko2 --replay did not end when stopped"
wait $game_pid || fail "bramko2 --replay ended with status $?"
echo "not a replay" >"$work/garbage.rpl"
start_game --replay "$work/garbage.rpl"
sleep 1
hold Return
for _ in $(seq 50); do kill -0 $game_pid 2>/dev/null || break; sleep 0.1; done
wait $game_pid
[ $? -eq 1 ] || fail "a refused replay should end with status 1"
echo "replay window test passed"
