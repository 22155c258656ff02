#!/usr/bin/env bash
# Runs bench_pacing on an Xvfb display of its own (software rendering, like a machine
# without a GPU). usage: bench/pacing.sh BUILD_DIR [--scale N] [--pad] [--headless-only | --online]
set -u
build="$1"; shift
work="$(mktemp -d)"
trap 'kill ${xvfb_pid:-} 2>/dev/null; rm -rf "$work"' EXIT
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; exit 1; }
DISPLAY=":$(head -n 1 "$work/display")" XDG_RUNTIME_DIR="$work" "$build/bench/bench_pacing" "$@" 2>/dev/null
