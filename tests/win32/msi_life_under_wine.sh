#!/usr/bin/env bash
# The Windows Installer package's life in a wine prefix made anew for it:
# its tables write nothing outside the user's profile and HKCU; a
# per-machine install is refused; installed silently, its files, Start-menu
# shortcut and Apps entry are there and the installed kovrane.exe counts
# (the driver); the next version replaces it, leaving one entry, and itself
# again changes nothing; the older version is refused, in English and in
# Japanese; uninstalled, no file or registry value is left of it.
#
# Usage: msi_life_under_wine.sh PREFIX_DIR SETTINGS_REG DRIVER MSI VERSION KOVRANE_EXE
#                               NEXT_MSI NEXT_VERSION NEXT_KOVRANE_EXE KOVRANE_ICO
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../lib/xvfb_session.sh"
if [ "$1" != --inside ]; then
  require_tools wine msiinfo msidump wixl msibuild
  rm -rf "$1"
  exec "$here/wine_session.sh" "$1" "$2" "$0" --inside "${@:3}"
fi
driver=$2 msi=$3 version=$4 exe=$5 next_msi=$6 next_version=$7 next_exe=$8 icon=$9
# winemenubuilder would copy the shortcut into the Unix user's own menus.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

# The tables, as any Windows Installer reads them.
tables=$(mktemp -d)
trap 'rm -rf "$tables"' EXIT
msidump -d "$tables" "$msi" >/dev/null
rows() { [ ! -f "$tables/$1.idt" ] || tail -n +4 "$tables/$1.idt" | tr -d '\r'; }
in_profile() {
  local directory=$1
  while [ -n "$directory" ]; do
    case $directory in LocalAppDataFolder | ProgramMenuFolder) return 0 ;; esac
    directory=$(rows Directory | awk -F'\t' -v d="$directory" '$1 == d { print $2 }')
  done
  return 1
}
while IFS=$'\t' read -r component _ directory _; do
  check "component $component goes into the user's profile ($directory)" in_profile "$directory"
done < <(rows Component)
check "every registry value goes to HKCU (root 1)" test -z "$(rows Registry | awk -F'\t' '$2 != 1')"
check "no custom action, service, environment, INI, ODBC, COM or self-registration entry" \
  test -z "$(for table in CustomAction ServiceInstall ServiceControl Environment IniFile \
    ODBCDataSource Class ProgId TypeLib SelfReg; do rows "$table"; done)"
property() { rows Property | awk -F'\t' -v p="$1" '$1 == p { print $2 }'; }
product_code=$(property ProductCode) upgrade_code=$(property UpgradeCode)
next_product_code=$(msiinfo export "$next_msi" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductCode" { print $2 }')

user=$(id -un)
programs=$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs
installed=$programs/Kovrane
shortcut="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Kovrane.lnk"
msiexec() { wine msiexec "$@" 2>/dev/null; }
# Windows Installer's own folders (its caches), which every Windows has,
# are left out; anything inside them is not.
files() {
  find "$WINEPREFIX/drive_c" -path '*/[Tt]emp' -prune -o -printf '%P\n' |
    grep -v -x -e "users/$user/AppData/Roaming/Microsoft/Installer" -e windows/Installer | sort
}
# Windows Installer keeps the codes it registers packed: each of the first
# three groups reversed, then each byte's two digits swapped.
packed() {
  local a b c d e
  IFS=- read -r a b c d e <<<"${1//[\{\}]/}"
  echo "$(rev <<<"$a")$(rev <<<"$b")$(rev <<<"$c")$(sed 's/\(.\)\(.\)/\2\1/g' <<<"$d$e")"
}
# Every registry line that names Kovrane or one of its codes (product,
# upgrade, components), plain or packed.
traces() {
  local codes=() code hive
  for code in "$product_code" "$next_product_code" "$upgrade_code" $(rows Component | cut -f2); do
    codes+=(-e "${code//[\{\}]/}" -e "$(packed "$code")")
  done
  for hive in HKCU HKLM; do
    wine reg export "$hive" "$tables/$hive.reg" /y >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$tables/$hive.reg" | tr -d '\r' | grep -i -F -e Kovrane "${codes[@]}" || true
  done
}
# Every Apps entry named Kovrane, wherever wine keeps it (HKLM, also for a
# per-user product), one "key value..." block each.
apps_entries() {
  local hive
  for hive in HKCU HKLM; do
    wine reg query "$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s 2>/dev/null |
      tr -d '\r' | awk -v RS= '/DisplayName +REG_SZ +Kovrane\n/'
  done
}
entry_has() { grep -E -q "^ +$1 +REG_[A-Z_]+ +$2\$" <<<"$entry"; }

files >"$tables/files-before"
check "the registry names neither Kovrane nor its codes before" test -z "$(traces)"

status=0; msiexec /i "$msi" ALLUSERS=1 /qn || status=$?
check "a per-machine install (ALLUSERS=1) is refused" test "$status" -ne 0 -a ! -e "$installed"

check "the package installs silently" msiexec /i "$msi" /qn
echo "installed files:"; find "$programs" -printf '  %P %s bytes\n' | sort
check "kovrane.exe is the program built" cmp -s "$exe" "$installed/kovrane.exe"
check "LICENSE.txt, README.txt and README.ja.txt are there with CRLF line ends" \
  grep -q $'\r$' "$installed/LICENSE.txt" "$installed/README.txt" "$installed/README.ja.txt"
# A shell link holds its paths in ANSI and in UTF-16.
link_texts() { strings -a "$shortcut"; strings -a -el "$shortcut"; }
check "the Start-menu shortcut starts the installed program" \
  grep -q -F "$(winepath -w "$installed/kovrane.exe")" <(link_texts)
entry=$(apps_entries)
echo "the Apps entry:"; echo "$entry"
check "one Apps entry, for the product code" \
  test "$(grep -c '^HKEY' <<<"$entry")" -eq 1 -a -n "$(grep -F "$product_code" <<<"$entry")"
reads_as_published() {
  entry_has DisplayVersion "$version" && entry_has Publisher "The Kovrane developers" &&
    entry_has NoModify 0x1 && entry_has NoRepair 0x1
}
check "it reads Kovrane $version by The Kovrane developers, without Modify or Repair" reads_as_published
product_icon=$(wine reg query 'HKCU\Software\Microsoft\Installer\Products' /s |
  tr -d '\r' | sed -n 's/^ *ProductIcon *REG_SZ *//p')
echo "its icon: $product_icon"
clock_icons() { cmp -s "$icon" "$(winepath -u "$product_icon")" && link_texts | grep -q -F "$product_icon"; }
check "its icon, and the shortcut's, is the clock icon" clock_icons

check "the installed program opens its window and counts (driver)" \
  wine "$driver" "$(winepath -w "$installed/kovrane.exe")"

check "version $next_version installs over it" msiexec /i "$next_msi" /qn
entry=$(apps_entries)
upgraded() {
  [ "$(grep -c '^HKEY' <<<"$entry")" -eq 1 ] && entry_has DisplayVersion "$next_version" &&
    cmp -s "$next_exe" "$installed/kovrane.exe"
}
check "one Apps entry is left, for $next_version, and the new kovrane.exe" upgraded
check "the same version again changes nothing" msiexec /i "$next_msi" /qn
entry=$(apps_entries)
check "  still the one entry and the new kovrane.exe" upgraded

# Refused with a box in the basic UI, read from wine's trace of it.
box_text() {
  grep -a -o 'MSGBOX_OnInit L".*' "$tables/box.err" |
    python3 -c 'import re, sys; print(re.sub(r"\\([0-9a-f]{4})", lambda m: chr(int(m[1], 16)), sys.stdin.read()))'
}
refused_with() {
  local locale=$1 message=$2 box status=0
  LANG=$locale LC_ALL=$locale WINEDEBUG=+msgbox wine msiexec /i "$msi" /qb 2>"$tables/box.err" &
  local installer=$!
  wait_until 60 grep -q -a MSGBOX_OnInit "$tables/box.err" || true
  echo "  the box reads: $(box_text)"
  if box=$(timeout 30 xdotool search --sync --onlyvisible --name '^Install Failed$' | head -n 1); then
    xdotool windowfocus --sync "$box" key Return
  fi
  wait "$installer" || status=$?
  [ "$status" -ne 0 ] && box_text | grep -q -F "$message"
}
check "version $version over $next_version is refused, in English" \
  refused_with C.UTF-8 "A newer version of Kovrane is already installed."
check "  and in Japanese" \
  refused_with ja_JP.UTF-8 "新しいバージョンの Kovrane がすでにインストールされています。"
check "  and $next_version stays" cmp -s "$next_exe" "$installed/kovrane.exe"

check "while installed, the registry names them ($(traces | wc -l) lines)" test -n "$(traces)"
check "it uninstalls silently" msiexec /x "$next_msi" /qn
echo "files left in $programs: $(find "$programs" -printf '%P ' 2>/dev/null || echo 'none, nor the folder')"
check "no Apps entry is left" test -z "$(apps_entries)"
check "no file or folder is left" diff -u "$tables/files-before" <(files)
check "no registry key or value names Kovrane or its codes" test -z "$(traces)"
echo "$failures check(s) failed"
[ "$failures" -eq 0 ]
