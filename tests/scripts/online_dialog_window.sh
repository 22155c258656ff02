#!/usr/bin/env bash
# ファイル → ネット対戦… in real windows under virtual displays, both ways: a game hosts from
# the dialog (待ち受ける) and another joins it with --join; then one hosts from the dialog and
# the other joins from its dialog (アドレス, ポート, 接続する). Each time both dialogs close onto
# the versus screen, both players decide, the match is played until the host gives it up with
# F4, both are back on the versus screen (the guest once told so) and both kept the match as
# the same replay.
# usage: online_dialog_window.sh BUILD_DIR
set -u
build="$1"
work="$(mktemp -d)"
trap 'kill ${pid_host:-} ${pid_guest:-} ${xvfb_host:-} ${xvfb_guest:-} 2>/dev/null; rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=dummy
fail() { echo "FAIL: $*"; exit 1; }
# Each game on a display of its own, as on two machines: no window covers the other.
. "$(dirname "$0")/lib/window.sh"
start_xvfb
display_host=$DISPLAY xvfb_host=$xvfb_pid
rm -f "$work/display"
start_xvfb
display_guest=$DISPLAY xvfb_guest=$xvfb_pid
port=$((20000 + $$ % 20000))

# side: the display, window and process of "host" or "guest".
d() { eval echo "\$display_$1"; }
w() { eval echo "\$win_$1"; }
x() { local side=$1; shift; DISPLAY=$(d "$side") xdotool "$@" 2>/dev/null; }
shot() { DISPLAY=$(d "$1") import -window "$(w "$1")" "$work/$1-$2.png" 2>/dev/null || fail "no screenshot of the $1"; }
pixel() { convert "$work/$1-now.png" -format "%[pixel:p{$2,$3}]" info:; }
wait_for() {  # seconds, command...
  local n=$(($1 * 5)); shift
  for _ in $(seq "$n"); do "$@" && return 0; sleep 0.2; done
  return 1
}
drawn() { shot "$1" now && [ "$(convert "$work/$1-now.png" -format '%k' info:)" -gt 8 ]; }
# The versus screen: player 1's blue panel on the left, player 2's red one on the right.
on_versus() { shot "$1" now && [ "$(pixel "$1" 30 300)" = "srgb(29,63,120)" ] && [ "$(pixel "$1" 600 300)" = "srgb(110,26,42)" ]; }
not_on_versus() { ! on_versus "$1"; }
# The main menu: the dark frame of its panel.
on_main_menu() { shot "$1" now && [ "$(pixel "$1" 104 200)" = "srgb(58,49,96)" ]; }
# A key held long enough for the game's polling to see it.
hold() { x "$1" keydown --window "$(w "$1")" "$2"; sleep "${3:-0.15}"; x "$1" keyup --window "$(w "$1")" "$2"; }
alive() { kill -0 "$(eval echo "\$pid_$1")" 2>/dev/null || fail "the $1 died: $(cat "$work/$1.txt")"; }

# side [args]: a copy of the game in a folder of its own (its replays are kept beside it),
# with a runtime folder of its own (one copy per user and folder is the rule the lock keeps).
start() {
  local side=$1; shift
  rm -rf "${work:?}/$side"
  mkdir -p "$work/$side/run"
  ln "$build/bramko2" "$work/$side/bramko2" 2>/dev/null || cp "$build/bramko2" "$work/$side/bramko2"
  cp "$build"/*.wav "$build"/*.mid "$build"/map*.txt "$build/BRAMKO.HLP" "$work/$side/"
  # --no-upnp: a host here asks no router; its traffic stays on the loopback.
  DISPLAY=$(d "$side") XDG_RUNTIME_DIR="$work/$side/run" "$work/$side/bramko2" --no-upnp "$@" >"$work/$side.txt" 2>&1 &
  eval "pid_$side=$!"
  local win=""
  for _ in $(seq 300); do
    win=$(DISPLAY=$(d "$side") xdotool search --pid "$(eval echo "\$pid_$side")" --name "Bramko2 for Windows" 2>/dev/null | head -n 1)
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || fail "the $side's window never appeared: $(cat "$work/$side.txt")"
  eval "win_$side=$win"
  # Without a window manager keys go to the window under the pointer.
  x "$side" mousemove --window "$win" 320 300
  x "$side" windowfocus --sync "$win"
}
stop() { kill "$pid_host" "$pid_guest" 2>/dev/null; wait "$pid_host" "$pid_guest" 2>/dev/null; }

# side: from the title to the main menu, then ファイル → ネット対戦….
open_dialog() {
  wait_for 30 drawn "$1" || fail "the $1's title was never drawn"
  # The title may not read keys yet on a busy machine: pressed again until the menu is up.
  for _ in 1 2 3; do
    hold "$1" Return
    wait_for 4 on_main_menu "$1" && break
  done
  on_main_menu "$1" || fail "the $1 never showed the main menu"
  x "$1" mousemove --window "$(w "$1")" 30 10 click 1
  sleep 0.5
  x "$1" mousemove --window "$(w "$1")" 50 90 click 1
  sleep 1
  shot "$1" dialog
  # The dialog's grey face where the title's picture was.
  [ "$(convert "$work/$1-dialog.png" -format "%[pixel:p{320,250}]" info:)" = "srgb(212,208,200)" ] ||
    fail "ファイル → ネット対戦… opened no dialog on the $1"
}
# The host's dialog: its port box has the focus; the port typed over 7777, Enter waits.
host_from_dialog() {
  open_dialog host
  x host key --window "$win_host" ctrl+a
  x host type --window "$win_host" --delay 60 "$port"
  x host key --window "$win_host" Return
  sleep 0.5
}

# Both on the versus screen, both decide, the match runs a while, the host gives it up.
play_match() {
  wait_for 30 on_versus host || fail "$1: the host's dialog never gave way to the versus screen"
  wait_for 30 on_versus guest || fail "$1: the guest never showed the versus screen"
  sleep 1
  hold host x
  hold guest x
  wait_for 20 not_on_versus host || fail "$1: the match did not start on the host"
  wait_for 20 not_on_versus guest || fail "$1: the match did not start on the guest"
  sleep 6
  alive host
  alive guest
  hold host F4
  wait_for 20 on_versus host || fail "$1: the host did not come back to the versus screen"
  # The guest is told that the host gave the match up; Enter closes the message.
  sleep 1
  hold guest Return
  wait_for 20 on_versus guest || fail "$1: the guest did not come back to the versus screen"
  [ -s "$work/host/replays/last.rpl" ] || fail "$1: the host kept no replay"
  cmp -s "$work/host/replays/last.rpl" "$work/guest/replays/last.rpl" ||
    fail "$1: the two sides kept different replays"
}

# The dialog's host, a command line's guest.
start host
host_from_dialog
start guest --join "127.0.0.1:$port"
play_match "dialog host, --join guest"
stop

# Both from the dialog: the guest types the address, then the port over 7777, and connects.
start host
host_from_dialog
start guest
open_dialog guest
x guest mousemove --window "$win_guest" 265 283 click 1
x guest type --window "$win_guest" --delay 60 "127.0.0.1"
x guest mousemove --window "$win_guest" 225 311 click 1
x guest key --window "$win_guest" ctrl+a
x guest type --window "$win_guest" --delay 60 "$port"
x guest mousemove --window "$win_guest" 466 286 click 1
play_match "both from the dialog"
stop
echo "online dialog window test passed"
