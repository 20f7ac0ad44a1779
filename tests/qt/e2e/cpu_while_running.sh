#!/usr/bin/env bash
# Benchmark, not a test: how much CPU the real program uses while a run
# counts. Starts kovrane under Xvfb, clicks START, and reads the process's
# user and system time from /proc before and after a stretch of running.
#
# Usage: cpu_while_running.sh KOVRANE [SECONDS]
set -euo pipefail

kovrane=$1 seconds=${2:-20}
work=$(mktemp -d)
xvfb= app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 640x480x24 -dpi 96 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/display")"

"$kovrane" 2>/dev/null &
app=$!
window=$(timeout 10 xdotool search --sync --onlyvisible --pid "$app" --name '^Kovrane$' | head -n1)
xdotool mousemove --window "$window" 60 92 click 1  # START
sleep 2

cpu_ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
before=$(cpu_ticks)
sleep "$seconds"
after=$(cpu_ticks)
hz=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" 'BEGIN {
  printf "CPU while running: %.2f s in %d s = %.2f%% of one core\n", t / hz, s, 100 * t / hz / s }'
echo "resident memory: $(awk '/VmRSS/ {print $2, $3}' "/proc/$app/status")"
