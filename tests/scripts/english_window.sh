#!/usr/bin/env bash
# The English game in the real window, at 1x and at 2x: the title shows the English title
# picture and a menu bar other than the Japanese one, then the main menu, the settings
# dialog (from the main menu's Change Settings), the help (F1) and the online dialog
# (File → Online Versus…) each open. The screenshots are kept for a person to look at: the
# test prints the folder.
# usage: english_window.sh BUILD_DIR
set -u
. "$(dirname "$0")/lib/window.sh"
begin_window_test "$(cd "$1" && pwd)"
shots="$build/english_window"
rm -rf "$shots"
mkdir -p "$shots"
make_game_folder
"$build/bramko-sim" --export-pictures "$work/pictures" >/dev/null 2>&1 || fail "the pictures were not exported"

start_game() {  # language
  "$work/game/bramko2" --lang "$1" >"$work/game.txt" 2>&1 &
  game_pid=$!
  wait_for_window
  xdotool mousemove --window "$win" $((320 * s)) $((300 * s)) 2>/dev/null
  focus_window
}
stop_game() { kill "$game_pid" 2>/dev/null; wait "$game_pid" 2>/dev/null; }
shot() { import -window "$win" "$shots/$1.png" 2>/dev/null || fail "no screenshot $1"; }
# A pixel of a shot at the picture's coordinates (the strip is 20 rows, times the scale).
pixel() { convert "$shots/$1.png" -format "%[pixel:p{$(($2 * s)),$(($3 * s))}]" info:; }
rmse() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed 's/.*(\(.*\))/\1/'; }
wait_for() {  # seconds, command...
  local n=$(($1 * 5)); shift
  for _ in $(seq "$n"); do "$@" && return 0; sleep 0.2; done
  return 1
}
key() { xdotool keydown --window "$win" "$1" sleep 0.06 keyup --window "$win" "$1"; sleep "${2:-0.4}"; }
click() { xdotool mousemove --window "$win" $(($1 * s)) $(($2 * s)) click 1; sleep "${3:-0.6}"; }
drawn() { shot "$1" && [ "$(convert "$shots/$1.png" -format '%k' info:)" -gt 8 ]; }
# The picture under the strip, brought back to 640 x 480.
picture() { convert "$shots/$1.png" -crop $((640 * s))x$((480 * s))+0+$((20 * s)) +repage -sample 640x480! "$work/$1-picture.png"; }
on_main_menu() { shot "$1" && [ "$(pixel "$1" 104 200)" = "srgb(58,49,96)" ]; }
# A dialog's grey face covers a good part of the window (the title and the menus have little).
dialog_open() {
  shot "$1" && [ "$(convert "$shots/$1.png" -alpha off -fill white -opaque 'rgb(212,208,200)' -fill black +opaque white \
      -format '%[fx:mean > 0.2]' info:)" = 1 ]
}
help_open() { shot "$1" && [ "$(pixel "$1" 400 300)" = "srgb(255,255,255)" ] && [ "$(pixel "$1" 24 90)" = "srgb(212,208,200)" ]; }

for s in 1 2; do
  # The display of the last round ends first, so the next one cannot meet it shutting down.
  [ -n "${xvfb_pid:-}" ] && { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; }
  if [ $s = 1 ]; then start_xvfb; else start_xvfb 1920x1080x24; fi
  size=$((640 * s))x$((500 * s))

  # The Japanese title's menu strip, to tell the English one from it.
  start_game ja
  wait_for 30 drawn "ja_title_${s}x" || fail "${s}x: the Japanese title was never drawn"
  stop_game

  start_game en
  [ "$(xdotool getwindowgeometry "$win" | awk '/Geometry/ {print $2}')" = "$size" ] || fail "${s}x: the window is not $size"
  wait_for 30 drawn "title_${s}x" || fail "${s}x: the English title was never drawn"
  sleep 1.5
  shot "title_${s}x"
  picture "title_${s}x"
  en=$(rmse "$work/title_${s}x-picture.png" "$work/pictures/C2_TITLE.en.png")
  ja=$(rmse "$work/title_${s}x-picture.png" "$work/pictures/C2_TITLE.png")
  awk -v en="$en" -v ja="$ja" 'BEGIN { exit !(en < ja) }' ||
    fail "${s}x: the title is nearer the Japanese picture (RMSE $ja) than the English one ($en)"
  strip=$(compare -metric AE -crop $((640 * s))x$((20 * s))+0+0 "$shots/title_${s}x.png" "$shots/ja_title_${s}x.png" null: 2>&1 | awk '{ printf "%d", $1 }')
  [ "$strip" -gt $((200 * s * s)) ] || fail "${s}x: the menu bar reads as the Japanese one ($strip pixels differ)"

  # The main menu; the title may not read keys yet on a busy machine.
  for _ in 1 2 3; do
    key Return
    wait_for 4 on_main_menu "menu_${s}x" && break
  done
  on_main_menu "menu_${s}x" || fail "${s}x: no main menu"
  sleep 1
  shot "menu_${s}x"

  # Change Settings: the fourth item.
  key Down
  key Down
  key Down
  key Return 1
  wait_for 10 dialog_open "settings_${s}x" || fail "${s}x: Change Settings opened no dialog"
  sleep 0.5
  shot "settings_${s}x"
  key Escape 1
  dialog_open now && fail "${s}x: Escape did not close the settings dialog"

  key F1 1
  wait_for 10 help_open "help_${s}x" || fail "${s}x: F1 opened no help"
  key Escape 1

  # File → Online Versus…: the File menu, then its fourth line.
  click 15 10
  shot "file_menu_${s}x"
  # The strip's File in navy, its menu's grey face over the picture.
  [ "$(pixel "file_menu_${s}x" 3 3)" = "srgb(10,36,106)" ] && [ "$(pixel "file_menu_${s}x" 100 60)" = "srgb(212,208,200)" ] ||
    fail "${s}x: the click opened no File menu"
  click 50 90 1
  wait_for 10 dialog_open "online_${s}x" || fail "${s}x: File → Online Versus… opened no dialog"
  [ "$(pixel "online_${s}x" 320 250)" = "srgb(212,208,200)" ] || fail "${s}x: no online dialog in the middle"
  sleep 0.5
  shot "online_${s}x"
  key Escape 1
  kill -0 "$game_pid" 2>/dev/null || fail "${s}x: the game died: $(cat "$work/game.txt")"
  stop_game
done
rm -f "$shots/now.png"
echo "screenshots in $shots"
echo "english window test passed"
