#!/usr/bin/env bash
# Online versus in real windows under a virtual display: one game hosts (--host), another
# joins it (--join 127.0.0.1), a third watches (--spectate); all come up on the versus screen,
# a key of the guest's player moves player 2's cursor on the host's and the spectator's
# screens, and once both players decided the spectator's window shows their match.
# usage: online_window.sh BUILD_DIR
set -u
build="$1"
work="$(mktemp -d)"
trap 'kill ${host_pid:-} ${guest_pid:-} ${spectator_pid:-} ${host_xvfb:-} ${guest_xvfb:-} ${spectator_xvfb:-} 2>/dev/null; rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=dummy
fail() { echo "FAIL: $*"; exit 1; }
# Each game on a display of its own, as on two machines: no window covers the other.
. "$(dirname "$0")/lib/window.sh"
start_xvfb
host_display=$DISPLAY host_xvfb=$xvfb_pid
rm -f "$work/display"
start_xvfb
guest_display=$DISPLAY guest_xvfb=$xvfb_pid
rm -f "$work/display"
start_xvfb
spectator_display=$DISPLAY spectator_xvfb=$xvfb_pid

# Two copies, each in a folder of its own with a runtime folder of its own (one copy per user
# and folder is the rule the lock keeps).
port=$((20000 + $$ % 20000))
for side in host guest spectator; do
  mkdir -p "$work/$side/run"
  ln "$build/bramko2" "$work/$side/bramko2" 2>/dev/null || cp "$build/bramko2" "$work/$side/bramko2"
  cp "$build"/*.wav "$build"/*.mid "$build"/map*.txt "$build/BRAMKO.HLP" "$work/$side/"
done
DISPLAY=$host_display XDG_RUNTIME_DIR="$work/host/run" "$work/host/bramko2" --host "$port" --no-upnp >"$work/host.txt" 2>&1 &
host_pid=$!
DISPLAY=$guest_display XDG_RUNTIME_DIR="$work/guest/run" "$work/guest/bramko2" --join "127.0.0.1:$port" >"$work/guest.txt" 2>&1 &
guest_pid=$!
DISPLAY=$spectator_display XDG_RUNTIME_DIR="$work/spectator/run" "$work/spectator/bramko2" --spectate "127.0.0.1:$port" \
  >"$work/spectator.txt" 2>&1 &
spectator_pid=$!

window_of() {  # pid display: the game's window
  local w=""
  for _ in $(seq 300); do
    w=$(DISPLAY=$2 xdotool search --pid "$1" --name "Bramko2 for Windows" 2>/dev/null | head -n 1)
    [ -n "$w" ] && break
    sleep 0.1
  done
  echo "$w"
}
host_win=$(window_of $host_pid "$host_display")
guest_win=$(window_of $guest_pid "$guest_display")
[ -n "$host_win" ] || fail "the host's window never appeared: $(cat "$work/host.txt")"
[ -n "$guest_win" ] || fail "the guest's window never appeared: $(cat "$work/guest.txt")"
spectator_win=$(window_of $spectator_pid "$spectator_display")
[ -n "$spectator_win" ] || fail "the spectator's window never appeared: $(cat "$work/spectator.txt")"

display_of() {
  case "$1" in
    "$host_win") echo "$host_display" ;;
    "$guest_win") echo "$guest_display" ;;
    *) echo "$spectator_display" ;;
  esac
}
shot() { DISPLAY=$(display_of "$1") import -window "$1" "$work/$2.png" 2>/dev/null || fail "no screenshot"; }
pixel() { convert "$work/$1.png" -format "%[pixel:p{$2,$3}]" info:; }
# The versus screen: player 1's blue panel on the left, player 2's red one on the right.
on_versus() { shot "$1" now && [ "$(pixel now 30 300)" = "srgb(29,63,120)" ] && [ "$(pixel now 600 300)" = "srgb(110,26,42)" ]; }
wait_for() {  # seconds, command...
  local n=$(($1 * 5)); shift
  for _ in $(seq "$n"); do "$@" && return 0; sleep 0.2; done
  return 1
}
wait_for 30 on_versus "$host_win" || fail "the host never showed the versus screen"
wait_for 30 on_versus "$guest_win" || fail "the guest never showed the versus screen"
wait_for 30 on_versus "$spectator_win" || fail "the spectator never showed the versus screen"
kill -0 $host_pid 2>/dev/null || fail "the host died: $(cat "$work/host.txt")"
kill -0 $guest_pid 2>/dev/null || fail "the guest died: $(cat "$work/guest.txt")"

# Player 2's column of the host's and the spectator's screens, before and after the guest
# presses down once.
column() { shot "$2" col && convert "$work/col.png" -crop 40x140+348+124 +repage "$work/$1.png"; }
sleep 1
column before "$host_win"
column spectator_before "$spectator_win"
# Without a window manager keys go to the window under the pointer.
export DISPLAY=$guest_display
xdotool mousemove --window "$guest_win" 320 300 2>/dev/null
xdotool windowfocus --sync "$guest_win" 2>/dev/null
xdotool keydown --window "$guest_win" Down 2>/dev/null; sleep 0.15; xdotool keyup --window "$guest_win" Down 2>/dev/null
moved() { column "$1_after" "$2" && [ "$(compare -metric AE "$work/$1.png" "$work/$1_after.png" null: 2>&1)" != 0 ]; }
wait_for 10 moved before "$host_win" || fail "the guest's key never reached the host's screen"
wait_for 10 moved spectator_before "$spectator_win" || fail "the guest's key never reached the spectator's screen"

# Both decide; the spectator's window leaves the versus screen for the match.
press() {  # window display key
  DISPLAY=$2 xdotool mousemove --window "$1" 320 300 2>/dev/null
  DISPLAY=$2 xdotool windowfocus --sync "$1" 2>/dev/null
  DISPLAY=$2 xdotool keydown --window "$1" "$3" 2>/dev/null; sleep 0.15
  DISPLAY=$2 xdotool keyup --window "$1" "$3" 2>/dev/null
}
press "$guest_win" "$guest_display" Return
press "$host_win" "$host_display" Return
off_versus() { ! on_versus "$spectator_win"; }
wait_for 20 off_versus || fail "the spectator never showed the match"
kill -0 $spectator_pid 2>/dev/null || fail "the spectator died: $(cat "$work/spectator.txt")"
shot "$spectator_win" spectator_match
echo "online window test passed"
