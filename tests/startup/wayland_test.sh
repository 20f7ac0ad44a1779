#!/usr/bin/env bash
# The real kovrane in a native Wayland session: a headless compositor of
# its own (weston, GNOME's mutter or KDE's KWin), with no X display and no
# platform chosen, so Qt picks Wayland itself, started with an argument it
# must ignore.
# From the program's protocol trace: a toplevel titled "Kovrane", named by
# its desktop entry, whose minimum size equals its maximum, with a title
# bar: Qt's own above the content under weston and mutter, KWin's
# (server-side) under KWin. A
# headless compositor has no pointer and no keyboard, so START is pressed as
# a screen reader presses it, through AT-SPI. Under weston two screenshots
# taken by the compositor show the readout counting; mutter takes none
# without GNOME Shell, nor KWin 6 without OpenGL, so under those the
# readout is read through AT-SPI and the compositor must keep taking the
# frames (releasing their buffers). Then SIGTERM
# during the run, as when the session ends, must close the window and end
# the program with status 0.
#
# Usage: wayland_test.sh KOVRANE OUTPUT_DIR weston|mutter|kwin
# Exit status 77 (skipped) when a tool is missing, except under CI.
set -uo pipefail

kovrane=$1 out=$2 compositor=$3
source "$(dirname "$0")/../lib/xvfb_session.sh"
source "$(dirname "$0")/../lib/wayland_session.sh"
require_tools "$(compositor_tool "$compositor")" wayland-info dbus-run-session convert compare
[ "$compositor" = weston ] && require_tools weston-screenshooter
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || require_tools python3-pyatspi
# AT-SPI and the compositor run on a D-Bus session of the test's own.
[ -n "${KOVRANE_TEST_BUS:-}" ] || KOVRANE_TEST_BUS=1 exec dbus-run-session -- "$0" "$@"

mkdir -p "$out"
# The program truncates its trace only once it has started: a last run's
# trace must not be read meanwhile.
rm -f "$out"/*.png "$out/trace.log"
unset DISPLAY QT_QPA_PLATFORM XDG_SESSION_TYPE
XDG_RUNTIME_DIR=$(mktemp -d) && export XDG_RUNTIME_DIR
export WAYLAND_DISPLAY=kovrane-test-$$
compositor_pid= app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  [ -n "$compositor_pid" ] && kill "$compositor_pid" 2>/dev/null
  wait 2>/dev/null
  remove_runtime_dir "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT

start_compositor "$compositor" "$out/compositor.log" ||
  { echo "FAILED: $compositor did not start"; cat "$out/compositor.log"; exit 1; }

WAYLAND_DEBUG=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$kovrane" --an-ignored-argument 2>"$out/trace.log" &
app=$!
# libwayland writes an object as interface@id up to 1.22, interface#id later.
trace_has() { grep -q "$1" "$out/trace.log"; }
wait_until 10 trace_has 'wl_surface[@#][0-9]*\.attach(wl_buffer' || true
check "a Wayland toplevel titled Kovrane" trace_has 'xdg_toplevel[@#][0-9]*\.set_title("Kovrane")'
# The desktop entry's name, by which GNOME and Plasma show its name and icon.
check "the toplevel's app_id names the desktop entry" \
  trace_has 'xdg_toplevel[@#][0-9]*\.set_app_id("org\.kovrane\.Kovrane")'
min=$(grep -o 'set_min_size([0-9, ]*)' "$out/trace.log" | tail -n1 | grep -o '[0-9, ]*[0-9]')
max=$(grep -o 'set_max_size([0-9, ]*)' "$out/trace.log" | tail -n1 | grep -o '[0-9, ]*[0-9]')
check "minimum size equals maximum size ($min and $max)" [ -n "$min" -a "$min" = "$max" ]
if [ "$compositor" = kwin ]; then
  # zxdg_toplevel_decoration_v1's mode 2 is server-side.
  check "KWin draws the title bar" trace_has 'zxdg_toplevel_decoration_v1[@#][0-9]*\.configure(2)'
else
  # Qt draws the title bar itself here, so the window stands taller than
  # its content; without one it would be the content alone. The first size
  # limit is the content's: Qt 6.8 then widens the limits by the decoration.
  wait_until 10 trace_has 'set_window_geometry(' || true
  height=$(grep -o 'set_window_geometry([0-9, ]*)' "$out/trace.log" | tail -n1 | grep -o '[0-9]*)' | tr -d ')')
  content=$(grep -o 'set_max_size([0-9, ]*)' "$out/trace.log" | head -n1 | grep -o '[0-9]*)' | tr -d ')')
  check "a title bar above the content (window height $height, content $content)" \
    [ "${height:-0}" -gt "${content:-0}" ]
fi

shot() {  # the whole output as weston shows it, and the readout's dark-blue ink alone
  (cd "$out" && weston-screenshooter >/dev/null) || return 1
  mv "$(ls -t "$out"/wayland-screenshot-*.png | head -n1)" "$out/$1.png"
  convert "$out/$1.png" -fill black +opaque 'rgb(0,0,128)' -fill white -opaque 'rgb(0,0,128)' \
    "$out/$1-ink.png"
}
# Shot NAME once the compositor shows the readout's ink and, with a
# BEFORE, once that ink differs from it.
shown() {
  shot "$1" && [ "$(convert "$out/$1-ink.png" -format '%[fx:int(w*h*mean)]' info:)" -gt 0 ] ||
    return 1
  [ -z "${2:-}" ] && return 0
  moved=$(compare -metric AE "$2" "$out/$1-ink.png" null: 2>&1)
  [ "$moved" != 0 ]
}
# The compositor's answer to a frame: it has taken the buffer's pixels.
releases() { grep -c 'wl_buffer[@#][0-9]*\.release()' "$out/trace.log"; }
released() { [ "$(releases)" -gt "$1" ]; }
if [ "$compositor" != weston ]; then
  check "$compositor takes the first frame" wait_until 20 released 0
  before=$(releases)
  /usr/bin/python3 "$(dirname "$0")/../lib/press_start.py" 10 --until-counting || failures=$((failures + 1))
  check "$compositor takes the running readout's frames" wait_until 10 released "$before"
else
  check "the compositor shows the readout" wait_until 20 shown 1-idle
  /usr/bin/python3 "$(dirname "$0")/../lib/press_start.py" || failures=$((failures + 1))
  moved=0
  wait_until 10 shown 2-running "$out/1-idle-ink.png"
  check "the readout moved while running ($moved pixels of ink changed)" [ "$moved" != 0 ]
fi

kill -TERM "$app"
wait "$app"
status=$? app=
check "exit status 0 after SIGTERM during a run (got $status)" [ "$status" = 0 ]

echo "screenshots and the protocol trace in $out"
[ "$failures" = 0 ]
