#!/usr/bin/env bash
# Installs what is needed, builds the stopwatch and opens it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset linux-qt >/dev/null
# Only the program: the tests are built by scripts/test.sh.
cmake --build --preset linux-qt --target kovrane
exec build/linux-qt/backends/qt/kovrane
