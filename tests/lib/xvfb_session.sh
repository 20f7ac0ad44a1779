# Shared by the scripts that test or measure the real program on a display
# of their own. Source it, then:
#   require_tools TOOL...   A missing tool skips the test (exit 77), except
#                           under CI, which installs them all: there it fails.
#   check DESCRIPTION CMD.. Runs CMD, prints "ok:" or "FAILED:" with the
#                           description, and counts failures in $failures.
#   stop_app_and_xvfb       For `trap stop_app_and_xvfb EXIT`: ends the
#                           program in $app and the server in $XVFB_PID.
#   launch_kovrane KOVRANE LOG
#                           Starts the program with its standard error in
#                           LOG, waits for its window and its first frame
#                           (or fails), and leaves $app and $window set.
#   wait_until SECONDS CMD..
#                           Runs CMD every 0.1 s until it succeeds; fails
#                           after SECONDS (times KOVRANE_TEST_TIME_SCALE,
#                           which an emulated machine sets). For a condition
#                           a real window reaches in its own time, under
#                           any load.
#   start_xvfb DIR [SCREEN] Starts Xvfb on a display it picks itself, so
#                           parallel runs never clash, and exports DISPLAY.
#                           The server's pid is left in XVFB_PID for the
#                           caller's cleanup. -noreset: by default Xvfb
#                           resets when its last client leaves and refuses
#                           a client that connects meanwhile, as a test's
#                           next program may (wine's desktop right after
#                           the prefix set-up, say).

require_tools() {
  local missing=() tool
  for tool in "$@"; do command -v "$tool" >/dev/null || missing+=("$tool"); done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "SKIP: missing ${missing[*]} (scripts/install-deps.sh installs them)"
  [ -n "${CI:-}" ] && exit 1
  exit 77
}

start_xvfb() {
  local dir=$1 screen=${2:-640x480x24}
  rm -f "$dir/display"
  Xvfb -displayfd 3 -noreset -screen 0 "$screen" -dpi 96 -nolisten tcp \
    3>"$dir/display" 2>"$dir/xvfb.log" &
  XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$dir/display" ] && break; sleep 0.05; done
  if [ ! -s "$dir/display" ]; then
    echo "Xvfb did not start"; cat "$dir/xvfb.log"; exit 1
  fi
  export DISPLAY=":$(head -n1 "$dir/display")"
  unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

time_scale=${KOVRANE_TEST_TIME_SCALE:-1}
failures=0
check() {
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

XVFB_PID= app=
stop_app_and_xvfb() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
}

launch_kovrane() {
  "$1" 2>"$2" &
  app=$!
  window=$(timeout $((30 * time_scale)) xdotool search --sync --onlyvisible --pid "$app" \
    --name '^Kovrane$' | head -n1)
  [ -n "$window" ] || { echo "FAILED: no Kovrane window appeared"; exit 1; }
  last_frame=
  wait_until 20 first_frame_painted || { echo "FAILED: the window was never painted"; exit 1; }
}

wait_until() {
  local give_up=$((SECONDS + $1 * time_scale))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$give_up" ] || return 1
    sleep 0.1
  done
}

# Mapped is not yet painted: until then the window shows the root's black
# and white weave, or one flat colour. Painted, one colour (the face) fills
# most of it, another is there too, and two captures in a row agree.
last_frame=
first_frame_painted() {
  local frame colours pixels signature commonest
  frame=$(mktemp --suffix=.ppm)
  import -window "$window" "$frame" 2>/dev/null &&
    read -r colours pixels signature < <(convert "$frame" -format '%k %[fx:w*h] %#\n' info:) &&
    commonest=$(convert "$frame" -format %c histogram:info:- | sort -rn | head -n1 | cut -d: -f1)
  rm -f "$frame"
  [ -n "${commonest:-}" ] || return 1
  [ "$signature" != "$last_frame" ] && { last_frame=$signature; return 1; }
  [ "$colours" -gt 1 ] && [ $((commonest * 10)) -gt $((pixels * 6)) ]
}
