#!/usr/bin/env bash
# Installs whatever Debian packages are missing, then configures and builds the given
# build folder. Used by run.sh and test.sh; fast when everything is already in place.
# usage: [BRAMKO_TARGET=target] scripts/setup.sh [--tests] BUILD_DIR [extra cmake args...]
#        scripts/setup.sh --list [--tests]   prints the packages it would install, then stops
# --tests also installs scripts/packages-test.txt and builds the test suites.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
tests=0 list=0
while [ $# -gt 0 ]; do
  case "$1" in
    --tests) tests=1; shift ;;
    --list) list=1; shift ;;
    *) break ;;
  esac
done

# The packages of a list; a line of packages.txt marked "# tests" belongs to the tests.
packages() {  # file, game|tests
  while read -r line; do
    pkg="${line%%#*}"; pkg="${pkg//[[:space:]]/}"
    [ -n "$pkg" ] || continue
    marked=0; [[ "$line" =~ \#[[:space:]]*tests ]] && marked=1
    if [ "$2" = tests ] || [ "$marked" = 0 ]; then echo "$pkg"; fi
  done < "$1"
}
if [ "$tests" = 1 ]; then
  wanted=($({ packages "$here/scripts/packages.txt" tests; packages "$here/scripts/packages-test.txt" tests; } | sort -u))
else
  wanted=($(packages "$here/scripts/packages.txt" game))
fi
if [ "$list" = 1 ]; then printf '%s\n' "${wanted[@]}"; exit 0; fi

build="$1"; shift
missing=()
for pkg in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs="$(nproc 2>/dev/null || echo 2)"
cache="$here/$build/CMakeCache.txt"
if [ "$tests" = 1 ]; then set -- "$@" -DBRAMKO_TESTS=ON; fi
# Configure a new folder, and again when the tests are wanted in one configured without them.
if [ ! -f "$cache" ] || { [ "$tests" = 1 ] && ! grep -q '^BRAMKO_TESTS:BOOL=ON$' "$cache"; }; then
  cmake -S "$here" -B "$here/$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$here/$build" -j "$jobs" ${BRAMKO_TARGET:+--target "$BRAMKO_TARGET"}
