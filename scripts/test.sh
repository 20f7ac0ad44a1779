#!/usr/bin/env bash
# Installs what is needed, then builds everything and runs every test:
# the engine, the Qt front end (also under ASan and UBSan) and the Windows
# front end under wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

log=build/test-logs
mkdir -p "$log"
for preset in ci asan windows-mingw; do
  echo "== $preset"
  if ! { cmake --preset "$preset" && cmake --build --preset "$preset"; } >"$log/$preset-build.log" 2>&1; then
    tail -n 60 "$log/$preset-build.log"
    echo "build of $preset failed (full log: $log/$preset-build.log)"
    exit 1
  fi
  ctest --preset "$preset"
done
