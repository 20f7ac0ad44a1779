# The installed program tried as a user would: it answers --version with
# its version, `man kovrane` opens its page, and the window opens and
# counts after a click on START. Source it after tests/lib/xvfb_session.sh,
# with stop_app_and_xvfb in the caller's exit trap, then:
#   try_installed_kovrane VERSION DIR     (DIR a scratch folder)
try_installed_kovrane() {
  local version=$1
  readout_dir=$2
  check "kovrane --version says $version" grep -qF "$version" <(/usr/bin/kovrane --version)
  check "man kovrane opens its page" grep -q "EXIT STATUS" <(MANWIDTH=80 man kovrane 2>&1)
  start_xvfb "$readout_dir"
  launch_kovrane /usr/bin/kovrane "$readout_dir/stderr"
  echo "ok: the window opens"
  readout idle
  xdotool mousemove --window "$window" 60 92 click 1  # START
  check "the readout counts after START" wait_until 10 readout_moved
  # Ready to be called again.
  stop_app_and_xvfb
  app= XVFB_PID=
}
# The readout's box, at 96 dpi, as the window test crops it.
readout() { import -window "$window" -crop 169x57+16+8 +repage "$readout_dir/$1.ppm" 2>/dev/null; }
readout_moved() { readout now && ! cmp -s "$readout_dir/idle.ppm" "$readout_dir/now.ppm"; }
