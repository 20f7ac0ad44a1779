#!/usr/bin/env bash
# The user's side of apt_repository_test.sh, as root in the system it hands
# SERVED to. The release's keyring and .sources file go where users put
# them, and the states of the repository are served in turn from
# /srv/kovrane-apt: apt installs VERSION; refuses NEXT signed by another
# key (OTHER_KEY, its fingerprint), then NEXT with one byte of its package
# changed; then upgrades to NEXT. apt's refusals are read from its own
# output. Everything added here is removed at the end.
#   apt_repository_user_side.sh SERVED VERSION NEXT OTHER_KEY
set -uo pipefail
served=$(realpath "$1") version=$2 next=$3 other_key=$4
here=$(dirname "$0")
"$here/../../scripts/install-deps.sh" smoke || exit 1
source "$here/../lib/xvfb_session.sh"
source "$here/try_installed_kovrane.sh"
require_tools apt-get apt-cache dpkg-query man xdotool Xvfb import convert
work=$(mktemp -d)
keyring=/usr/share/keyrings/kovrane-archive-keyring.gpg
sources=/etc/apt/sources.list.d/kovrane.sources
remove() {
  stop_app_and_xvfb
  DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq kovrane >/dev/null 2>&1
  rm -rf "$keyring" "$sources" /srv/kovrane-apt /var/lib/apt/lists/*_srv_kovrane-apt_* "$work"
}
trap remove EXIT
cp "$served/kovrane-archive-keyring.gpg" "$keyring"
cp "$served/kovrane.sources" "$sources"

serve() { rm -rf /srv/kovrane-apt && cp -r "$served/$1" /srv/kovrane-apt; }
apt_runs() { DEBIAN_FRONTEND=noninteractive "$@" >"$work/apt.log" 2>&1; }
apt_succeeds() { apt_runs "$@" || { cat "$work/apt.log"; return 1; }; }
# apt_refuses PATTERN COMMAND...: apt says why it refuses in PATTERN's words
# (an extended regular expression). Its status is no sign: apt update only
# warns when it keeps the last index it could trust.
apt_refuses() {
  local pattern=$1
  shift
  apt_runs "$@"
  echo "$*:"
  sed 's/^/  /' "$work/apt.log"
  grep -q -E -i -- "$pattern" "$work/apt.log"
}
installed() { [ "$(dpkg-query -W -f='${Version}' kovrane)" = "$1" ]; }
offered() {
  apt-cache policy kovrane >"$work/policy"
  grep -qx "  Candidate: $1" "$work/policy" || { cat "$work/policy"; return 1; }
}
policy() { echo "apt-cache policy kovrane, $1:"; apt-cache policy kovrane | sed 's/^/  /'; }

serve "$version"
check "apt update reads the repository of $version" apt_succeeds apt-get update
policy "the repository of $version served"
check "apt install kovrane installs $version" apt_succeeds apt-get install -y kovrane
try_installed_kovrane "$version" "$work"

serve other-key
# gpgv names the key by its last 16 digits, sqv by all of them.
check "apt update refuses $next signed by another key" \
  apt_refuses "(NO_PUBKEY|Missing key) [0-9A-F]*${other_key: -16}" apt-get update
check "and still offers $version" offered "$version"
serve changed-byte
check "apt update reads $next with one byte of its package changed" apt_succeeds apt-get update
check "apt upgrade refuses that package" apt_refuses "hash sum mismatch" apt-get upgrade -y
check "and $version stays installed" installed "$version"

serve "$next"
check "apt update reads the repository of $next" apt_succeeds apt-get update
policy "the repository of $next served, before the upgrade"
check "apt upgrade installs $next" apt_succeeds apt-get upgrade -y
policy "after the upgrade"
try_installed_kovrane "$next" "$work"
[ "$failures" = 0 ]
