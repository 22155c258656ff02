#!/usr/bin/env bash
# The settings dialog's keys in the real window under a virtual display: a setting changed
# and Escape closes the dialog as キャンセル (BRAMKO.INI stays as it was); the same change and
# Enter closes it as OK and saves it.
# usage: settings_window.sh BUILD_DIR
set -u
. "$(dirname "$0")/lib/window.sh"
begin_window_test "$(cd "$1" && pwd)"
start_xvfb

# A folder of its own with a settings file of ours: ゲームスピード ふつう.
make_game_folder
ini="$work/game/BRAMKO.INI"
printf '[難易度調整]\nゲームスピード=2\n' | iconv -f UTF-8 -t SHIFT_JIS >"$ini"
cp "$ini" "$work/before.ini"
"$work/game/bramko2" >"$work/game.txt" 2>&1 &
game_pid=$!
wait_for_window
xdotool mousemove --window "$win" 320 300 2>/dev/null
focus_window
sleep 2

shot() { import -window "$win" "$work/$1.png" 2>/dev/null || fail "no screenshot $1"; }
# The dialog's grey face covers a good part of the window (the title has none of it).
dialog_open() {
  shot now && [ "$(convert "$work/now.png" -alpha off -fill white -opaque 'rgb(212,208,200)' -fill black +opaque white \
      -format '%[fx:mean > 0.2]' info:)" = 1 ]
}
wait_for() {  # seconds, command...
  local n=$(($1 * 5)); shift
  for _ in $(seq "$n"); do "$@" && return 0; sleep 0.2; done
  return 1
}
# 設定 → 設定変更, then ゲーム速度 遅い.
open_and_change() {
  xdotool mousemove --window "$win" 90 10 click 1
  sleep 0.5
  xdotool mousemove --window "$win" 110 32 click 1
  wait_for 10 dialog_open || fail "設定 → 設定変更 opened no dialog"
  xdotool mousemove --window "$win" 40 154 click 1  # 遅い
  sleep 0.5
  xdotool mousemove --window "$win" 320 420
}
speed() { iconv -f SHIFT_JIS -t UTF-8 "$ini" | tr -d '\r' | sed -n 's/^ゲームスピード=//p'; }

open_and_change
xdotool key --window "$win" Escape
sleep 1
dialog_open && fail "Escape did not close the settings dialog"
cmp -s "$ini" "$work/before.ini" || fail "Escape saved the settings: ゲームスピード=$(speed)"

open_and_change
xdotool key --window "$win" Return
sleep 1
dialog_open && fail "Enter did not close the settings dialog"
[ "$(speed)" = 0 ] || fail "Enter did not save 遅い (the click missed?): ゲームスピード=$(speed)"
kill -0 $game_pid 2>/dev/null || fail "the game died: $(cat "$work/game.txt")"
echo "settings window test passed"
