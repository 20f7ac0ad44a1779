#!/usr/bin/env bash
# The real kovrane under Xvfb with the GTK 3 platform theme, light and dark
# Adwaita: from a screenshot of the readout, the contrast between its ink
# and the background painted behind it. On the light theme the ink is the
# design's dark blue itself; on the dark one a lighter blue, and both read
# at 4.5:1 or better.
#
# Usage: dark_theme_test.sh KOVRANE OUTPUT_DIR
# Exit status 77 (skipped) when a tool is missing, except under CI.
set -uo pipefail

kovrane=$1 out=$2
mkdir -p "$out"
rm -f "$out"/*.png
source "$(dirname "$0")/../lib/xvfb_session.sh"
require_tools Xvfb xdotool import convert
gtk_theme_plugin=$(find /usr/lib/*/qt6/plugins/platformthemes -name 'libqgtk3.so' 2>/dev/null | head -n1)
[ -n "$gtk_theme_plugin" ] || require_tools qt6-gtk-platformtheme

trap stop_app_and_xvfb EXIT
start_xvfb "$out"

# The readout's box at 96 dpi, window-relative.
readout=169x57+16+8

# The two commonest colours of an image, as "R G B": the background, then
# the ink (the solid middle of the strokes).
commonest_colours() {
  convert "$1" -alpha off -format %c histogram:info:- | sort -rn | head -n2 |
    sed -E 's/^ *[0-9]+: \(([0-9]+),([0-9]+),([0-9]+)\).*/\1 \2 \3/'
}
# WCAG 2 contrast ratio of two colours, given as "R G B" lines.
contrast() {
  awk 'function linear(c) { c /= 255; return c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ^ 2.4 }
       { l[NR] = 0.2126 * linear($1) + 0.7152 * linear($2) + 0.0722 * linear($3) }
       END { hi = l[1] > l[2] ? l[1] : l[2]; lo = l[1] > l[2] ? l[2] : l[1]
             printf "%.2f\n", (hi + 0.05) / (lo + 0.05) }'
}
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }

for theme in Adwaita Adwaita:dark; do
  QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=$theme launch_kovrane "$kovrane" "$out/kovrane-${theme/:/-}.log"
  shot="$out/${theme/:/-}.png"
  import -window "$window" "$shot"
  kill "$app"; wait "$app" 2>/dev/null; app=

  convert "$shot" -crop "$readout" +repage "${shot%.png}-readout.png"
  colours=$(commonest_colours "${shot%.png}-readout.png")
  background=$(sed -n 1p <<<"$colours") ink=$(sed -n 2p <<<"$colours")
  ratio=$(contrast <<<"$colours")
  echo "$theme: ink rgb($ink) on rgb($background): $ratio:1"
  check "$theme: readout reads at 4.5:1 or better ($ratio:1)" at_least "$ratio" 4.5
  if [ "$theme" = Adwaita ]; then
    check "$theme: ink is the design's dark blue" [ "$ink" = "0 0 128" ]
  else
    # Else the theme never reached the program, and the contrast proves nothing.
    check "$theme: background is dark (rgb($background))" at_least 80 "${background%% *}"
  fi
done

echo "screenshots in $out"
[ "$failures" = 0 ]
