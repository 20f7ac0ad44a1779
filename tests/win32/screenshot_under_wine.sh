#!/usr/bin/env bash
# Uses the Kovrane window through the X server, as a person at the keyboard
# would: Space on the focused START button, a screenshot of the counting
# window, then alt+F4 during the run. Checks that the readout is drawn in
# the colour given and that the program ends with status 0. Runs inside
# wine_session.sh.
#
# Usage: screenshot_under_wine.sh OUTPUT_PNG READOUT_COLOUR WINDOWS_PROGRAM [ARGS...]
#   READOUT_COLOUR as #RRGGBB: #000080 for kovrane.exe's dark blue
set -euo pipefail
output=$1 colour=$2
shift 2
source "$(dirname "$0")/../lib/xvfb_session.sh"
require_tools xdotool import convert

wine "$@" &
program=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Kovrane$' | head -n 1) || {
  echo "FAIL - the Kovrane window did not appear"
  exit 1
}
echo "ok - the Kovrane window appears"

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$program/stat"; }
xdotool windowfocus --sync "$window"
xdotool key space
ticks_before=$(cpu_ticks)
echo "measuring process $program: $(tr '\0' ' ' <"/proc/$program/cmdline")"
sleep 2.6
ticks_used=$(( $(cpu_ticks) - ticks_before ))
echo "figure - CPU while counting: $ticks_used ticks of 1/$(getconf CLK_TCK) s in 2.6 s"
echo "figure - resident memory under wine: $(awk '/^VmRSS/ { print $2, $3 }' "/proc/$program/status")"

eval "$(xdotool getwindowgeometry --shell "$window")"
readout_painted() {
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$output"
  readout_pixels=$(convert "$output" -fill white +opaque "$colour" -fill black -opaque "$colour" \
    -format '%[fx:int(w*h*(1-mean))]' info:)
  [ "$readout_pixels" -gt 300 ]
}
# Until the readout is painted, or for 20 s: a wrong colour never is.
wait_until 20 readout_painted || true
echo "figure - $readout_pixels pixels of $colour in the ${WIDTH} x ${HEIGHT} window"

xdotool key alt+F4
started=$(date +%s%N)
status=0
timeout 20 tail --pid="$program" -f /dev/null || { echo "FAIL - still running after alt+F4"; exit 1; }
wait "$program" || status=$?
echo "figure - ended $(( ($(date +%s%N) - started) / 1000000 )) ms after alt+F4"

failed=0
# The readout's 48-pixel digits cover about a thousand pixels of exactly that
# colour (the rest is anti-aliased); another colour leaves none.
if [ "$readout_pixels" -gt 300 ]; then echo "ok - the readout is drawn in $colour"
else echo "FAIL - the readout is not drawn in $colour"; failed=1; fi
if [ "$status" -eq 0 ]; then echo "ok - alt+F4 during a run ends the program with status 0"
else echo "FAIL - exit status $status after alt+F4"; failed=1; fi
echo "screenshot: $output"
exit "$failed"
