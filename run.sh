#!/usr/bin/env bash
# Installs what the game needs (never the test tools), builds it, and starts it.
# Afterwards build/bramko2 starts the game without this script.
set -euo pipefail
cd "$(dirname "$0")"
BRAMKO_TARGET=bramko2 scripts/setup.sh build  # the game alone; ./test.sh builds the rest
exec build/bramko2 "$@"
