#!/usr/bin/env bash
# The real game in a real window when its files or its machine misbehave: a damaged reset
# tune that claims to play for weeks does not keep the title away, SIGTERM and SIGINT end
# the game cleanly (settings and save untouched), and a save under "ulimit -f 0" shows the
# error instead of killing the game. FIFOs planted where the game reads its settings, sounds
# and tunes, and a 3 GB sparse pad database, neither hang the start nor take its memory, and
# the simulator refuses a FIFO as a replay at once.
# usage: damaged_files.sh BUILD_DIR
set -u
build="$1"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'kill ${game_pid:-} ${xvfb_pid:-} 2>/dev/null; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work" SDL_AUDIODRIVER=dummy
fail() { echo "FAIL: $*"; exit 1; }
. "$here/lib/window.sh"

# A copy of the game with its files, so they can be damaged; the reset tune is the fuzz
# corpus's endless one (slowest tempo, then a delta of 2^28 ticks).
game_dir="$work/game"
mkdir "$game_dir"
cp "$build/bramko2" "$build"/*.wav "$build"/*.mid "$build"/map*.txt "$build/BRAMKO.HLP" "$game_dir/"
cp "$here/../../fuzz/corpus/midi/endless-reset.mid" "$game_dir/Gmreset.mid"
printf '[難易度調整]\r\nゲームスピード=1\r\n' | iconv -f UTF-8 -t CP932 >"$game_dir/BRAMKO.INI"
printf '\3\0\0\0\5\0\0\0\0\0\0\0\0\0\0\0\1\0\0' >"$game_dir/BRAMKO.DAT"
kept="$(cd "$game_dir" && md5sum BRAMKO.INI BRAMKO.DAT)"

start_xvfb

# start [ulimit -f value]: runs the game copy; its status lands in $work/status.
start() {
  rm -f "$work/status"
  # The limit is the game's alone: this shell must still write the status file.
  ( (ulimit -f "${1:-unlimited}"; exec "$game_dir/bramko2") >"$work/game.txt" 2>&1; echo $? >"$work/status") &
  wait_for_window
  game_pid=$(xdotool getwindowpid "$win" 2>/dev/null)
  [ -n "$game_pid" ] || fail "no process for the window"
}
# ended_within SECONDS: the game has ended and said which status.
ended_within() {
  for _ in $(seq $(($1 * 10))); do [ -s "$work/status" ] && return 0; sleep 0.1; done
  return 1
}
colours() { import -window "$win" "$work/shot.png" 2>/dev/null && convert "$work/shot.png" -format '%k' info:; }

# 1. The damaged reset tune delays the title by a few seconds at most; SIGINT then ends it.
start
shown=0
for _ in $(seq 150); do
  [ "$(colours)" -gt 1000 ] 2>/dev/null && shown=1 && break
  sleep 0.1
done
[ "$shown" -eq 1 ] || fail "the title never appeared after a damaged Gmreset.mid"
kill -INT "$game_pid"
ended_within 10 || fail "SIGINT did not end the game"
[ "$(cat "$work/status")" -eq 0 ] || fail "after SIGINT the status was $(cat "$work/status")"

# 2. SIGTERM as soon as the window exists, while the start-up still waits for that tune.
start
kill -TERM "$game_pid"
ended_within 10 || fail "SIGTERM during the start-up wait did not end the game"
[ "$(cat "$work/status")" -eq 0 ] || fail "after SIGTERM the status was $(cat "$work/status")"
[ "$(cd "$game_dir" && md5sum BRAMKO.INI BRAMKO.DAT)" = "$kept" ] || fail "settings or save changed"

# 3. "ファイル → 保存" works here (the control), then fails cleanly under ulimit -f 0.
save_from_menu() {
  sleep 1
  focus_window
  xdotool mousemove --window "$win" 40 10 click 1
  sleep 0.5
  xdotool mousemove --window "$win" 40 32 click 1
  sleep 1
}
cp "$build/Gmreset.mid" "$game_dir/Gmreset.mid"
rm "$game_dir/BRAMKO.DAT"
start
save_from_menu
[ "$(stat -c %s "$game_dir/BRAMKO.DAT" 2>/dev/null)" = 19 ] || fail "the menu did not save"
kill -TERM "$game_pid"
ended_within 10 || fail "the game did not end"
saved="$(md5sum <"$game_dir/BRAMKO.DAT")"

start 0
save_from_menu
kill -0 "$game_pid" 2>/dev/null || fail "a save under ulimit -f 0 ended the game (status $(cat "$work/status"))"
[ "$(md5sum <"$game_dir/BRAMKO.DAT")" = "$saved" ] || fail "the failed save changed BRAMKO.DAT"
[ "$(ls "$game_dir" | grep -c tmp)" -eq 0 ] || fail "a temporary was left: $(ls "$game_dir")"
xdotool key --window "$win" Return  # the error box
kill -TERM "$game_pid"
ended_within 10 || fail "the game did not end after the failed save"
[ "$(cat "$work/status")" -eq 0 ] || fail "after the failed save the status was $(cat "$work/status")"

# 4. Planted files: FIFOs with no writer for the settings and every sound and tune, and a
# 3 GB sparse gamecontrollerdb.txt. The title comes, the start takes no memory for the
# database, and SIGTERM still ends the game.
for f in "$game_dir"/BRAMKO.INI "$game_dir"/*.wav "$game_dir"/*.mid; do rm -f "$f"; mkfifo "$f"; done
truncate -s 3G "$game_dir/gamecontrollerdb.txt"
start
shown=0
for _ in $(seq 100); do
  [ "$(colours)" -gt 1000 ] 2>/dev/null && shown=1 && break
  sleep 0.1
done
[ "$shown" -eq 1 ] || fail "the title never appeared with FIFOs planted"
peak=$(awk '/VmHWM/ {print $2}' "/proc/$game_pid/status")
[ "${peak:-0}" -lt 400000 ] || fail "the start took ${peak} kB with a 3 GB pad database"
kill -TERM "$game_pid"
ended_within 10 || fail "SIGTERM did not end the game with FIFOs planted"
[ "$(cat "$work/status")" -eq 0 ] || fail "with FIFOs planted the status was $(cat "$work/status")"

mkfifo "$work/fifo.rpl"
status=0
timeout 5 "$build/bramko-sim" --replay "$work/fifo.rpl" >"$work/sim.txt" 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "the simulator ended with status $status on a FIFO replay: $(cat "$work/sim.txt")"
grep -q "開けません" "$work/sim.txt" || fail "the simulator did not say it cannot open the FIFO: $(cat "$work/sim.txt")"
echo "damaged files test passed"
