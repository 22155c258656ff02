#!/usr/bin/env bash
# Installs whatever Debian packages are missing, then configures and builds the given
# build folder. Used by run.sh and test.sh; fast when everything is already in place.
# usage: [BRAMKO_TARGET=target] scripts/setup.sh BUILD_DIR [extra cmake args...]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$1"; shift

missing=()
while read -r pkg; do
  pkg="${pkg%%#*}"; pkg="${pkg//[[:space:]]/}"
  [ -n "$pkg" ] || continue
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done < "$here/scripts/packages.txt"

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs="$(nproc 2>/dev/null || echo 2)"
if [ ! -f "$here/$build/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$here/$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$here/$build" -j "$jobs" ${BRAMKO_TARGET:+--target "$BRAMKO_TARGET"}
