#!/usr/bin/env bash
# What each command installs on a bare Debian, as apt counts it: run in a
# bare root, `scripts/test-on.sh debian-12 --fresh bench/install_sizes.sh`
# (or debian-13). Each command's lists lie on top of the one before's, so
# installing them in turn gives each command's figure from bare.
set -euo pipefail
cd "$(dirname "$0")/.."
installed() { dpkg-query -W -f '${db:Status-Abbrev} ${Installed-Size}\n' | awk '/^ii/ { n++; k += $2 } END { print n, k }'; }
read -r bare_packages bare_kib < <(installed)
echo "| command | packages | MiB |"
echo "|---|---|---|"
for step in "scripts/run.sh:program" "scripts/release.sh:release windows" "scripts/test.sh:smoke tests"; do
  # shellcheck disable=SC2086 # the lists are words
  scripts/install-deps.sh ${step#*:} >/dev/null
  read -r packages kib < <(installed)
  printf '| `%s` | %d | %d |\n' "${step%%:*}" $((packages - bare_packages)) $(((kib - bare_kib) / 1024))
done
