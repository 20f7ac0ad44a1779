#!/usr/bin/env bash
# The real kovrane with no display: --help and --version answer on stdout
# with status 0 (the version the build's), and where no window can be opened,
# with no display named or one that refuses, it says so in at most two lines
# and ends with status 1, never with an abort or Qt's advice to reinstall.
# In English (LANG=C) and in Japanese (LANG=ja_JP.UTF-8), and --help for
# regions served another region's catalogue: Qt reads the language from the
# environment, so no glibc locale need be installed.
#
# Usage: without_display_test.sh KOVRANE VERSION
set -uo pipefail

kovrane=$1 version=$2
source "$(dirname "$0")/../lib/xvfb_session.sh"  # for check
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_SESSION_TYPE LANGUAGE LC_ALL LC_MESSAGES
export LANG=C
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_RUNTIME_DIR=$scratch  # as in any session: Wayland looks for its socket there

run() {  # run ARGUMENT...: status, stdout and stderr of kovrane
  "$kovrane" "$@" >"$scratch/out" 2>"$scratch/err"
  status=$?
}
has() { grep -qF -- "$1" "$scratch/$2"; }
empty() { [ ! -s "$scratch/$1" ]; }

run --help
check "--help: status 0 (got $status)" [ "$status" = 0 ]
check "--help: usage and both options on stdout" \
  eval 'has "Usage: kovrane [--help | --version]" out && has "  --help " out && has "  --version " out'
check "--help: nothing on stderr" empty err

run --ignored --version
check "--version among other arguments: status 0 (got $status)" [ "$status" = 0 ]
check "--version: \"Kovrane $version\" first ($(head -n1 "$scratch/out"))" \
  [ "$(head -n1 "$scratch/out")" = "Kovrane $version" ]
check "--version: nothing on stderr" empty err

cannot_open() {  # cannot_open SETTING REASON: no window, said plainly
  local setting=$1 reason=$2
  env ${setting:+"$setting"} "$kovrane" >"$scratch/out" 2>"$scratch/err"
  status=$?
  echo "with ${setting:-no display}, status $status, stderr:"; sed 's/^/  | /' "$scratch/err"
  check "${setting:-no display}: status 1" [ "$status" = 1 ]
  check "${setting:-no display}: says why" has "$cannot_open_says $reason" err
  check "${setting:-no display}: at most two lines" [ "$(wc -l <"$scratch/err")" -le 2 ]
  check "${setting:-no display}: no advice to reinstall" eval '! has Reinstall err'
}
cannot_open_says="kovrane: cannot open a window:"
cannot_open "" "no display found (DISPLAY and WAYLAND_DISPLAY are unset)"
cannot_open DISPLAY=:99999 "could not connect to the display (DISPLAY=:99999)"
cannot_open WAYLAND_DISPLAY=kovrane-no-such-compositor \
  "could not connect to the display (WAYLAND_DISPLAY=kovrane-no-such-compositor)"

export LANG=ja_JP.UTF-8
run --help
check "--help in Japanese: status 0 (got $status)" [ "$status" = 0 ]
check "--help in Japanese: usage and both options" \
  eval 'has "使い方: kovrane [--help | --version]" out && has "  --help     このヘルプを表示して終了します" out && has "  --version " out'
LANGUAGE=en:ja run --help
check "--help with English preferred to Japanese: English" has "Usage: kovrane" out
run --version
check "--version in Japanese: \"Kovrane $version\" first, then the licence" \
  eval '[ "$(head -n1 "$scratch/out")" = "Kovrane $version" ] && has "MIT ライセンス" out'
cannot_open_says="kovrane: ウィンドウを開けません:"
cannot_open "" "ディスプレイが見つかりません (DISPLAY と WAYLAND_DISPLAY が未設定です)"

# A region without a catalogue of its own reads its language's nearest one,
# never Chinese in the other script, nor English.
while read -r setting word; do
  env "$setting" "$kovrane" --help >"$scratch/out" 2>"$scratch/err"
  check "--help with $setting: says $word" has "$word" out
done <<'READERS'
LANG=pt_PT.UTF-8 cronômetro
LANG=zh_HK.UTF-8 碼錶
LANG=zh_SG.UTF-8 秒表
LANGUAGE=zh_Hant:ja 碼錶
READERS

[ "$failures" = 0 ]
