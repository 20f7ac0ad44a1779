#!/usr/bin/env bash
# The real kovrane under Xvfb, read through AT-SPI in a private D-Bus
# session, as a screen reader reads it (see screen_reader_test.py).
#
# Usage: screen_reader_test.sh KOVRANE OUTPUT_DIR
# Exit status 77 (skipped) when a tool is missing, except under CI.
set -uo pipefail

kovrane=$1 out=$2
mkdir -p "$out"
here=$(dirname "$0")
source "$here/../lib/xvfb_session.sh"
require_tools Xvfb xdotool dbus-run-session
# Debian's own Python: the one with pyatspi.
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || require_tools python3-pyatspi

XVFB_PID=
trap '[ -n "$XVFB_PID" ] && kill "$XVFB_PID"' EXIT
start_xvfb "$out"
dbus-run-session -- /usr/bin/python3 "$here/screen_reader_test.py" "$kovrane" 2>"$out/stderr.log"
