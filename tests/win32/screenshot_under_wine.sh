#!/usr/bin/env bash
# Uses kovrane.exe through the X server, as a person at the keyboard would:
# Space on the focused START button, a screenshot of the counting window,
# then alt+F4 during the run. Checks that the readout is drawn in its dark
# blue and that the program ends with status 0. Runs inside wine_session.sh.
#
# Usage: screenshot_under_wine.sh KOVRANE_EXE OUTPUT_PNG
set -euo pipefail
exe=$1 output=$2

for tool in xdotool import convert; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool is not installed (scripts/install-deps.sh installs it)"
    [ -n "${CI:-}" ] && exit 1
    exit 77
  fi
done

wine "$exe" &
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
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$output"
dark_blue=$(convert "$output" -fill white +opaque '#000080' -fill black -opaque '#000080' \
  -format '%[fx:int(w*h*(1-mean))]' info:)
echo "figure - $dark_blue dark blue (0, 0, 128) pixels in the ${WIDTH} x ${HEIGHT} window"

xdotool key alt+F4
started=$(date +%s%N)
status=0
timeout 20 tail --pid="$program" -f /dev/null || { echo "FAIL - still running after alt+F4"; exit 1; }
wait "$program" || status=$?
echo "figure - ended $(( ($(date +%s%N) - started) / 1000000 )) ms after alt+F4"

failed=0
# The readout's 48-pixel digits cover about a thousand pixels of exactly that
# colour (the rest is anti-aliased); another colour leaves none.
if [ "$dark_blue" -gt 300 ]; then echo "ok - the readout is drawn in dark blue"
else echo "FAIL - the readout is not drawn in dark blue"; failed=1; fi
if [ "$status" -eq 0 ]; then echo "ok - alt+F4 during a run ends the program with status 0"
else echo "FAIL - exit status $status after alt+F4"; failed=1; fi
echo "screenshot: $output"
exit "$failed"
