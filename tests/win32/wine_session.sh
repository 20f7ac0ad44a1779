#!/usr/bin/env bash
# Runs a command in a wine session of its own: a fresh Xvfb on a free
# display, a wine prefix under the build folder, and the settings of
# wine_settings.reg (font replacements that make "ＭＳ Ｐゴシック" resolve to
# IPAPGothic; a title bar drawn by wine itself, its buttons in wine's Marlett
# symbol font). Any wineserver of that
# prefix (left from another DISPLAY, it keeps windows from appearing) is
# killed before and after.
#
# Usage: wine_session.sh PREFIX_DIR SETTINGS_REG COMMAND [ARGS...]
# Exit status: the command's, or 77 (skip) when wine or Xvfb is absent
# outside CI.
set -euo pipefail

prefix=$1 settings_reg=$2
shift 2
[ -f "$settings_reg" ] || { echo "no file $settings_reg"; exit 1; }

source "$(dirname "$0")/../lib/xvfb_session.sh"
require_tools wine wineserver Xvfb iconv

export WINEPREFIX=$prefix WINEDEBUG=-all LANG=C.UTF-8 LC_ALL=C.UTF-8
# No Mono or Gecko installer dialogs while the prefix is created.
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$prefix"

session_dir=$(mktemp -d)
XVFB_PID=
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  wait "$XVFB_PID" 2>/dev/null || true
  rm -rf "$session_dir"
}
trap cleanup EXIT
start_xvfb "$session_dir" 1024x768x24

wineserver -k 2>/dev/null || true
imported=$prefix/kovrane-settings.reg
if ! cmp -s "$settings_reg" "$imported"; then
  echo "preparing the wine prefix $prefix"
  wine wineboot --init >/dev/null 2>&1
  # As UTF-16: regedit reads any other file in the ANSI code page, which
  # would garble the Japanese face name.
  { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$settings_reg"; } >"$prefix/settings-utf16.reg"
  wine regedit /S "$prefix/settings-utf16.reg" >/dev/null 2>&1
  wineserver -w
  cp "$settings_reg" "$imported"
fi

"$@"
