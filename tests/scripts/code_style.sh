#!/usr/bin/env bash
# The format and lint step (scripts/lint.sh) as a test of the suite.
# usage: code_style.sh BUILD_DIR
set -euo pipefail
exec bash "$(cd "$(dirname "$0")/../.." && pwd)/scripts/lint.sh"
