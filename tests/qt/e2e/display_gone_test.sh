#!/usr/bin/env bash
# The display going away during a run: the real kovrane counts on an Xvfb
# of its own, the server is killed, and the program must end with status 1
# instead of waiting or spinning on a dead connection, and under ASan with
# no report. Promptness is judged by the CPU the program spends between
# the kill and its end, which a loaded machine does not inflate; the wall
# time is printed, and only a program still there after 5 s fails on it.
#
# Usage: display_gone_test.sh KOVRANE OUTPUT_DIR
# Exit status 77 (skipped) when a tool is missing, except under CI.
set -uo pipefail

kovrane=$1 out=$2
mkdir -p "$out"

source "$(dirname "$0")/../../lib/xvfb_session.sh"
require_tools Xvfb xdotool

trap stop_app_and_xvfb EXIT

# Sets ticks to the user plus system CPU of a process in clock ticks; fails
# once it is gone. No subshell, so the polling below stays fine-grained.
cpu_ticks() {
  local stat fields
  read -r stat 2>/dev/null <"/proc/$1/stat" || return 1
  fields=(${stat##*) })  # the name in parentheses may hold spaces
  ticks=$((fields[11] + fields[12]))
}
microseconds() { echo "${EPOCHREALTIME/./}"; }
# Each whole-second wait of a run holds a timerfd; nothing else in the program does.
counting() { ls -l "/proc/$app/fd" 2>/dev/null | grep -q 'anon_inode:\[timerfd\]'; }
no_sanitizer_report() { ! grep -q 'Sanitizer\|runtime error' "$out/kovrane.log"; }

start_xvfb "$out"
launch_kovrane "$kovrane" "$out/kovrane.log"

xdotool mousemove --window "$window" 60 92 click 1  # START
check "counting when the display goes" wait_until 10 counting

cpu_ticks "$app"
before=$ticks last=$ticks
disown "$XVFB_PID"  # no job notice for the kill
kill -KILL "$XVFB_PID"
killed=$(microseconds)
XVFB_PID=
while cpu_ticks "$app" && [ $(($(microseconds) - killed)) -lt 5000000 ]; do
  last=$ticks
  sleep 0.01
done
ended=$(microseconds)
if kill -0 "$app" 2>/dev/null; then
  echo "kovrane was still running 5 s after the display went"
  disown "$app"
  kill -KILL "$app"
  status=killed
else
  wait "$app"
  status=$?
fi
app=

milliseconds=$(((ended - killed) / 1000))
cpu_ms=$(((last - before) * 1000 / $(getconf CLK_TCK)))
echo "display killed during a run: exit status $status after $milliseconds ms," \
  "$cpu_ms ms of CPU in between (sampled every 10 ms)"
echo "kovrane's standard error:"
cat "$out/kovrane.log"
check "exit status 1" [ "$status" = 1 ]
check "ended within 5 s" [ "$milliseconds" -lt 5000 ]
check "no spinning: under a second of CPU until the end" [ "$cpu_ms" -lt 1000 ]
check "no sanitizer report" no_sanitizer_report
[ "$failures" = 0 ]
