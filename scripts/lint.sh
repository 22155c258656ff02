#!/usr/bin/env bash
# The code style and lint check of the project's own C++ (./test.sh runs it through CTest):
#  - clang-format: every file as .clang-format lays it out (fix: clang-format -i FILE);
#  - cppcheck: warnings, portability and performance findings in src/ (a finding that is
#    wrong is silenced on its line with "// cppcheck-suppress <id>" and a reason).
# usage: scripts/lint.sh
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
status=0

mapfile -t files < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' \
  'fuzz/*.cpp' 'tools/*.cpp' 'tools/*.h' 2>/dev/null || find src tests bench fuzz tools -name '*.cpp' -o -name '*.h')
unformatted=()
for f in "${files[@]}"; do
  [ -f "$f" ] || continue
  if ! clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then unformatted+=("$f"); fi
done
if [ "${#unformatted[@]}" -gt 0 ]; then
  echo "lint: not laid out as .clang-format says (clang-format -i these):"
  printf '  %s\n' "${unformatted[@]}"
  status=1
else
  echo "lint: ${#files[@]} files laid out as .clang-format says"
fi

# useInitializationList is left out: the dialogs fill their controls in the constructor's
# body on purpose, in the order the form lists them.
if ! cppcheck --quiet --std=c++20 --language=c++ --enable=warning,performance,portability \
    --suppress=missingIncludeSystem --suppress=useInitializationList --inline-suppr \
    --error-exitcode=1 -j "$(nproc)" -I src src; then
  echo "lint: cppcheck found the above in src/"
  status=1
else
  echo "lint: cppcheck found nothing in src/"
fi
# No room holds more than a fifth of the source lines (a room that grows past it is split).
rooms="$(sed -n 's/^bramko_room(\([a-z/]*\).*/\1/p' CMakeLists.txt)"
total="$(find src -name '*.cpp' -o -name '*.h' -o -name '*.inl' | xargs cat | wc -l)"
over=0
for room in $rooms; do
  if [ "$room" = platform ]; then
    lines="$(find src/platform -maxdepth 1 -type f | xargs cat | wc -l)"
  else
    lines="$(find "src/$room" -name '*.cpp' -o -name '*.h' -o -name '*.inl' | xargs cat | wc -l)"
  fi
  if [ $((lines * 5)) -gt "$total" ]; then
    echo "lint: room $room holds $lines of $total source lines, more than a fifth"
    over=1
  fi
done
if [ "$over" = 0 ]; then
  echo "lint: $(echo $rooms | wc -w) rooms, none over a fifth of the $total source lines"
else
  status=1
fi
exit "$status"
