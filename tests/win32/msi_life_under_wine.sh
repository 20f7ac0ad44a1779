#!/usr/bin/env bash
# The MSI's life in a wine prefix made anew: its tables write nothing
# outside the user's profile and HKCU; installed silently, its files,
# shortcut and Apps entry are there and the installed program counts; the
# next version replaces it, the same version changes nothing, the older one
# is refused in English and Japanese; uninstalled, nothing names it.
#
# Usage: msi_life_under_wine.sh PREFIX_DIR SETTINGS_REG DRIVER MSI VERSION KOVRANE_EXE
#                               NEXT_MSI NEXT_VERSION NEXT_KOVRANE_EXE KOVRANE_ICO
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../lib/xvfb_session.sh"
if [ "$1" != --inside ]; then
  require_tools wine msiinfo msidump wixl msibuild python3
  rm -rf "$1"
  exec "$here/wine_session.sh" "$1" "$2" "$0" --inside "${@:3}"
fi
driver=$2 msi=$3 version=$4 exe=$5 next_msi=$6 next_version=$7 next_exe=$8 icon=$9
# winemenubuilder would copy the shortcut into the Unix user's own menus.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

msidump -d "$work" "$msi" >/dev/null
rows() { [ ! -f "$work/$1.idt" ] || tail -n +4 "$work/$1.idt" | tr -d '\r'; }
outside=$(cd "$work" && awk -F'\t' 'FNR < 4 { next } FILENAME ~ /Directory/ { up[$1] = $2; next }
  { for (d = $3; d != "" && d != "LocalAppDataFolder" && d != "ProgramMenuFolder";) d = up[d]
    if (d == "") print $1 }' Directory.idt Component.idt)
check "every component goes into LocalAppData or the Start menu ($outside)" test -z "$outside"
check "every registry value goes to HKCU" test -z "$(rows Registry | awk -F'\t' '$2 != 1')"
check "no custom action, service, environment, INI, COM or self-registration" test -z "$(
  for table in CustomAction ServiceInstall Environment IniFile Class ProgId TypeLib SelfReg; do rows "$table"; done)"
code() { msiinfo export "$1" Property | tr -d '\r' | sed -n "s/^$2\t//p"; }
product_code=$(code "$msi" ProductCode)
# Every code the install may register, also packed as Windows Installer
# keeps them: the first three groups reversed, each later byte's digits swapped.
codes=()
for guid in "$product_code" "$(code "$next_msi" ProductCode)" "$(code "$msi" UpgradeCode)" \
  $(rows Component | cut -f2); do
  IFS=- read -r a b c d e <<<"${guid//[\{\}]/}"
  codes+=(-e "$a-$b" -e "$(rev <<<"$a")$(rev <<<"$b")$(rev <<<"$c")$(sed 's/\(.\)\(.\)/\2\1/g' <<<"$d$e")")
done
traces() {
  for hive in HKCU HKLM; do wine reg export "$hive" "$work/$hive.reg" /y >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$work/$hive.reg" | grep -i -F -e Kovrane "${codes[@]}" || true; done
}
# Windows Installer's own cache folders stay, as on every Windows; not
# anything in them.
files() {
  find "$WINEPREFIX/drive_c" -path '*/[Tt]emp' -prune -o -printf '%P\n' | sort |
    grep -v -x -e "users/$user/AppData/Roaming/Microsoft/Installer" -e windows/Installer
}
# The Apps entries named Kovrane; wine keeps them under HKLM, even per user.
apps_entries() {
  for hive in HKCU HKLM; do wine reg query "$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" \
    /s 2>/dev/null | tr -d '\r' | awk -v RS= '/DisplayName +REG_SZ +Kovrane\n/'; done
}
reads() { grep -E -q "^ +$1 +REG_[A-Z_]+ +$2\$" <<<"$entry"; }
msiexec() { wine msiexec "$@" 2>/dev/null; }

user=$(id -un)
programs=$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs
installed=$programs/Kovrane
shortcut="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Kovrane.lnk"
files >"$work/files-before"
check "nothing in the registry names Kovrane or its codes yet" test -z "$(traces)"
status=0 && msiexec /i "$msi" ALLUSERS=1 /qn || status=$?
check "a per-machine install (ALLUSERS=1) is refused" test "$status" -ne 0 -a ! -e "$installed"

check "the package installs silently" msiexec /i "$msi" /qn
echo "installed in $programs: $(find "$programs" -mindepth 1 -printf '%P (%s bytes)\n' | sort | paste -s -d ' ')"
check "kovrane.exe is the program built" cmp -s "$exe" "$installed/kovrane.exe"
check "LICENSE.txt and both READMEs are there, with CRLF" grep -q $'\r$' "$installed"/{LICENSE,README,README.ja}.txt
# A shell link holds its paths in ANSI and in UTF-16.
link=$(strings -a "$shortcut"; strings -a -el "$shortcut")
check "the Start-menu shortcut starts it" grep -q -F "$(winepath -w "$installed/kovrane.exe")" <<<"$link"
entry=$(apps_entries)
echo "the Apps entry:"; echo "$entry"
published() {
  [ "$(grep -c '^HKEY.*Uninstall' <<<"$entry")" -eq 1 ] && grep -q -F "$product_code" <<<"$entry" &&
    reads DisplayVersion "$1" && reads Publisher "The Kovrane developers" && reads NoModify 0x1 && reads NoRepair 0x1
}
check "one Apps entry: Kovrane $version, The Kovrane developers, no Modify or Repair" published "$version"
product_icon=$(wine reg query 'HKCU\Software\Microsoft\Installer\Products' /s | tr -d '\r' |
  sed -n 's/^ *ProductIcon *REG_SZ *//p')
echo "its icon: $product_icon"
check "its icon is the clock icon" cmp -s "$icon" "$(winepath -u "$product_icon")"
check "  and so is the shortcut's" grep -q -F "$product_icon" <<<"$link"
check "the installed program opens its window and counts" wine "$driver" "$(winepath -w "$installed/kovrane.exe")"

check "version $next_version installs over it" msiexec /i "$next_msi" /qn
product_code=$(code "$next_msi" ProductCode) entry=$(apps_entries)
check "  one entry is left, for $next_version" published "$next_version"
check "  with the new kovrane.exe" cmp -s "$next_exe" "$installed/kovrane.exe"
check "the same version again changes nothing" msiexec /i "$next_msi" /qn
check "  the same entry" test "$(apps_entries)" = "$entry"
# Refused in the basic UI by a box, read from wine's trace of it.
refused_with() {
  local box status=0
  rm -f "$work/box.err"  # wine truncates it only once started: not the last box's text
  LANG=$1 LC_ALL=$1 WINEDEBUG=+msgbox wine msiexec /i "$msi" /qb 2>"$work/box.err" &
  local installer=$!
  # The whole text, to its closing quote: a busy wine may write the trace's
  # line in more than one piece.
  wait_until 60 grep -q -a 'MSGBOX_OnInit L".*"' "$work/box.err" || true
  grep -a -o 'MSGBOX_OnInit L".*' "$work/box.err" | python3 -c \
    'import re, sys; print(re.sub(r"\\([0-9a-f]{4})", lambda m: chr(int(m[1], 16)), sys.stdin.read()))' >"$work/box"
  echo "  the box reads: $(cat "$work/box")"
  box=$(timeout 30 xdotool search --sync --onlyvisible --name '^Install Failed$' | head -n 1) &&
    xdotool windowfocus --sync "$box" key Return
  wait "$installer" || status=$?
  [ "$status" -ne 0 ] && grep -q -F "$2" "$work/box"
}
check "version $version over $next_version is refused, in English" \
  refused_with C.UTF-8 "A newer version of Kovrane is already installed."
check "  and in Japanese" refused_with ja_JP.UTF-8 "新しいバージョンの Kovrane がすでにインストールされています。"
check "  and $next_version stays" cmp -s "$next_exe" "$installed/kovrane.exe"

check "while installed, the registry names it ($(traces | wc -l) lines)" test -n "$(traces)"
check "it uninstalls silently" msiexec /x "$next_msi" /qn
echo "left in $programs: $(find "$programs" -printf '%P ' 2>/dev/null || echo 'nothing, nor the folder')"
check "no Apps entry is left" test -z "$(apps_entries)"
check "no file or folder is left" diff -u "$work/files-before" <(files)
check "nothing in the registry names Kovrane or its codes" test -z "$(traces)"
echo "$failures check(s) failed"
[ "$failures" -eq 0 ]
