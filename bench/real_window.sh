#!/usr/bin/env bash
# Benchmark, not a test: runs the real_window measurements (start-up time,
# CPU while counting, peak memory) against the real program on a private
# Xvfb display of its own.
#
# Usage: real_window.sh REAL_WINDOW KOVRANE [SECONDS] [LAUNCHES]
set -euo pipefail

real_window=$1 kovrane=$2 seconds=${3:-30} launches=${4:-5}
work=$(mktemp -d)
xvfb=
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 640x480x24 -dpi 96 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

"$real_window" "$kovrane" "$seconds" "$launches" 2>"$work/stderr" || { cat "$work/stderr" >&2; exit 1; }
