#!/usr/bin/env bash
# Every translatable text has a translation in every language. The program's
# catalogues (translations/kovrane_<language>.ts) are brought up to date
# with its sources by lupdate, in a scratch copy, and must then hold no
# unfinished or empty translation, and keep each source's %1, %2; the
# desktop entry's and metainfo's catalogues (po/<language>.po), merged with
# what xgettext finds in their templates, no untranslated or fuzzy message.
# Each language has both catalogues; --help fits a terminal of 80 columns in
# each (a CJK character takes two). The manual pages stay in English and
# Japanese.
#
# Usage: catalogues_complete_test.sh SOURCE_DIR LUPDATE
set -uo pipefail

source_dir=$1 lupdate=$2
source "$(dirname "$0")/../lib/xvfb_session.sh"  # for check and require_tools
require_tools xgettext msgmerge msgfmt /usr/bin/python3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

ts_complete() {  # ts_complete CATALOGUE
  cp "$1" "$scratch/current.ts"
  "$lupdate" -silent -no-obsolete -locations none -I "$source_dir" \
    "$source_dir"/backends/qt/*.cpp -ts "$scratch/current.ts" || return 1
  /usr/bin/python3 - "$scratch/current.ts" <<'PY'
import re, sys, unicodedata, xml.etree.ElementTree as ET
missing = 0
columns = lambda line: sum(1 + (unicodedata.east_asian_width(c) in "WF") for c in line)
for context in ET.parse(sys.argv[1]).iter("context"):
    for message in context.iter("message"):
        source = message.findtext("source")
        translation = message.find("translation")
        placeholders = lambda text: sorted(re.findall(r"%\d", text or ""))
        if translation.get("type") or not translation.text:
            print("untranslated:", repr(source)); missing += 1
        elif placeholders(source) != placeholders(translation.text):
            print("placeholders differ:", repr(source)); missing += 1
        elif context.findtext("name") == "kovrane::CommandLine":
            for line in translation.text.splitlines():
                if columns(line) > 79:
                    print(f"{columns(line)} columns:", line); missing += 1
sys.exit(missing > 0)
PY
}

po_complete() {  # po_complete CATALOGUE
  local statistics
  msgmerge --quiet --no-fuzzy-matching -o "$scratch/current.po" "$1" "$scratch/texts.pot" \
    || return 1
  statistics=$(LC_ALL=C msgfmt --check --statistics -o /dev/null "$scratch/current.po" 2>&1) \
    || return 1
  echo "$statistics"
  ! grep -qE 'untranslated|fuzzy' <<<"$statistics"
}

templates=$source_dir/packaging/linux
xgettext --from-code=UTF-8 -o "$scratch/texts.pot" "$templates/org.kovrane.Kovrane.metainfo.xml.in"
xgettext -j -L Desktop -k -kGenericName -kComment -kKeywords -o "$scratch/texts.pot" \
  "$templates/org.kovrane.Kovrane.desktop.in"
check "xgettext finds the desktop entry's and metainfo's texts" \
  [ "$(grep -c '^msgid ' "$scratch/texts.pot")" -ge 5 ]

languages=()
for catalogue in "$source_dir"/translations/kovrane_*.ts; do
  language=$(basename "$catalogue" .ts) language=${language#kovrane_}
  languages+=("$language")
  check "$language: the program's catalogue is complete" ts_complete "$catalogue"
  check "$language: the desktop entry and metainfo catalogue is complete" \
    po_complete "$source_dir/po/$language.po"
done
check "a Japanese catalogue among: ${languages[*]}" grep -qw ja <<<"${languages[*]}"
check "a Japanese manual page" test -f "$templates/kovrane.ja.1.in"

[ "$failures" = 0 ]
