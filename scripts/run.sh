#!/usr/bin/env bash
# Installs what is needed, builds the stopwatch and opens it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset linux-qt >/dev/null
cmake --build --preset linux-qt
exec build/linux-qt/backends/qt/kovrane
