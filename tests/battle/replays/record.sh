#!/usr/bin/env bash
# Records the regression replays again. Run it only on purpose: after a change that is meant
# to alter battles (and raises kBattleRulesVersion), then check the new fights and commit them.
# usage: tests/battle/replays/record.sh BUILD_DIR
set -eu
build="$(cd "$1" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$build"/map*.txt "$work"/

# Random key presses of one player, the same for the same seed: mostly steps, now and then a
# shot, rarely a dodge. keys: up down left right fire dodge.
play() {
  local seed=$1; shift
  local keys=("$@") t=3000 h k
  RANDOM=$seed
  while [ $t -lt 200000 ]; do
    t=$((t + 40 + RANDOM % 211)); h=$((30 + RANDOM % 271)); k=$((RANDOM % 20))
    if [ $k -lt 16 ]; then k=$((k / 4)); elif [ $k -lt 19 ]; then k=4; else k=5; fi
    echo "$t down ${keys[$k]}"; echo "$((t + h)) up ${keys[$k]}"; t=$((t + h))
  done
}
player1=(84 71 70 72 88 90)    # T G F H X Z
player2=(38 40 37 39 13 188)   # arrows, Enter, comma

record() {  # name seed script-file bramko-sim options...
  local name=$1 seed=$2 script=$3; shift 3
  "$build/bramko-sim" --dir "$work" --seed "$seed" --script "$script" --record "$here/$name.rpl" "$@" 2>/dev/null |
    grep -o '"lastMatch".*' | sed "s/^/$name: /"
}

{ play 101 "${player1[@]}"; play 102 "${player2[@]}"; } >"$work/versus.txt"
record versus 101 "$work/versus.txt" --versus
play 34 "${player1[@]}" >"$work/p34.txt"
play 14 "${player1[@]}" >"$work/p14.txt"
record story 34 "$work/p34.txt" --match 0 --map 2            # a win over たこ太郎 on the tournament map
record doraq 14 "$work/p14.txt" --match 14 --map 3           # ドラＱ transforms on its timetable
record invisible 14 "$work/p14.txt" --match 15 --map 2       # 後藤秀保 fights unseen
record delayed-fangs 14 "$work/p14.txt" --match 16 --map 1   # 蛇使い's fangs start late
