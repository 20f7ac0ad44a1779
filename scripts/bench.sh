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

echo "Measuring: $seconds ticks with each pump, then the real program under Xvfb and weston..." >&2
# One process per variant, one after the other, so neither competes with
# the other for a core or shares its CPU account.
event_loop=$("$bin/bench/tick_timing" event-loop "$seconds" 2>/dev/null)
busy_pump=$("$bin/bench/tick_timing" busy-pump "$seconds" 2>/dev/null)
real=$(bench/real_window.sh "$bin/bench/real_window" "$bin/backends/qt/kovrane" "$seconds")
platforms=(x11 x11-bus wayland)
declare -A costs
for platform in "${platforms[@]}"; do
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
echo
echo "| Display server: thread | wake-ups per s idle | wake-ups per s counting |"
echo "|---|---|---|"
declare -A labels=([x11]="X11 (Xvfb)" [x11-bus]="X11 under a session bus" [wayland]="Wayland (weston, headless)")
for platform in "${platforms[@]}"; do
  label=${labels[$platform]}
  cost "$platform" thread | sort | awk -v p="$label" '{ printf "| %s: %s | %s | %s |\n", p, $1, $2, $3 }'
done
echo
echo "| Real kovrane, $seconds s idle then $seconds s counting | ${labels[x11]} | ${labels[x11-bus]} | ${labels[wayland]} |"
echo "|---|---|---|---|"
each() {  # each LABEL FORMAT RUN FIELD [WORD]: one row, FIELD (its WORDth word) of every platform's RUN
  local row="| $1 |" platform value
  for platform in "${platforms[@]}"; do
    value=$(cost "$platform$3" "$4")
    [ -n "${5:-}" ] && value=$(cut -d' ' -f"$5" <<<"$value")
    row+=" $(printf "$2" "$value") |"
  done
  echo "$row"
}
each "wake-ups per second counting, all threads" %s "" total 2
each "wake-ups per second idle, all threads" %s "" total 1
each "CPU per tick, all threads" "%s ms" "" cpu_ms_per_tick
each "resident memory while counting" "%s MiB" "" rss_mib
each "GL driver mapped (Mesa, libLLVM)" %s "" gl_mapped
each "instructions per tick (callgrind, 10 s)" %s -callgrind instructions_per_tick
each "of which the readout's paintEvent" %s%% -callgrind readout_share
