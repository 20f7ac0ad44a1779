#!/usr/bin/env bash
# The from-source install, as the building guide gives it, on a system with
# nothing installed yet: scripts/test-on.sh --fresh runs this in a bare
# Debian root. Each shell block of the guide that follows a
#   <!-- checked in a fresh root -->
# line runs in turn from the top of the checkout, as a reader would paste
# it, and must end with the installed program saying its version: so the
# guide cannot name a list, a preset or a step that the install lacks.
#   from_source_install_test.sh GUIDE
set -euo pipefail
cd "$(dirname "$0")/../.."
guide=$1
version=$(sed -n 's/^project(Kovrane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
fail() { echo "FAIL: $*"; exit 1; }

# The reader's own sudo, which a bare root lacks; the guide's steps as root
# would need none, but a reader is not root.
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends sudo >/dev/null

mapfile -d '' blocks < <(awk '
  /^<!-- checked in a fresh root -->$/ { marked = 1; next }
  marked && /^```(sh|bash|console)?$/ { marked = 0; inside = 1; block = ""; next }
  inside && /^```$/ { inside = 0; printf "%s%c", block, 0; next }
  inside { block = block $0 "\n"; next }
  NF { marked = 0 }' "$guide")
[ ${#blocks[@]} -gt 0 ] || fail "$guide marks no block to check"

for block in "${blocks[@]}"; do
  sed 's/^/$ /' <<<"${block%$'\n'}"
  output=$(bash -euo pipefail -c "$block" 2>&1) || { echo "$output" | tail -n 40; fail "a block failed"; }
  said=$(grep -A1 -x "Kovrane $version" <<<"$output") \
    || { echo "$output" | tail -n 20; fail "the program installed did not say its version, $version"; }
  echo "$said"
done
echo "PASS: ${#blocks[@]} blocks of $guide install a kovrane $version with nothing installed before"
