#!/usr/bin/env bash
# Benchmark, not a test: runs the real_window measurements (start-up time,
# CPU while counting, peak memory) against the real program on a private
# Xvfb display of its own.
#
# Usage: real_window.sh REAL_WINDOW KOVRANE [SECONDS] [LAUNCHES]
set -euo pipefail

real_window=$1 kovrane=$2 seconds=${3:-30} launches=${4:-5}
work=$(mktemp -d)
XVFB_PID=
cleanup() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "$0")/../tests/lib/xvfb_session.sh"
start_xvfb "$work"

"$real_window" "$kovrane" "$seconds" "$launches" 2>"$work/stderr" || { cat "$work/stderr" >&2; exit 1; }
