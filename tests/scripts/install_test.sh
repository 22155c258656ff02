#!/usr/bin/env bash
# The game as a player gets it: installed into a prefix that is then made read-only and run
# by an ordinary user, headless and in a real window. It finds its data, saves into the
# user's data folder, keeps its settings in the user's config folder, and runs one copy per
# user. Also: the desktop entry and metainfo pass their validators, the .deb builds with
# its dependencies, and ./run.sh's package list holds no test-only package.
# usage: install_test.sh BUILD_DIR
set -u
build="$(cd "$1" && pwd)"
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d)"
pids=()
cleanup() {
  # The games first, the display last: a game whose display vanished first has been seen
  # to linger.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
  chmod -R u+w "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
. "$(dirname "$0")/lib/window.sh"
wait_for() {  # seconds, test command...
  local n=$(($1 * 10)); shift
  for _ in $(seq "$n"); do "$@" && return 0; sleep 0.1; done
  return 1
}

# --- The package lists: what ./run.sh installs holds nothing only the tests need.
game_packages="$("$source_dir/scripts/setup.sh" --list)"
test_only="$(sed 's/#.*//; /^[[:space:]]*$/d; s/[[:space:]]//g' "$source_dir/scripts/packages-test.txt")"
for tool in Xvfb xdotool import fluidsynth desktop-file-validate appstreamcli /usr/include/gtest/gtest.h; do
  path="$(command -v "$tool" || echo "$tool")"
  owner="$(dpkg -S "$(readlink -f "$path")" 2>/dev/null | head -n 1 | cut -d: -f1)"
  test_only+=$'\n'"$owner"
done
for pkg in $test_only; do
  grep -qxF "$pkg" <<<"$game_packages" && fail "./run.sh would install the test-only package $pkg"
done

# --- Install, validate, make read-only.
chmod 755 "$work"
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.txt" 2>&1 || fail "install: $(cat "$work/install.txt")"
[ -x "$prefix/bin/bramko2" ] || fail "no bin/bramko2"
[ -f "$prefix/share/bramko2/map1.txt" ] && [ -f "$prefix/share/bramko2/BRAMKO.HLP" ] || fail "no data in share/bramko2"
for size in 16x16 32x32 48x48 256x256 scalable; do
  ls "$prefix/share/icons/hicolor/$size/apps/"* >/dev/null 2>&1 || fail "no $size icon"
done
[ -f "$prefix/share/man/man6/bramko2.6.gz" ] || fail "no man page"
[ -f "$prefix/share/man/ja/man6/bramko2.6.gz" ] || fail "no Japanese man page"
desktop-file-validate "$prefix"/share/applications/*.desktop || fail "desktop entry does not validate"
appstreamcli validate-tree --no-net "$prefix" >"$work/appstream.txt" 2>&1 || fail "metainfo: $(cat "$work/appstream.txt")"
chmod -R a-w,a+rX "$prefix"

# An ordinary user: root may write into read-only folders, so root runs the game as nobody.
as_user=()
if [ "$(id -u)" -eq 0 ]; then as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups --); fi
new_home() {  # name: a home and a runtime folder the user owns
  mkdir -p "$work/$1/home" "$work/$1/run"
  chmod 700 "$work/$1/run"
  [ "$(id -u)" -eq 0 ] && chown -R 65534:65534 "$work/$1"
  echo "HOME=$work/$1/home XDG_CONFIG_HOME=$work/$1/home/config XDG_DATA_HOME=$work/$1/home/data XDG_RUNTIME_DIR=$work/$1/run"
}

# --- Headless: the simulator standing in for the installed executable, and for a read-only
# copy with its data beside it. Both find their data (no message box at all) and save into
# the user's data folder.
printf '500 menu ファイル(&F)/保存\n' >"$work/save.txt"
cp "$build/bramko-sim" "$work/bramko-sim"  # the build folder may be closed to other users
chmod 755 "$work/bramko-sim" && chmod 644 "$work/save.txt"
for dir in "$prefix/bin" "$prefix/share/bramko2"; do
  name="sim$(basename "$dir")"
  env $(new_home "$name") SDL_AUDIODRIVER=dummy "${as_user[@]}" "$work/bramko-sim" --dir "$dir" \
    --script "$work/save.txt" >"$work/$name.out" 2>"$work/$name.err" || fail "bramko-sim --dir $dir: $(cat "$work/$name.err")"
  # The only box is the one that says the progress was saved.
  grep '^\[message\]' "$work/$name.err" | grep -qv '進行状況を保存しました' &&
    fail "bramko-sim --dir $dir showed: $(cat "$work/$name.err")"
  grep -q '進行状況を保存しました' "$work/$name.err" || fail "--dir $dir: no word that the progress was saved"
  [ "$(stat -c %s "$work/$name/home/data/bramko2/BRAMKO.DAT" 2>/dev/null)" = 19 ] || fail "--dir $dir saved nowhere"
done

# --- The installed game in a real window.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")"
windows() { xdotool search --name "Bramko2 for Windows" 2>/dev/null; }
has_windows() { [ "$(windows | wc -l)" -ge "$1" ]; }

p1="$(new_home p1)"
env $p1 SDL_AUDIODRIVER=dummy "${as_user[@]}" "$prefix/bin/bramko2" >"$work/p1.txt" 2>&1 &
pids+=($!)
wait_for 30 has_windows 1 || fail "no window appeared; the game said: $(cat "$work/p1.txt")"
win="$(windows | head -n 1)"
# Start-up is done once the title is drawn; clicks sent before then may land in one frame.
drawn() { import -window "$win" "$work/shot.png" 2>/dev/null && [ "$(convert "$work/shot.png" -format '%k' info:)" -gt 8 ]; }
wait_for 30 drawn || fail "the title was never drawn"
focus_window
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep "$3"; }
# A menu item, picked again on a busy machine until the file it writes appears.
pick() {  # menu x, item y, file, keys to send after the item
  for wait in 0.5 1 2; do
    click "$1" 10 "$wait"
    click "$1" "$2" "$wait"
    [ -n "$4" ] && xdotool key --window "$win" "$4"
    wait_for 5 test -s "$3" && return 0
  done
  return 1
}
pick 25 34 "$work/p1/home/data/bramko2/BRAMKO.DAT" "" || fail "ファイル → 保存 wrote no save"
sleep 1
xdotool key --window "$win" Return  # the box that says it was saved
sleep 0.5
# 設定 → 設定変更, then Enter for OK: every setting is written.
pick 88 34 "$work/p1/home/config/bramko2/BRAMKO.INI" Return || fail "settings OK wrote no settings file"
iconv -f CP932 -t UTF-8 "$work/p1/home/config/bramko2/BRAMKO.INI" | grep -qx 'ゲームスピード=2' \
  || fail "the settings file holds: $(iconv -f CP932 -t UTF-8 "$work/p1/home/config/bramko2/BRAMKO.INI")"
ls "$prefix/bin" "$prefix/share/bramko2" | grep -q 'BRAMKO\.\(INI\|DAT\)' && fail "wrote into the installed prefix"

# A second copy of the same user says why (on standard error and in a box) and ends with status 1.
env $p1 SDL_AUDIODRIVER=dummy "${as_user[@]}" timeout 60 "$prefix/bin/bramko2" >"$work/second.txt" 2>&1 &
second_pid=$!
pids+=($second_pid)
wait_for 30 has_windows 2 || fail "the second copy showed nothing: $(cat "$work/second.txt")"
sleep 1
second="$(windows | grep -vx "$win" | head -n 1)"
for _ in 1 2 3 4 5; do
  kill -0 $second_pid 2>/dev/null || break
  xdotool key --window "$second" Return 2>/dev/null
  sleep 1
done
wait $second_pid
status=$?
[ "$status" -eq 1 ] || fail "the second copy of the same user ended with $status, expected 1"
grep -q 'すでに起動しています' "$work/second.txt" || fail "the second copy said: $(cat "$work/second.txt")"

# Another user (root itself when the test runs as root) runs beside the first.
other="$(new_home p2)"
[ "$(id -u)" -eq 0 ] && chown -R 0:0 "$work/p2"
env $other SDL_AUDIODRIVER=dummy "$prefix/bin/bramko2" >"$work/p2.txt" 2>&1 &
pids+=($!)
wait_for 30 has_windows 2 || fail "another user's copy did not run: $(cat "$work/p2.txt")"

# --- The Debian package: dependencies from the binary plus the data it reads at run time.
(cd "$build" && cpack -G DEB -B "$work/deb" >"$work/cpack.txt" 2>&1) || fail "cpack: $(cat "$work/cpack.txt")"
deb="$(ls "$work"/deb/bramko2_*.deb 2>/dev/null | head -n 1)"
[ -n "$deb" ] || fail "no .deb was made"
depends="$(dpkg-deb -f "$deb" Depends)"
for dep in fonts-ipafont-gothic timgm6mb-soundfont libsdl2-2.0-0 libsdl2-mixer-2.0-0; do
  grep -q "$dep" <<<"$depends" || fail "the .deb does not depend on $dep: $depends"
done
dpkg-deb -c "$deb" | grep -q ' ./usr/share/bramko2/map1.txt$' || fail "the .deb lacks the data"

echo "install test passed"
