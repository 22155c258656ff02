#!/usr/bin/env bash
# The real window on a 1920 x 1080 display: it opens at 2x, every game pixel is a 2 x 2
# block, Alt+Enter covers the screen and comes back, a resize re-centres the picture, and a
# click on the menu strip opens its menu.
# usage: window_scale.sh BUILD_DIR
set -u
. "$(dirname "$0")/lib/window.sh"
begin_window_test "$1"
mkdir "$work/game"
cp -r "$build"/*.wav "$build"/*.mid "$build"/map*.txt "$build/BRAMKO.HLP" "$work/game/" 2>/dev/null
cp "$game" "$work/game/bramko2"

start_xvfb 1920x1080x24

"$work/game/bramko2" >"$work/game.txt" 2>&1 &
game_pid=$!
wait_for_window
sleep 3
size() { xdotool getwindowgeometry "$win" | awk '/Geometry/ {print $2}'; }
[ "$(size)" = "1280x1000" ] || fail "the window opened at $(size), expected 1280x1000 (2x)"

# The picture sits at (0, 40) in a 1280 x 1000 window, under the strip: every game pixel a
# 2 x 2 block; rows 100..899 of the window are all picture.
import -window "$win" "$work/shot.png" 2>/dev/null || fail "no screenshot"
convert "$work/shot.png" -crop 1280x800+0+100 +repage "$work/area.png"
convert "$work/area.png" -sample 50% -sample 200% "$work/blocks.png"
diff=$(compare -metric AE "$work/area.png" "$work/blocks.png" null: 2>&1)
[ "$diff" = "0" ] || fail "$diff pixels are not part of a 2 x 2 block"
colours=$(convert "$work/area.png" -format '%k' info:)
[ "$colours" -gt 8 ] || fail "the picture is blank ($colours colours)"

# Alt+Enter: the window covers the screen; again: it is back at its size.
focus_window
xdotool key alt+Return; sleep 1
[ "$(size)" = "1920x1080" ] || fail "Alt+Enter left the window at $(size)"
xdotool key alt+Return; sleep 1
[ "$(size)" = "1280x1000" ] || fail "the second Alt+Enter left the window at $(size)"

# A resize to 1000 x 800 shows the picture at 1x, centred: bars of 180 left and right.
xdotool windowsize "$win" 1000 800; sleep 1
import -window "$win" "$work/resized.png" 2>/dev/null
left=$(convert "$work/resized.png" -crop 180x400+0+200 +repage -format '%k' info:)
inside=$(convert "$work/resized.png" -crop 640x400+180+200 +repage -format '%k' info:)
[ "$left" -eq 1 ] || fail "the bar left of the resized picture is not plain ($left colours)"
[ "$inside" -gt 8 ] || fail "no picture in the middle of the resized window"
xdotool windowsize "$win" 1280 1000; sleep 1

# A click on the strip's first menu at 2x opens it over the picture.
import -window "$win" "$work/before.png" 2>/dev/null
xdotool mousemove --window "$win" 40 18 click 1; sleep 0.7
import -window "$win" "$work/after.png" 2>/dev/null
changed=$(compare -metric AE "$work/before.png" "$work/after.png" -crop 300x200+0+40 null: 2>&1 | cut -d' ' -f1)
[ "${changed%%.*}" -gt 500 ] || fail "the click on the strip opened nothing ($changed pixels changed)"
kill -0 $game_pid 2>/dev/null || fail "the game died: $(cat "$work/game.txt")"
echo "window scale test passed"
