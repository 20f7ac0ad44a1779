#!/usr/bin/env bash
# A release's Debian package on the system it is put on (the Debian 13 run
# puts Debian 12's there): apt installs it with what it depends on, the
# program answers --version, `man kovrane` opens its page, and the window
# opens and counts after a click on START. apt removes it again at the end.
#   installed_deb_test.sh DEB
set -uo pipefail
deb=$(realpath "$1")
source "$(dirname "$0")/../lib/xvfb_session.sh"
source "$(dirname "$0")/try_installed_kovrane.sh"
require_tools apt-get dpkg-deb man xdotool Xvfb import convert
work=$(mktemp -d)
remove() {
  stop_app_and_xvfb
  DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq kovrane >/dev/null 2>&1
  rm -rf "$work"
}
trap remove EXIT

apt_installs() {
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$1" >"$work/apt.log" 2>&1 \
    || { cat "$work/apt.log"; return 1; }
}
check "apt installs $(basename "$deb")" apt_installs "$deb"
try_installed_kovrane "$(dpkg-deb -f "$deb" Version)" "$work"
[ "$failures" = 0 ]
