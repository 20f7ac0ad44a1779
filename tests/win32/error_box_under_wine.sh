#!/usr/bin/env bash
# The error box of a run-time error in a user's language under wine: the
# Unix locale is wine's user language. The driver reads the box's text,
# then a screenshot is taken and Enter closes it. Runs inside
# wine_session.sh.
#
# Usage: error_box_under_wine.sh OUTPUT_PNG en|ja|LOCALE DRIVER WINDOWS_PROGRAM [ARGS...]
# (LOCALE a Unix locale's name without its encoding: zh_HK)
set -euo pipefail
output=$1 language=$2 driver=$3
shift 3
source "$(dirname "$0")/../lib/xvfb_session.sh"

# Wine reads the locale's name itself: no glibc locale need be installed.
case $language in
  en) locale=(LANG=C.UTF-8 LC_ALL=C.UTF-8) ;;
  ja) locale=(LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8) ;;
  *) locale=(LANG=$language.UTF-8 LC_ALL=$language.UTF-8) ;;
esac

env "${locale[@]}" wine "$@" &
program=$!
status=0
env "${locale[@]}" wine "$driver" --error-box "$language" || status=1
if box=$(timeout 30 xdotool search --sync --onlyvisible --name '^Kovrane$' | head -n 1); then
  eval "$(xdotool getwindowgeometry --shell "$box")"
  # Once painted: the text, icon and button give it many colours.
  box_painted() {
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$output"
    [ "$(convert "$output" -format %k info:)" -gt 8 ]
  }
  wait_until 10 box_painted || true
  echo "screenshot: $output"
  xdotool windowfocus --sync "$box" key Return
fi
timeout 20 tail --pid="$program" -f /dev/null || { echo "FAIL - the box did not close"; status=1; }
exit "$status"
