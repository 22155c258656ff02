#!/usr/bin/env bash
# The real window at 2x with software drawing (a machine without a GPU), where only what
# changed is sent to the display: the menu strip hides no row of the picture (also in fill
# mode), and the help opened in a battle's pause leaves nothing behind when Escape closes
# it: the window shows the pause exactly as before, and that Escape does not give the
# battle up.
# usage: overlay_window.sh BUILD_DIR
set -u
. "$(dirname "$0")/lib/window.sh"
begin_window_test "$(cd "$1" && pwd)"
export SDL_RENDER_DRIVER=software
mkdir "$work/pictures"
make_game_folder
"$build/bramko-sim" --export-pictures "$work/pictures" || fail "the pictures were not exported"

start_xvfb 1920x1080x24
start_game() {
  "$work/game/bramko2" >"$work/game.txt" 2>&1 &
  game_pid=$!
  wait_for_window
  focus_window
  sleep 2.5
}
shot() { import -window "$win" "$work/$1.png" 2>/dev/null || fail "no screenshot $1"; }
# How many pixels of two shots differ (compare may print it as 1.02e+06).
differ() { compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 | awk '{ printf "%d", $1 }'; }
key() { xdotool keydown --window "$win" "$1" sleep 0.06 keyup --window "$win" "$1"; sleep "${2:-0.4}"; }
# The title's top 22 rows, from the title picture itself, at the window's size of them.
convert "$work/pictures/C2_TITLE.png" -crop 640x22+0+0 +repage "$work/title_top.png" || fail "no title picture"

start_game
shot title
[ "$(xdotool getwindowgeometry "$win" | awk '/Geometry/ {print $2}')" = "1280x1000" ] || fail "the window is not at 2x"
# 2x: the strip takes rows 0..39, the picture starts right under it, every row of it shown.
convert "$work/title.png" -crop 1280x44+0+40 +repage -sample 50% "$work/shown_top.png"
d=$(differ title_top shown_top)
[ "$d" = "0" ] || fail "the title's top rows are not all shown under the strip at 2x ($d pixels differ)"

# Title, main menu, two down to versus, select; both confirm: a battle. Escape pauses it.
key Return 1.5
key Down
key Down
key Return 2
key x
key Return 7
key Escape 1.5
shot pause
key F1 1.2
shot help
d=$(differ pause help)
[ "$d" -gt 100000 ] || fail "F1 in the pause opened no help ($d pixels changed)"
key Escape 1
shot after_help
d=$(differ pause after_help)
[ "$d" = "0" ] || fail "closing the help left $d pixels of it over the pause"
sleep 1.5
shot still_paused
d=$(differ pause still_paused)
[ "$d" = "0" ] || fail "the Escape that closed the help left the pause ($d pixels changed)"
kill -0 $game_pid 2>/dev/null || fail "the game died: $(cat "$work/game.txt")"
kill $game_pid
wait $game_pid 2>/dev/null

# Fill mode in a window of no whole scale: the picture fills the room under the strip; its
# top rows, brought back to the picture's size, are the title's.
printf '[Linux]\r\nScaleMode=1\r\nWindowWidth=1500\r\nWindowHeight=1100\r\n' >"$work/game/BRAMKO.INI"
start_game
shot fill
# 1500 x 1100: the strip is 40 rows at 2x; the picture 1413 x 1059 centred under it.
convert "$work/fill.png" -crop 1413x1059+43+40 +repage -resize '640x480!' -crop 640x22+0+0 +repage "$work/fill_top.png"
d=$(compare -metric RMSE "$work/title_top.png" "$work/fill_top.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
awk -v d="$d" 'BEGIN { exit !(d < 0.08) }' || fail "the title's top rows are hidden in fill mode (RMSE $d)"
kill -0 $game_pid 2>/dev/null || fail "the game died: $(cat "$work/game.txt")"
echo "overlay window test passed"
