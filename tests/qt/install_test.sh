#!/usr/bin/env bash
# Desktop integration as a packager sees it: `cmake --install` puts the
# program, its desktop entry, AppStream metadata and hicolor icons in place,
# the desktop entry and metadata validate, and CPack builds a .deb holding
# the same files.
#
# Usage: install_test.sh BUILD_DIR OUTPUT_DIR
# Exit status 77 (skipped) when a tool is missing, except under CI.
set -uo pipefail

build=$1 out=$2
rm -rf "$out" && mkdir -p "$out"

source "$(dirname "$0")/../lib/xvfb_session.sh"
require_tools desktop-file-validate appstreamcli dpkg-deb dpkg-shlibdeps identify

failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}" >"$out/check.log" 2>&1; then
    echo "ok: $1"
  else
    echo "FAILED: $1"; cat "$out/check.log"; failures=$((failures + 1))
  fi
}
icon_size() { [ "$(identify -format '%wx%h' "$1")" = "$2" ]; }

app=org.kovrane.Kovrane
installed=(
  bin/kovrane
  share/applications/$app.desktop
  share/metainfo/$app.metainfo.xml
  share/icons/hicolor/32x32/apps/$app.png
  share/icons/hicolor/16x16/apps/$app.png
)

prefix=$out/prefix
check "cmake --install" cmake --install "$build" --prefix "$prefix"
for file in "${installed[@]}"; do check "installs $file" test -f "$prefix/$file"; done
check "installed program is executable" test -x "$prefix/bin/kovrane"
check "32x32 icon" icon_size "$prefix/share/icons/hicolor/32x32/apps/$app.png" 32x32
check "16x16 icon" icon_size "$prefix/share/icons/hicolor/16x16/apps/$app.png" 16x16
check "desktop-file-validate" desktop-file-validate "$prefix/share/applications/$app.desktop"
check "appstreamcli validate" appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml"

check "cpack builds a .deb" cpack --config "$build/CPackConfig.cmake" -B "$out/package"
deb=$(ls "$out"/package/*.deb 2>/dev/null | head -n1)
check "a .deb was written" test -n "$deb"
if [ -n "$deb" ]; then
  dpkg-deb -c "$deb" >"$out/contents.txt"
  for file in "${installed[@]}"; do check "package holds /usr/$file" grep -q " ./usr/$file\$" "$out/contents.txt"; done
  check "package is named kovrane" [ "$(dpkg-deb -f "$deb" Package)" = kovrane ]
  check "package depends on Qt 6 Widgets" grep -q libqt6widgets6 <(dpkg-deb -f "$deb" Depends)
  echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
fi

[ "$failures" = 0 ]
