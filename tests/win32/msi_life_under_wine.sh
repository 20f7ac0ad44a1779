#!/usr/bin/env bash
# An MSI's life in a wine prefix made anew, for either package: SCOPE
# per-user (into the user's profile, its records under HKCU) or
# per-machine (into Program Files, HKLM, the all-users Start menu; wine's
# user is an administrator). Its tables write nothing outside the scope's
# places and refuse what the scope cannot do; installed silently, its
# files, shortcut and Apps entry are there and the installed program
# counts; the other scope's package is refused meanwhile; the next version
# replaces it, the same version changes nothing, the older one is refused
# in English and Japanese; uninstalled, nothing names it.
#
# Usage: msi_life_under_wine.sh PREFIX_DIR SETTINGS_REG DRIVER SCOPE MSI VERSION KOVRANE_EXE
#                               NEXT_MSI NEXT_VERSION NEXT_KOVRANE_EXE KOVRANE_ICO OTHER_MSI
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../lib/xvfb_session.sh"
if [ "$1" != --inside ]; then
  require_tools wine msiinfo msidump wixl msibuild python3
  rm -rf "$1"
  exec "$here/wine_session.sh" "$1" "$2" "$0" --inside "${@:3}"
fi
driver=$2 scope=$3 msi=$4 version=$5 exe=$6 next_msi=$7 next_version=$8 next_exe=$9 icon=${10} other_msi=${11}
# winemenubuilder would copy the shortcut into the Unix user's own menus.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
user=$(id -un)
user_menu="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
if [ "$scope" = per-user ]; then
  places="LocalAppDataFolder ProgramMenuFolder" root=1 root_name=HKCU
  installed=$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs/Kovrane
  products='HKCU\Software\Microsoft\Installer\Products' menu=$user_menu
else
  places="ProgramFiles64Folder ProgramMenuFolder" root=2 root_name=HKLM
  installed="$WINEPREFIX/drive_c/Program Files/Kovrane"
  products='HKLM\Software\Classes\Installer\Products'
  menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
fi

msidump -d "$work" "$msi" >/dev/null
rows() { [ ! -f "$work/$1.idt" ] || tail -n +4 "$work/$1.idt" | tr -d '\r'; }
outside=$(cd "$work" && awk -F'\t' -v places=" $places " 'FNR < 4 { next }
  FILENAME ~ /Directory/ { up[$1] = $2; next }
  { for (d = $3; d != "" && index(places, " " d " ") == 0;) d = up[d]; if (d == "") print $1 }' \
  Directory.idt Component.idt)
check "every component goes into ${places// / or } ($outside)" test -z "$outside"
check "every registry value goes to $root_name" test -z "$(rows Registry | awk -F'\t' -v root="$root" '$2 != root')"
check "its custom actions only set ARPINSTALLLOCATION and the messages' language (type 51)" test \
  "$(rows CustomAction | cut -f1-3 | sort | tr '\t\n' ' ')" \
  = "SetInstallLocation 51 ARPINSTALLLOCATION SetJapanese 51 KOVRANE_JAPANESE "
check "no service, environment, INI, COM or self-registration" test -z "$(
  for table in ServiceInstall Environment IniFile Class ProgId TypeLib SelfReg; do rows "$table"; done)"
conditions=$(rows LaunchCondition)
check "the other package's check lets an installed Kovrane be removed" \
  test "$(grep -c 'KOVRANE_FOR_[A-Z_]* OR Installed OR' <<<"$conditions")" -eq 2
property() { msiinfo export "$1" Property | tr -d '\r' | sed -n "s/^$2\t//p"; }
if [ "$scope" = per-user ]; then
  # Wine cannot run msiexec as LocalSystem: its one user's SID is fixed,
  # and UserSID=S-1-5-18 on the command line is not taken.
  echo "the LocalSystem refusal, as Windows reads it:"; grep '^UserSID' <<<"$conditions"
  check "as LocalSystem (UserSID S-1-5-18) it refuses, naming the per-machine package" \
    test "$(grep -c '^UserSID <> "S-1-5-18" OR .*kovrane-\[ProductVersion\]-windows-x64-per-machine\.msi' \
      <<<"$conditions")" -eq 2
  # Windows resets ALLUSERS=2 with MSIINSTALLPERUSER=1 to "" and installs
  # per user; wine turns ALLUSERS=2 into 1 whatever the rest.
  check "it refuses ALLUSERS alone, so ALLUSERS=2 MSIINSTALLPERUSER=1 installs per user on Windows" \
    test "$(grep -c '^NOT ALLUSERS OR' <<<"$conditions")" -eq 2
else
  check "it is per machine (ALLUSERS 1) and asks for elevation (word count 2)" test \
    "$(property "$msi" ALLUSERS) $(msiinfo suminfo "$msi" | sed -n 's/^Source: //p')" = "1 2 (2)"
  check "its one component is 64-bit, its key path kovrane.exe" \
    test "$(rows Component | cut -f1,4,6 | tr '\t' ' ')" = "Program 256 kovrane.exe"
  # Wine (8 and 10) puts it under the user's Start menu whatever ALLUSERS says.
  check "its shortcut goes to ProgramMenuFolder: under ALLUSERS 1, the all-users Start menu" \
    test "$(rows Shortcut | cut -f2)" = ProgramMenuFolder
fi

product_code=$(property "$msi" ProductCode)
# Every code the install may register, also packed as Windows Installer
# keeps them: the first three groups reversed, each later byte's digits swapped.
codes=()
for guid in "$product_code" "$(property "$next_msi" ProductCode)" "$(property "$msi" UpgradeCode)" \
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
# Refused in the basic UI by a box, read from wine's trace of it. Japanese
# is Windows' display language: here the language Windows was installed
# in, as a Japanese Windows has it (wine cannot read the user's own
# choice, a list); wine's own locale stays English.
refused_with() {
  local msi=$1 language=$2 text=$3 box status=0 windows_language=0409
  [ "$language" = ja ] && windows_language=0411
  wine reg add 'HKLM\System\CurrentControlSet\Control\Nls\Language' /v InstallLanguage \
    /d "$windows_language" /f >/dev/null 2>&1
  rm -f "$work/box.err"  # wine truncates it only once started: not the last box's text
  WINEDEBUG=+msgbox wine msiexec /i "$msi" /qb 2>"$work/box.err" &
  local installer=$!
  # The whole text, to its closing quote: a busy wine may write the trace's
  # line in more than one piece.
  wait_until 60 grep -q -a 'MSGBOX_OnInit L".*"' "$work/box.err" || true
  grep -a -o 'MSGBOX_OnInit L".*' "$work/box.err" | python3 -c \
    'import re, sys; print(re.sub(r"\\(?:([0-9a-f]{4})|(.))", lambda m: chr(int(m[1], 16)) if m[1] else m[2],
                                 sys.stdin.read()))' >"$work/box"
  echo "  the box reads: $(cat "$work/box")"
  box=$(timeout 30 xdotool search --sync --onlyvisible --name '^Install Failed$' | head -n 1) &&
    xdotool windowfocus --sync "$box" key Return
  wait "$installer" || status=$?
  wine reg add 'HKLM\System\CurrentControlSet\Control\Nls\Language' /v InstallLanguage /d 0409 /f \
    >/dev/null 2>&1
  [ "$status" -ne 0 ] && grep -q -F "$text" "$work/box"
}

files >"$work/files-before"
check "nothing in the registry names Kovrane or its codes yet" test -z "$(traces)"
if [ "$scope" = per-user ]; then
  status=0 && msiexec /i "$msi" ALLUSERS=1 /qn || status=$?
  check "a per-machine install (ALLUSERS=1) is refused" test "$status" -ne 0 -a ! -e "$installed"
else
  status=0 && msiexec /i "$msi" ALLUSERS= /qn || status=$?
  check "a per-user install (ALLUSERS empty) is refused" test "$status" -ne 0 -a ! -e "$installed"
fi

check "the package installs silently" msiexec /i "$msi" /qn
echo "installed in $installed: $(find "$installed" -mindepth 1 -printf '%P (%s bytes)\n' | sort | paste -s -d ' ')"
check "kovrane.exe is the program built" cmp -s "$exe" "$installed/kovrane.exe"
check "LICENSE.txt and both READMEs are there, with CRLF" grep -q $'\r$' "$installed"/{LICENSE,README,README.ja}.txt
shortcut=$menu/Kovrane.lnk
if [ ! -e "$shortcut" ] && [ -e "$user_menu/Kovrane.lnk" ]; then
  shortcut=$user_menu/Kovrane.lnk
  echo "the shortcut: wine $(wine --version) puts it in the user's Start menu, not in ProgramData's"
fi
echo "the shortcut: ${shortcut#"$WINEPREFIX/"}"
# A shell link holds its paths in ANSI and in UTF-16.
link=$(strings -a "$shortcut"; strings -a -el "$shortcut")
check "the Start-menu shortcut starts it" grep -q -F "$(winepath -w "$installed/kovrane.exe")" <<<"$link"
entry=$(apps_entries)
echo "the Apps entry:"; echo "$entry"
published() {
  [ "$(grep -c '^HKEY.*Uninstall' <<<"$entry")" -eq 1 ] && grep -q -F "$product_code" <<<"$entry" &&
    reads DisplayVersion "$1" && reads Publisher "The Kovrane developers" && reads NoModify 0x1 &&
    reads NoRepair 0x1 && reads InstallLocation "$(winepath -w "$installed" | sed 's/[\\.]/\\&/g')\\\\"
}
check "one Apps entry: Kovrane $version, The Kovrane developers, its folder, no Modify or Repair" \
  published "$version"
product_icon=$(wine reg query "$products" /s | tr -d '\r' | sed -n 's/^ *ProductIcon *REG_SZ *//p')
echo "its icon, registered under $products: $product_icon"
check "its icon is the clock icon" cmp -s "$icon" "$(winepath -u "$product_icon")"
check "  and so is the shortcut's" grep -q -F "$product_icon" <<<"$link"
check "the installed program opens its window and counts" wine "$driver" "$(winepath -w "$installed/kovrane.exe")"

if [ "$scope" = per-user ]; then
  check "the per-machine package is refused while it is installed for this user" \
    refused_with "$other_msi" en "Kovrane is installed for you alone, by its per-user package."
else
  check "the per-user package is refused while it is installed for every user" \
    refused_with "$other_msi" en "Kovrane is already installed for every user of this computer, in $(
      winepath -w "$installed")\\."
fi

check "version $next_version installs over it" msiexec /i "$next_msi" /qn
product_code=$(property "$next_msi" ProductCode) entry=$(apps_entries)
check "  one entry is left, for $next_version" published "$next_version"
check "  with the new kovrane.exe" cmp -s "$next_exe" "$installed/kovrane.exe"
check "the same version again changes nothing" msiexec /i "$next_msi" /qn
check "  the same entry" test "$(apps_entries)" = "$entry"
check "version $version over $next_version is refused, in English" \
  refused_with "$msi" en "A newer version of Kovrane is already installed."
check "  and in Japanese" refused_with "$msi" ja "新しいバージョンの Kovrane がすでにインストールされています。"
check "  and $next_version stays" cmp -s "$next_exe" "$installed/kovrane.exe"

check "while installed, the registry names it ($(traces | wc -l) lines)" test -n "$(traces)"
check "it uninstalls silently" msiexec /x "$next_msi" /qn
echo "left in ${installed%/*}: $(find "$installed" -printf '%P ' 2>/dev/null || echo 'nothing, nor the folder')"
check "no Apps entry is left" test -z "$(apps_entries)"
check "no file or folder is left" diff -u "$work/files-before" <(files)
check "nothing in the registry names Kovrane or its codes" test -z "$(traces)"
echo "$failures check(s) failed"
[ "$failures" -eq 0 ]
