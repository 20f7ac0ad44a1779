#!/usr/bin/env bash
# Soak run of the real kovrane under Xvfb: soak_driver clicks START and STOP
# in seeded random bursts for a minute or more and checks every screenshot;
# then the window is closed during a run, as a window manager closes it,
# and the program must end with status 0 (under ASan: with no report).
#
# Usage: soak_test.sh KOVRANE SOAK_DRIVER SEND_WM_DELETE OUTPUT_DIR SECONDS SEED \
#                     RSS_GROWTH_LIMIT_KIB
# Exit status 77 (skipped) when a tool is missing, except under CI.
set -uo pipefail

kovrane=$1 driver=$2 send_wm_delete=$3 out=$4 seconds=$5 seed=$6 rss_limit=$7
mkdir -p "$out"
rm -f "$out"/*.png

source "$(dirname "$0")/../lib/xvfb_session.sh"
require_tools Xvfb xdotool

trap stop_app_and_xvfb EXIT

start_xvfb "$out"
echo "Xvfb on $DISPLAY, seed $seed, $seconds s"

launch_kovrane "$kovrane" "$out/kovrane.log"

"$driver" "$app" "$window" "$seconds" "$seed" "$out" "$rss_limit"
driver_status=$?

"$send_wm_delete" "$window"
for _ in $(seq 300); do kill -0 "$app" 2>/dev/null || break; sleep 0.01; done
wait "$app"
status=$?
app=
echo "kovrane ended with status $status after closing during a run"
if [ -s "$out/kovrane.log" ]; then echo "kovrane's standard error:"; cat "$out/kovrane.log"; fi
[ "$driver_status" = 0 ] && [ "$status" = 0 ]
