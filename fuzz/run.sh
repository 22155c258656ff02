#!/usr/bin/env bash
# Builds the fuzz targets and runs each for a fixed number of executions from a fixed seed,
# starting from its corpus (fuzz/corpus/<name>/ and the shipped files it names).
# usage: fuzz/run.sh FUZZ_BUILD_DIR RUNTIME_DIR [RUNS] [extra libFuzzer options...]
#   RUNS 0: no limit of executions (give one of time, -max_total_time=SECONDS).
#   RUNTIME_DIR is the normal build folder, where the game's generated media files are.
# A crash leaves its input in FUZZ_BUILD_DIR/artifacts/; add it to fuzz/corpus/<name>/.
set -uo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$1"; runtime="$2"; runs="${3:-20000}"; shift $(( $# < 3 ? $# : 3 ))
case "$build" in /*) ;; *) build="$here/$build" ;; esac
case "$runtime" in /*) ;; *) runtime="$here/$runtime" ;; esac

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$build" -DBRAMKO_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null || exit 1
fi
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" >/dev/null || { cmake --build "$build"; exit 1; }

limit=(); [ "$runs" != 0 ] && limit=(-runs="$runs")
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$build/artifacts"
passed=0; failed=0
while read -r name patterns; do
  [ -n "$name" ] || continue
  corpus="$work/$name"
  mkdir -p "$corpus"
  cp "$here/fuzz/corpus/$name/"* "$corpus/" 2>/dev/null
  for pattern in $patterns; do
    case "$pattern" in
      source:*) base="$here"; pattern="${pattern#source:}" ;;
      runtime:*) base="$runtime"; pattern="${pattern#runtime:}" ;;
      *) echo "fuzz/run.sh: unknown seed pattern $pattern"; exit 1 ;;
    esac
    for f in $base/$pattern; do [ -f "$f" ] && cp "$f" "$corpus/"; done
  done
  seeds=$(ls "$corpus" | wc -l)
  start=$(date +%s%N)
  # New inputs land in the scratch copy, never in the repository.
  if "$build/fuzz_$name" "${limit[@]}" -seed=1 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$build/artifacts/$name-" "$@" "$corpus" >"$work/$name.log" 2>&1; then
    execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/$name.log" | grep -o '[0-9]*$')
    ms=$(( ($(date +%s%N) - start) / 1000000 ))
    printf 'fuzz %-9s ok  %6s executions from %3s seeds in %d.%d s\n' "$name" "${execs:-?}" "$seeds" \
      $((ms / 1000)) $((ms % 1000 / 100))
    passed=$((passed + 1))
  else
    echo "fuzz $name FAILED:"; tail -n 40 "$work/$name.log"
    failed=$((failed + 1))
  fi
done <"$build/fuzz_targets.txt"
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
