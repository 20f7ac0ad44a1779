# Kovrane installed by apt and tried as a user would. Source it after
# tests/lib/xvfb_session.sh, with a scratch folder in $work, then:
#   apt_ok COMMAND...        runs apt's COMMAND, showing its output if it fails
#   try_installed_kovrane VERSION
#                            the program answers --version with VERSION,
#                            `man kovrane` opens its page, and the window
#                            opens and counts after a click on START
#   purge_kovrane            for the exit trap: ends the program and its
#                            display, and purges the package
apt_ok() { DEBIAN_FRONTEND=noninteractive "$@" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; return 1; }; }

try_installed_kovrane() {
  check "kovrane --version says $1" grep -qF "$1" <(/usr/bin/kovrane --version)
  check "man kovrane opens its page" grep -q "EXIT STATUS" <(MANWIDTH=80 man kovrane 2>&1)
  start_xvfb "$work"
  launch_kovrane /usr/bin/kovrane "$work/stderr"
  echo "ok: the window opens"
  readout idle
  xdotool mousemove --window "$window" 60 92 click 1  # START
  check "the readout counts after START" wait_until 10 readout_moved
  # Ready to be called again.
  stop_app_and_xvfb
  app= XVFB_PID=
}
# The readout's box, at 96 dpi, as the window test crops it.
readout() { import -window "$window" -crop 169x57+16+8 +repage "$work/$1.ppm" 2>/dev/null; }
readout_moved() { readout now && ! cmp -s "$work/idle.ppm" "$work/now.ppm"; }

purge_kovrane() {
  stop_app_and_xvfb
  DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq kovrane >/dev/null 2>&1
}
