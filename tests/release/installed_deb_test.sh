#!/usr/bin/env bash
# A release's Debian package on the system it is put on (the Debian 13 run
# puts Debian 12's there): apt installs it with what it depends on, the
# program answers --version, `man kovrane` opens its page, and the window
# opens and counts after a click on START. apt removes it again at the end.
#   installed_deb_test.sh DEB
set -uo pipefail
deb=$(realpath "$1")
source "$(dirname "$0")/../lib/xvfb_session.sh"
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
version=$(dpkg-deb -f "$deb" Version)
check "kovrane --version says $version" grep -qF "$version" <(/usr/bin/kovrane --version)
check "man kovrane opens its page" grep -q "EXIT STATUS" <(MANWIDTH=80 man kovrane 2>&1)
start_xvfb "$work"
launch_kovrane /usr/bin/kovrane "$work/stderr"
echo "ok: the window opens"
# The readout's box, at 96 dpi, as the window test crops it.
readout() { import -window "$window" -crop 169x57+16+8 +repage "$work/$1.ppm" 2>/dev/null; }
readout_moved() { readout now && ! cmp -s "$work/idle.ppm" "$work/now.ppm"; }
readout idle
xdotool mousemove --window "$window" 60 92 click 1  # START
check "the readout counts after START" wait_until 10 readout_moved
[ "$failures" = 0 ]
