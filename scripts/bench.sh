#!/usr/bin/env bash
# Builds the optimised program and its benchmarks, measures, and prints the
# figures as a markdown table with the machine they came from. Figures
# only: nothing here passes or fails on time.
#
# Usage: scripts/bench.sh [SECONDS]   (ticks counted per variant; default 30)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
scripts/install-deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench --target kovrane tick_timing real_window >/dev/null

bin=build/bench
field() { tr ' ' '\n' <<<"$1" | sed -n "s/^$2=//p"; }

echo "Measuring: $seconds ticks with each pump, then the real program under Xvfb, weston, mutter and KWin..." >&2
# One process per variant, one after the other, so neither competes with
# the other for a core or shares its CPU account.
event_loop=$("$bin/bench/tick_timing" event-loop "$seconds" 2>/dev/null)
busy_pump=$("$bin/bench/tick_timing" busy-pump "$seconds" 2>/dev/null)
real=$(bench/real_window.sh "$bin/bench/real_window" "$bin/backends/qt/kovrane" "$seconds")
declare -A costs
displays=(x11 x11-bus weston mutter kwin)
for platform in "${displays[@]}"; do
  costs[$platform]=$(bench/display_costs.sh "$platform" "$bin/backends/qt/kovrane" "$seconds" 2>/dev/null)
  costs[$platform-callgrind]=$(bench/display_costs.sh "$platform" "$bin/backends/qt/kovrane" 10 callgrind 2>/dev/null)
done

baseline=$(field "$busy_pump" cpu_s_per_min)
row() {  # row LABEL RESULT
  local cpu; cpu=$(field "$2" cpu_s_per_min)
  awk -v label="$1" -v cpu="$cpu" -v base="$baseline" -v p50="$(field "$2" late_p50_ms)" \
      -v p99="$(field "$2" late_p99_ms)" -v max="$(field "$2" late_max_ms)" \
      -v ticks="$(field "$2" ticks)" -v missed="$(field "$2" missed)" -v doubled="$(field "$2" doubled)" \
      'BEGIN { printf "| %s | %.4f | %.3f%% | %.5f | %s | %s | %s | %s | %s / %s |\n",
               label, cpu, cpu / 60 * 100, cpu / base, p50, p99, max, ticks, missed, doubled }'
}

cpu_model=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n1)
echo "Machine: $cpu_model, $(nproc) cores, Linux $(uname -r); Qt $(pkg-config --modversion Qt6Core 2>/dev/null || echo 6)"
echo
echo "| Pump (offscreen platform, $seconds ticks) | CPU s per minute running | of one core | ratio to baseline | lateness p50 ms | p99 ms | max ms | readouts | missed / doubled |"
echo "|---|---|---|---|---|---|---|---|---|"
row "kovrane: sleeps until the next event or the second" "$event_loop"
row "baseline: handles pending events and returns at once" "$busy_pump"
echo
real_cpu=$(field "$real" cpu_s_per_min)
map_ms=$(field "$real" map_ms)
awk -v cpu="$real_cpu" -v base="$baseline" -v maps="$map_ms" -v rss="$(field "$real" peak_rss_kib)" \
    -v run="$(field "$real" run_s)" 'BEGIN {
  n = split(maps, t, ",")
  for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (t[j] < t[i]) { x = t[i]; t[i] = t[j]; t[j] = x }
  print "| Real kovrane under Xvfb | |"
  print "|---|---|"
  printf "| exec to first mapped window, median of %d launches (min to max) | %d ms (%d to %d ms) |\n", n, t[int((n + 1) / 2)], t[1], t[n]
  printf "| CPU while counting, all threads, %.0f s | %.4f s per minute = %.3f%% of one core (%.5f of baseline) |\n", run, cpu, cpu / 60 * 100, cpu / base
  printf "| peak resident memory (after %.0f s of counting) | %.1f MiB |\n", run, rss / 1024
}'

# Per display server: every thread's wake-ups (voluntary context switches),
# then the totals, CPU, memory and instructions side by side.
cost() { sed -n "s/^$2 //p" <<<"${costs[$1]}"; }
label() {
  case $1 in
    x11) echo "X11 (Xvfb)" ;;
    x11-bus) echo "X11 under a session bus" ;;
    weston) echo "Wayland: weston" ;;
    mutter) echo "Wayland: mutter (GNOME)" ;;
    kwin) echo "Wayland: KWin (KDE Plasma)" ;;
  esac
}
echo
echo "| Display server: thread | wake-ups per s idle | wake-ups per s counting |"
echo "|---|---|---|"
for platform in "${displays[@]}"; do
  cost "$platform" thread | sort | awk -v p="$(label "$platform")" '{ printf "| %s: %s | %s | %s |\n", p, $1, $2, $3 }'
done
echo
each() {  # each LABEL FIELD: one row, FIELD of every display
  local row="| $1 |" platform
  for platform in "${displays[@]}"; do row+=" $("$2" "$platform") |"; done
  echo "$row"
}
counting() { cost "$1" total | cut -d' ' -f2; }
idle() { cost "$1" total | cut -d' ' -f1; }
cpu() { echo "$(cost "$1" cpu_ms_per_tick) ms"; }
rss() { echo "$(cost "$1" rss_mib) MiB"; }
gl() { cost "$1" gl_mapped; }
instructions() { cost "$1-callgrind" instructions_per_tick; }
share() { echo "$(cost "$1-callgrind" readout_share)%"; }
header="| Real kovrane, $seconds s idle then $seconds s counting |"
for platform in "${displays[@]}"; do header+=" $(label "$platform") |"; done
echo "$header"
echo "|---|$(printf -- '---|%.0s' "${displays[@]}")"
each "wake-ups per second counting, all threads" counting
each "wake-ups per second idle, all threads" idle
each "CPU per tick, all threads" cpu
each "resident memory while counting" rss
each "GL driver mapped (Mesa, libLLVM)" gl
each "instructions per tick (callgrind, 10 ticks)" instructions
each "of which the readout's paintEvent" share
