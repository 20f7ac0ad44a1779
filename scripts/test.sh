#!/usr/bin/env bash
# Installs what is needed, then builds everything and runs every test:
# the engine, the Qt front end (also under ASan and UBSan) and the Windows
# front end under wine. On a machine that cannot run x86-64 code (arm64),
# the Windows program is still built and its resources read, and the tests
# that run it under wine are named as not run.
#
# Most of the tests' time is spent waiting on real windows, not on the CPU,
# so each preset's tests run beside the next builds, and the heavy tests,
# which build the release from the commit, start as soon as their preset
# is configured. The builds take turns on every core at the lowest priority:
# the tests that judge screenshots and timing get the CPU the moment they
# need it. Logs are kept in build/test-logs; a failure shows its output.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

log=build/test-logs
mkdir -p "$log"
# The wine tests share one prefix and run one at a time, so their preset
# goes first; the ASan tests are the quickest of the rest, so it goes last.
presets=(windows-mingw ci asan)
parallel_tests=4
started=$SECONDS
arch=$(dpkg --print-architecture)
# test-on.sh sets this in a root run through qemu-user, which does not
# emulate ptrace (so strace cannot trace the program) and under which an
# AddressSanitizer program's shadow memory grows until the kernel kills it.
emulated=${KOVRANE_TEST_EMULATED:-}
[ -z "$emulated" ] || presets=(windows-mingw ci)
# The tests with these labels do not run here.
not_run='heavy'
[ "$arch" = amd64 ] || not_run+='|wine'
[ -z "$emulated" ] || not_run+='|ptrace'
not_run="^($not_run)\$"
# test-on.sh sets this in its roots, where a test that makes a bare root of
# its own does not run: a root inside a root, for what the outer run checks.
in_test_root=${KOVRANE_IN_TEST_ROOT:-}
heavy_not_run=
[ -z "$in_test_root" ] || heavy_not_run='^bare-root$'

clock() { local s=$1; printf '%d:%02d' $((s / 60)) $((s % 60)); }
say() { echo "[$(clock $((SECONDS - started)))] $*"; }

# Background jobs: each preset's tests, as one process group to stop whole.
jobs_started=() heavy_jobs=()
stop_jobs() {
  local pid
  for pid in "${jobs_started[@]}" "${heavy_jobs[@]}"; do kill -TERM -- "-$pid" 2>/dev/null || true; done
}
trap stop_jobs EXIT

# The tests of one preset, after those of the preset before it (PREVIOUS);
# writes "STATUS SECONDS PASSED/TOTAL" to $log/PRESET.result when done.
# Two presets' tests never run at once: ASan's exit-time leak scan and the
# screenshots keep their timing with only niced work beside them. Tests
# labelled "heavy" (whole builds of their own) run apart, from run_heavy;
# their results join these.
run_tests() {
  local preset=$1 previous=$2 status=0 counts passed=0 total=0 file=$log/$1-test.log
  trap 'touch "$log/$preset.tested"' EXIT
  while [ -n "$previous" ] && [ ! -f "$log/$previous.tested" ]; do sleep 1; done
  local begin=$SECONDS
  ctest --preset "$preset" -j "$parallel_tests" -LE "$not_run" >"$file" 2>&1 || status=1
  cp "build/$preset/Testing/Temporary/LastTest.log" "$log/$preset-all-output.log" || true
  touch "$log/$preset.tested"
  while [ ! -f "$log/$preset.heavy-done" ]; do sleep 1; done
  cat "$log/$preset-heavy.log" >>"$file"
  grep -q '^0$' "$log/$preset.heavy-done" || status=1
  while read -r failed_count count; do
    total=$((total + count))
    passed=$((passed + count - failed_count))
  done < <(sed -n 's/.* tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\)/\1 \2/p' "$file")
  echo "$status $((SECONDS - begin)) $passed/$total" >"$log/$preset.result"
}

# A preset's heavy tests: they build the commit itself, not the preset's
# build folder, so they start as soon as it is configured, at the builds'
# priority, beside the builds and the other tests. They run from a test
# folder of their own that takes in the preset's tests, so that the two
# ctest runs never share one Testing folder and its logs.
run_heavy() {
  local preset=$1 status=0 dir=$log/$1-heavy
  rm -rf "$dir" && mkdir -p "$dir"
  echo "subdirs(\"$PWD/build/$preset\")" >"$dir/CTestTestfile.cmake"
  : >"$log/$preset-heavy.log"
  local only=(-L heavy ${heavy_not_run:+-LE "$heavy_not_run"})
  if grep -q 'Test *#' <<<"$(ctest --test-dir "$dir" -N "${only[@]}")"; then
    nice -n 19 ctest --test-dir "$dir" "${only[@]}" --output-on-failure >"$log/$preset-heavy.log" 2>&1 \
      || status=1
    cp "$dir/Testing/Temporary/LastTest.log" "$log/$preset-heavy-output.log" || true
  fi
  echo "$status" >"$log/$preset.heavy-done"
}

# The names of a preset's tests that carry LABEL.
tests_labelled() { ctest --preset "$1" -N -L "$2" | sed -n 's/^ *Test *#[0-9]*: //p'; }

# Shows the output of each failed test from a ctest log.
failed_output() {
  awk '/^ *[0-9]+\/[0-9]+ Test +#/ { show = /\*\*\*|Not Run/ }
       /^ *Start +[0-9]+:|^[0-9]+% tests passed/ { show = 0 }
       show' "$1"
}

say "configuring ${presets[*]} (logs: $log/PRESET-build.log)"
declare -A configuring=()
for preset in "${presets[@]}"; do
  rm -f "$log/$preset.result" "$log/$preset.tested" "$log/$preset.heavy-done"
  cmake --preset "$preset" >"$log/$preset-build.log" 2>&1 &
  configuring[$preset]=$!
done

declare -A build_seconds=()
previous=
for preset in "${presets[@]}"; do
  begin=$SECONDS
  configured=0
  wait "${configuring[$preset]}" || configured=$?
  if [ "$configured" = 0 ]; then
    set -m
    run_heavy "$preset" &
    set +m
    heavy_jobs+=($!)
  fi
  if ! { [ "$configured" = 0 ] && nice -n 19 cmake --build --preset "$preset"; } \
      >>"$log/$preset-build.log" 2>&1; then
    tail -n 60 "$log/$preset-build.log"
    say "FAILED: building $preset (full log: $log/$preset-build.log)"
    exit 1
  fi
  build_seconds[$preset]=$((SECONDS - begin))
  say "$preset built in $(clock "${build_seconds[$preset]}"); its tests follow (log: $log/$preset-test.log)"
  set -m  # a process group of its own, so stop_jobs ends its tests too
  run_tests "$preset" "$previous" &
  set +m
  jobs_started+=($!)
  previous=$preset
done

failed=()
for index in "${!presets[@]}"; do
  preset=${presets[$index]}
  wait "${jobs_started[$index]}" || true
  if [ ! -f "$log/$preset.result" ]; then
    echo "1 0 ?" >"$log/$preset.result"
  fi
  read -r status seconds counts <"$log/$preset.result"
  if [ "$status" = 0 ]; then
    say "$preset: $counts tests passed in $(clock "$seconds")"
  else
    failed+=("$preset")
    failed_output "$log/$preset-test.log"
    say "$preset: tests FAILED, $counts passed (log: $log/$preset-test.log)"
  fi
done
trap - EXIT

echo
printf '%-15s %6s %6s   %s\n' preset build tests passed
for preset in "${presets[@]}"; do
  read -r status seconds counts <"$log/$preset.result"
  printf '%-15s %6s %6s   %s%s\n' "$preset" "$(clock "${build_seconds[$preset]}")" \
    "$(clock "$seconds")" "$counts" "$([ "$status" = 0 ] || echo '  FAILED')"
done
echo "all in $(clock $((SECONDS - started))), each preset's tests running beside the next builds"
if [ "$arch" != amd64 ]; then
  echo "not run on $arch, as its wine cannot run the x86-64 Windows program:" \
    $(tests_labelled windows-mingw wine)
fi
if [ -n "$in_test_root" ]; then
  echo "not run in a root of scripts/test-on.sh, as it makes a bare root of its own:" \
    $(tests_labelled ci bare-root)
fi
if [ -n "$emulated" ]; then
  echo "not run under emulation, as qemu-user cannot trace a program nor hold AddressSanitizer's" \
    "shadow memory: the asan preset," $(tests_labelled ci ptrace)
fi

if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: the tests of ${failed[*]}"
  exit 1
fi
