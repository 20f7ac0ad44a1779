#!/usr/bin/env bash
# Installs what building and running the program needs (not the tests'
# tools), builds the stopwatch and opens it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh program
# Only the program: the tests, and the test-only tools they look for, are
# scripts/test.sh's.
cmake --preset program >/dev/null
cmake --build --preset program --target kovrane
exec build/program/backends/qt/kovrane
