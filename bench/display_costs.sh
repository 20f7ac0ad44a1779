#!/usr/bin/env bash
# Benchmark, not a test: what the real program costs on one display server
# while it sits idle and while it counts. Starts its own server (Xvfb for
# x11; for Wayland, headless weston, mutter or kwin, each on a D-Bus session
# of its own), launches KOVRANE, reads every thread's
# voluntary context switches (each one a sleep the thread woke from) over
# SECONDS idle, presses START, reads them again over SECONDS of counting,
# with the CPU time of all threads and the resident memory.
# On X11 START is clicked with xdotool; a headless compositor has no input
# devices, so there it is pressed as a screen reader presses it, through
# AT-SPI.
# x11-bus is X11 as a desktop session runs it: a session bus with the
# accessibility bus already on it (the session starts at-spi's launcher at
# login) and Debian's session setting QT_ACCESSIBILITY=1, but no screen
# reader.
# With "callgrind" it runs the program under callgrind instead and counts
# the instructions of SECONDS ticks (exact, and unmoved by a busy machine,
# unlike time), after every seconds digit has been drawn once, so the
# one-time shaping is not counted. The instructions are divided by the
# ticks the profile holds (readout texts set), not by SECONDS: switching
# callgrind on and off takes effect only when the program next wakes, so
# the profile may hold a tick or two more than SECONDS.
#
# Usage: display_costs.sh x11|x11-bus|weston|mutter|kwin KOVRANE [SECONDS] [callgrind]
# Prints: one "thread NAME idle_per_s counting_per_s" line per thread, then
#         "total idle_per_s counting_per_s", "cpu_ms_per_tick MS",
#         "rss_mib MIB" and "gl_mapped yes|no"; with callgrind,
#         "ticks_profiled N", "instructions_per_tick N" and
#         "readout_share PERCENT", the part taken by the readout's
#         paintEvent and what it calls. KOVRANE_BENCH_PROFILE=FILE keeps the
#         profile there, for callgrind_annotate --inclusive=yes.
set -euo pipefail

platform=$1 kovrane=$2 seconds=${3:-20} callgrind=${4:-}
launch=("$kovrane")
# Instrumentation stays off until the counting has begun.
[ -n "$callgrind" ] && launch=(valgrind --tool=callgrind --instr-atstart=no
  --callgrind-out-file="$(mktemp -d)/callgrind.out" "$kovrane")
here=$(cd "$(dirname "$0")" && pwd)
if [ "$platform" != x11 ] && [ -z "${KOVRANE_BENCH_BUS:-}" ]; then
  KOVRANE_BENCH_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
source "$here/../tests/lib/xvfb_session.sh"
source "$here/../tests/lib/wayland_session.sh"

work=$(mktemp -d)
server= app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  [ -n "$server" ] && kill "$server" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null || true
  remove_runtime_dir "$work" 2>/dev/null || true
}
trap cleanup EXIT

# "tid name voluntary" for every thread of $app.
switches() {
  local task
  for task in /proc/"$app"/task/*; do
    awk -v tid="${task##*/}" '/^Name:/ { name = $2 } /^voluntary_ctxt_switches:/ { v = $2 }
      END { print tid, name, v }' "$task/status"
  done
}
cpu_ns() { cat /proc/"$app"/task/*/schedstat | awk '{ sum += $1 } END { print sum }'; }

if [ "$platform" = x11 ] || [ "$platform" = x11-bus ]; then
  if [ "$platform" = x11-bus ]; then
    # Asking for its address starts the launcher and waits until it is up.
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
    export QT_ACCESSIBILITY=1
  fi
  start_xvfb "$work"
  "${launch[@]}" 2>"$work/stderr" &
  app=$!
  window=$(timeout 120 xdotool search --sync --onlyvisible --pid "$app" --name '^Kovrane$' | head -n1)
  press_start() { xdotool mousemove --window "$window" 60 92 click 1; }
else
  unset DISPLAY QT_QPA_PLATFORM XDG_SESSION_TYPE
  export XDG_RUNTIME_DIR=$work WAYLAND_DISPLAY=kovrane-bench-$$
  start_compositor "$platform" "$work/compositor.log" || { cat "$work/compositor.log"; exit 1; }
  server=$compositor_pid
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "${launch[@]}" 2>"$work/stderr" &
  app=$!
  # Slow to appear under callgrind.
  press_start() { /usr/bin/python3 "$here/../tests/lib/press_start.py" 120; }
fi

if [ -n "$callgrind" ]; then
  out=$(sed -n 's/.*--callgrind-out-file=\([^ ]*\).*/\1/p' <<<"${launch[*]}")
  press_start >/dev/null
  sleep 12  # every seconds digit drawn once
  callgrind_control --instr=on "$app" >/dev/null
  sleep "$seconds"
  callgrind_control --instr=off "$app" >/dev/null
  callgrind_control --dump "$app" >/dev/null
  kill "$app"; wait "$app" 2>/dev/null || true; app=
  total=$(sed -n 's/^totals: //p' "$out"* | sort -n | tail -n1)
  profile=$(grep -l "^totals: $total" "$out"* | head -n1)
  ticks=$(callgrind_annotate --tree=calling "$profile" 2>/dev/null |
    sed -n 's/.*> .*kovrane::ReadoutLabel::setText(.*) (\([0-9]*\)x).*/\1/p' | awk '{ n += $1 } END { print n + 0 }')
  echo "ticks_profiled $ticks"
  [ "$ticks" -gt 0 ] && echo "instructions_per_tick $((total / ticks))"
  callgrind_annotate --inclusive=yes "$profile" 2>/dev/null |
    sed -n 's/^ *[0-9,]* (\([0-9.]*\)%) *[^:]*:kovrane::ReadoutLabel::paintEvent.*/readout_share \1/p'
  [ -n "${KOVRANE_BENCH_PROFILE:-}" ] && cp "$profile" "$KOVRANE_BENCH_PROFILE"
  rm -rf "$(dirname "$out")"
  exit 0
fi
sleep 3  # start-up and first paint done

idle_from=$(switches)
sleep "$seconds"
idle_to=$(switches)
press_start >/dev/null
sleep 2.5  # the click's own events and the first tick
count_from=$(switches) cpu_from=$(cpu_ns)
sleep "$seconds"
count_to=$(switches) cpu_to=$(cpu_ns)
kill -0 "$app" 2>/dev/null || { cat "$work/stderr" >&2; exit 1; }

# Threads are matched by id; the name is Qt's (QXcbEventQueue,
# wayland-event-...) or the program's for the main thread.
awk -v s="$seconds" '
  FNR == 1 { file++ }
  { key = $1 " " $2; value[file, key] = $3; names[key] = 1 }
  END {
    for (key in names) {
      split(key, k, " ")
      idle = (value[2, key] - value[1, key]) / s
      counting = (value[4, key] - value[3, key]) / s
      printf "thread %s %.2f %.2f\n", k[2], idle, counting
      ti += idle; tc += counting
    }
    printf "total %.2f %.2f\n", ti, tc
  }' <(echo "$idle_from") <(echo "$idle_to") <(echo "$count_from") <(echo "$count_to")
awk -v a="$cpu_from" -v b="$cpu_to" -v s="$seconds" 'BEGIN { printf "cpu_ms_per_tick %.4f\n", (b - a) / 1e6 / s }'
awk '/^VmRSS:/ { printf "rss_mib %.1f\n", $2 / 1024 }' /proc/"$app"/status
if grep -qE 'libLLVM|libEGL_mesa|_dri\.so' /proc/"$app"/maps; then echo "gl_mapped yes"; else echo "gl_mapped no"; fi
