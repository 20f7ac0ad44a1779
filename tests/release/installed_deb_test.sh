#!/usr/bin/env bash
# A release's Debian package on the system it is put on (the Debian 13 run
# puts Debian 12's there): apt installs it with what it depends on, the
# program answers --version, `man kovrane` opens its page, and the window
# opens and counts after a click on START. apt removes it again at the end.
#   installed_deb_test.sh DEB
set -uo pipefail
deb=$(realpath "$1")
source "$(dirname "$0")/../lib/xvfb_session.sh"
source "$(dirname "$0")/installed_kovrane.sh"
require_tools apt-get dpkg-deb man xdotool Xvfb import convert
work=$(mktemp -d)
trap 'purge_kovrane; rm -rf "$work"' EXIT

check "apt installs $(basename "$deb")" apt_ok apt-get install -y -qq "$deb"
try_installed_kovrane "$(dpkg-deb -f "$deb" Version)"
[ "$failures" = 0 ]
