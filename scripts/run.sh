#!/usr/bin/env bash
# Installs what building and running the program needs (not the tests'
# tools), builds the stopwatch and opens it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh program
# Only the program: the tests, and the test-only tools they look for, are
# scripts/test.sh's.
cmake --preset linux-qt -DBUILD_TESTING=OFF >/dev/null
cmake --build --preset linux-qt --target kovrane
exec build/linux-qt/backends/qt/kovrane
