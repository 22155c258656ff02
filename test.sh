#!/usr/bin/env bash
# Installs what is missing (the game's packages and the tests'), builds, and runs every
# test through CTest: once on the normal build and once on the sanitizer build (ASan +
# UBSan); then runs every fuzz target for a fixed number of executions (fuzz/README.md).
# Exit status is the suite's.
set -uo pipefail
cd "$(dirname "$0")"
scripts/setup.sh --tests build || exit 1
status=0
(cd build && ctest --output-on-failure -j 2) || status=1
if [ "${BRAMKO_SKIP_SANITIZE:-0}" != 1 ]; then
  scripts/setup.sh --tests build-asan -DBRAMKO_SANITIZE=ON || exit 1
  # The system libraries keep one-time caches (fonts, display) until exit; only ours must be clean.
  (cd build-asan && LSAN_OPTIONS="suppressions=$PWD/../tests/lsan.supp" ctest --output-on-failure -j 2 -LE nosan) || status=1
fi
if [ "${BRAMKO_SKIP_FUZZ:-0}" != 1 ]; then
  fuzz/run.sh build-fuzz build 5000 || status=1
fi
exit $status
