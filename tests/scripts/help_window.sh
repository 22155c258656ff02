#!/usr/bin/env bash
# The real window's help, menus and keys: the window carries the title art's icon; F1 opens
# the help over the title in the light look of the game's dialogs; the Escape that closes it
# is not the title's; Alt+F opens the ファイル menu; an F4 tapped on the versus menu does not
# end the match that follows, the help opened in a round stops its clock, and F1 in the
# settings dialog opens the help over it.
# usage: help_window.sh BUILD_DIR
set -u
build="$(cd "$1" && pwd)"
work="$(mktemp -d)"
trap 'kill ${game_pid:-} ${xvfb_pid:-} 2>/dev/null; [ -n "${KEEP_SHOTS:-}" ] && cp "$work"/*.png "$KEEP_SHOTS"/; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work" SDL_AUDIODRIVER=dummy
fail() { echo "FAIL: $*"; exit 1; }
. "$(dirname "$0")/lib/window.sh"

start_xvfb

# A folder of its own: the game's settings file there asks for nothing.
make_game_folder
"$work/game/bramko2" >"$work/game.txt" 2>&1 &
game_pid=$!
wait_for_window
focus_window
sleep 2

shot() { import -window "$win" "$work/$1.png" 2>/dev/null || fail "no screenshot $1"; }
pixel() { convert "$work/$1.png" -format "%[pixel:p{$2,$3}]" info:; }
differ() { compare -metric AE -crop "640x480+0+$3" "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d' ' -f1; }
# A press held 60 ms, timed inside xdotool: on a loaded machine a second process could start
# late enough to hold it past the menus' 200 ms repeat.
key() { xdotool keydown --window "$win" "$1" sleep 0.06 keyup --window "$win" "$1"; sleep "${2:-0.4}"; }

xprop -id "$win" _NET_WM_ICON | grep -q "64 x 64" || fail "the window has no 64 x 64 icon"

shot title
xdotool key --window "$win" F1
sleep 0.8
shot help
# The help's text field is white, its face the dialogs' grey, its caption navy.
[ "$(pixel help 400 300)" = "srgb(255,255,255)" ] || fail "no help text field: $(pixel help 400 300)"
[ "$(pixel help 24 90)" = "srgb(212,208,200)" ] || fail "the help is not in the dialogs' look: $(pixel help 24 90)"
xdotool key --window "$win" Escape
sleep 0.8
shot after_help
[ "$(differ title after_help 20)" -lt 100 ] || fail "the Escape that closed the help left the title"

xdotool key --window "$win" alt+f
sleep 0.6
shot menu
[ "$(pixel menu 20 31)" = "srgb(10,36,106)" ] || fail "Alt+F did not open the menu: $(pixel menu 20 31)"
xdotool key --window "$win" Escape
sleep 0.4

# Title, main menu, two down to versus, select.
key Return 1.5
key Down
key Down
key Return 2
shot versus
xdotool key --window "$win" F4
sleep 0.5
key x
key Return 7
shot battle
[ "$(differ versus battle 0)" -gt 50000 ] || fail "the match ended at once: the versus menu is back"
# The round's clock stands while the help is open. Its two seven-segment digits are read
# from a grab of the window (segments a f b g e c d of each; anything else, such as the
# help over them, reads as nothing). With the help open 4.5 s a running clock loses five
# of its 0.9 s seconds; a stopped one loses at most what passes around the key presses.
segment_digit() {
  case $1 in
    1110111) echo 0 ;; 0010010) echo 1 ;; 1011101) echo 2 ;; 1011011) echo 3 ;; 0111010) echo 4 ;;
    1101011) echo 5 ;; 1101111) echo 6 ;; 1010010 | 1110010) echo 7 ;; 1111111) echo 8 ;; 1111011) echo 9 ;;
  esac
}
read_clock() {
  xwd -silent -id "$win" -out "$work/clock.xwd" || fail "no grab of the clock"
  local fmt="" left point
  for left in 280 328; do
    for point in "16 46" "3 58" "27 58" "16 70" "3 83" "27 83" "16 99"; do
      set -- $point
      fmt+="%[fx:p{$((left + $1)),$2}.intensity>0.5?1:0]"
    done
    fmt+=" "
  done
  set -- $(convert "xwd:$work/clock.xwd" -format "$fmt" info:)
  local tens ones
  tens=$(segment_digit "$1") ones=$(segment_digit "$2")
  [ -n "$tens" ] && [ -n "$ones" ] && echo $((10 * tens + ones))
}
# The menu strip is hidden in a battle.
[ "$(pixel battle 300 10)" != "$(pixel title 300 10)" ] || fail "no battle: the menu strip is shown"
before=$(read_clock) || fail "no clock to read in the round"
xdotool key --window "$win" F1
sleep 4.5
shot under_help
[ "$(pixel under_help 400 300)" = "srgb(255,255,255)" ] || fail "F1 in the round opened no help"
xdotool key --window "$win" Escape
after=""
for grab in $(seq 40); do after=$(read_clock) && break; done
[ -n "$after" ] || fail "Escape did not close the help in the round"
[ $((before - after)) -le 2 ] || fail "the round's clock ran on under the help: $before, then $after"
sleep 2.7
later=$(read_clock) || fail "no clock to read after the help"
[ $((after - later)) -ge 2 ] || fail "the round's clock stands after the help: $after, then $later"

# F4 gives the match up; from the menu bar's 設定 → 設定変更, F1 in the settings dialog opens
# the help over it.
key F4 3
xdotool mousemove --window "$win" 90 10 click 1
sleep 0.5
xdotool mousemove --window "$win" 110 32 click 1
sleep 1
xdotool key --window "$win" F1
sleep 1
shot dialog_help
[ "$(pixel dialog_help 400 300)" = "srgb(255,255,255)" ] || fail "F1 in the settings dialog opened no help"
kill -0 $game_pid 2>/dev/null || fail "the game died: $(cat "$work/game.txt")"
echo "help window test passed"
