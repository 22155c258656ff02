#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game.
set -euo pipefail
cd "$(dirname "$0")"
BRAMKO_TARGET=bramko2 scripts/setup.sh build  # the game alone; ./test.sh builds the rest
exec build/bramko2 "$@"
