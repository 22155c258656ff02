#!/usr/bin/env bash
# The sync test (bramko-sim --sync-test 8) over the stored regression replays and one story
# match against each of the 23 opponents: at the end of every frame the battle rolls back 8
# frames and plays them again, and every frame played again must leave the state its first
# play left. Each match must also end exactly as it ends without the test, and the screen
# must show the same pictures while it runs.
# usage: sync_test.sh BUILD_DIR
set -u
build="$(cd "$1" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$build"/map*.txt "$work"/
failed=0

# check LABEL ARGS...: the match with and without the sync test, each from a folder of its
# own where the script's screenshots land; they must show the same pictures.
check() {
  local label=$1; shift
  local plain checked shot
  rm -rf "$work/plain" "$work/synced"
  mkdir "$work/plain" "$work/synced"
  plain="$(cd "$work/plain" && "$build/bramko-sim" --dir "$work" "$@" 2>/dev/null | grep -o '"lastMatch".*')"
  if ! checked="$(cd "$work/synced" && "$build/bramko-sim" --dir "$work" --sync-test 8 "$@" 2>"$work/err" |
                  grep -o '"lastMatch".*')" || grep -q "sync test failed" "$work/err"; then
    echo "FAIL $label: $(grep 'sync test failed' "$work/err")"
    failed=1
    return
  fi
  if [ -z "$plain" ] || [ "$plain" != "$checked" ]; then
    echo "FAIL $label: the match ended otherwise under the sync test"
    echo "  without: $plain"
    echo "  with:    $checked"
    failed=1
    return
  fi
  for shot in "$work"/plain/*.png; do
    [ -e "$shot" ] || continue
    if ! cmp -s "$shot" "$work/synced/$(basename "$shot")"; then
      echo "FAIL $label: the screen differs under the sync test at $(basename "$shot" .png) ms"
      failed=1
      return
    fi
  done
  echo "ok   $label: $(grep -o 'sync test: [0-9]* frames checked' "$work/err"), $(ls "$work"/plain/*.png 2>/dev/null | wc -l) screens alike"
}

# Screens taken while the rounds run (the first at the first round's fifth second).
shots() { for ms in 9000 17003 26011 33000 47000; do echo "$ms shot $ms.png"; done; }
shots >"$work/shots.txt"

# The replays hold two people, a win on the tournament map, DoraQ's transformation, the
# invisible opponent and the delayed fangs; their checksums are checked on the way too.
for replay in "$here"/../battle/replays/*.rpl; do
  check "replay $(basename "$replay" .rpl)" --replay "$replay" --script "$work/shots.txt"
done

# A player at the keys who steps, now and then shoots, rarely dodges (as record.sh's).
RANDOM=27
t=3000
while [ $t -lt 200000 ]; do
  t=$((t + 40 + RANDOM % 211)); h=$((30 + RANDOM % 271)); k=$((RANDOM % 20))
  if [ $k -lt 16 ]; then k=$((k / 4)); elif [ $k -lt 19 ]; then k=4; else k=5; fi
  key=$(echo 84 71 70 72 88 90 | cut -d' ' -f$((k + 1)))
  echo "$t down $key"; echo "$((t + h)) up $key"; t=$((t + h))
done >"$work/keys.txt"
shots >>"$work/keys.txt"
# Short rounds keep the suite quick; DoraQ's get 45 seconds, so it transforms at 44.
for n in $(seq 0 22); do
  seconds=20
  [ "$n" = 14 ] && seconds=45
  check "opponent $n" --seed $((500 + n)) --script "$work/keys.txt" --match "$n" --map $((n % 3 + 1)) \
    --round-seconds "$seconds"
done
exit $failed
