#!/usr/bin/env bash
# Two releases of the current commit, built in different folders, from
# different working directories, under different umasks and at different
# times, must be the same byte for byte. Then the archives are read back:
# what a user unpacks must be what the release promises. Last, the first
# release is signed with a throwaway certificate and the second checked
# against it as a rebuild of a signed release is (signed_release_check.sh).
#   reproducible_test.sh SOURCE_DIR VERSION WORK_DIR
set -euo pipefail
source_dir=$1 version=$2 work=$3
source "$source_dir/tests/lib/xvfb_session.sh"
require_tools git zip unzip zipinfo gzip dpkg-deb x86_64-w64-mingw32-g++ x86_64-w64-mingw32-objdump \
  wixl msibuild msiinfo msiextract osslsigncode openssl
if ! git -C "$source_dir" rev-parse --verify -q HEAD >/dev/null; then
  echo "SKIP: $source_dir is not a git checkout, and a release is made from a commit"
  exit 77
fi

rm -rf "$work"
mkdir -p "$work/first/tmp" "$work/second/tmp" "$work/second/cwd"
# Both runs build the same commit, even if HEAD moves meanwhile.
release=("$source_dir/scripts/release.sh" --commit "$(git -C "$source_dir" rev-parse HEAD)")
# Side by side they take little longer than one alone on two cores; the
# second starts later, so no step of the two runs shares a second.
(cd "$work/first" && TMPDIR=$work/first/tmp "${release[@]}" --out "$work/first/dist") \
  >"$work/first.log" 2>&1 & first=$!
sleep 5
(cd "$work/second/cwd" && umask 077 && TMPDIR=$work/second/tmp "${release[@]}" --out "$work/second/dist") \
  >"$work/second.log" 2>&1 || { cat "$work/second.log"; exit 1; }
wait "$first" || { cat "$work/first.log"; exit 1; }

fail() { echo "FAIL: $*"; exit 1; }
dist=$work/first/dist
cat "$dist/SHA256SUMS"
cmp -s "$dist/SHA256SUMS" "$work/second/dist/SHA256SUMS" \
  || { diff "$dist/SHA256SUMS" "$work/second/dist/SHA256SUMS"; fail "the two releases differ"; }
# Unsigned, the apt repository has no part that may differ.
diff -r "$dist/apt" "$work/second/dist/apt" || fail "the two releases' apt repositories differ"
cd "$dist"
sha256sum --quiet -c SHA256SUMS || fail "SHA256SUMS does not match the files"
arch=$(dpkg --print-architecture)
deb=kovrane_${version}_$arch.deb zip=kovrane-$version-windows-x64.zip tarball=kovrane-$version.tar.gz
msi=kovrane-$version-windows-x64.msi machine_msi=kovrane-$version-windows-x64-per-machine.msi
[ "$(cut -d' ' -f3 SHA256SUMS | tr '\n' ' ')" = "$machine_msi $msi $zip $tarball kovrane.sources $deb " ] \
  || fail "SHA256SUMS should list $machine_msi, $msi, $zip, $tarball, kovrane.sources and $deb, in byte order"

# The Windows zip: four files, the texts with CRLF line ends, the README
# also in Japanese, in UTF-8.
[ "$(zipinfo -1 "$zip" | tr '\n' ' ')" = "LICENSE.txt README.ja.txt README.txt kovrane.exe " ] \
  || fail "zip entries: $(zipinfo -1 "$zip" | tr '\n' ' ')"
for text in LICENSE.txt README.ja.txt README.txt; do
  lines=$(unzip -p "$zip" "$text" | wc -l)
  [ "$lines" -gt 0 ] && [ "$(unzip -p "$zip" "$text" | grep -c $'\r$')" -eq "$lines" ] \
    || fail "$text has lines without CRLF"
done
unzip -p "$zip" LICENSE.txt | tr -d '\r' | cmp -s - "$source_dir/LICENSE" \
  || fail "LICENSE.txt is not the project's LICENSE"
grep -q "^Kovrane $version for Windows" <<<"$(unzip -p "$zip" README.txt)" || fail "README.txt lacks the version"
unzip -p "$zip" README.ja.txt | iconv -f UTF-8 -t UTF-8 >/dev/null || fail "README.ja.txt is not UTF-8"
grep -q "Kovrane $version Windows 版" <<<"$(unzip -p "$zip" README.ja.txt)" \
  || fail "README.ja.txt lacks the version"

# The MSIs: this version, and the zip's four files, byte for byte.
unzip -q "$zip" -d "$work/zip"
for package in "$msi" "$machine_msi"; do
  [ "$(msiinfo export "$package" Property | tr -d '\r' | sed -n 's/^ProductVersion\t//p')" = "$version" ] \
    || fail "$package's ProductVersion is not $version"
  mkdir "$work/$package"
  (cd "$work/$package" && msiextract "$dist/$package" >/dev/null)
  diff -r "$work/zip" "$(find "$work/$package" -type d -name Kovrane)" || fail "$package does not hold the zip's files"
done

# kovrane.exe: one small file that needs only Windows' own DLLs, with no
# link time and no build folder in it.
unzip -p "$zip" kovrane.exe >"$work/kovrane.exe"
size=$(stat -c %s "$work/kovrane.exe")
echo "kovrane.exe: $size bytes"
[ "$size" -le 262144 ] || fail "kovrane.exe is $size bytes, more than 256 KiB"
headers=$(x86_64-w64-mingw32-objdump -p "$work/kovrane.exe")
windows_dlls='^(kernel32|user32|gdi32|comctl32|msvcrt|advapi32|shell32|ole32|oleaut32|oleacc|uxtheme|dwmapi|shcore|imm32|version)\.dll$'
dlls=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers")
echo "imports: $(tr '\n' ' ' <<<"$dlls")"
foreign=$(tr 'A-Z' 'a-z' <<<"$dlls" | grep -v -E "$windows_dlls" || true)
[ -z "$foreign" ] || fail "kovrane.exe imports DLLs Windows does not have: $foreign"
# TimeDateStamp: 8 bytes into the PE header, whose offset is at 0x3c.
pe_header=$(od -An -tu4 -j60 -N4 "$work/kovrane.exe")
[ "$(od -An -tu4 -j$((pe_header + 8)) -N4 "$work/kovrane.exe")" -eq 0 ] \
  || fail "kovrane.exe's PE header carries a link time"

# The Debian package: this version, and no build folder in the program.
[ "$(dpkg-deb -f "$deb" Package Version Architecture | tr '\n' ' ')" \
  = "Package: kovrane Version: $version Architecture: $arch " ] || fail "deb control: $(dpkg-deb -f "$deb")"
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/bin/kovrane >"$work/kovrane"
for binary in "$work/kovrane.exe" "$work/kovrane"; do
  if strings -a "$binary" | grep -F "$work"; then fail "a build folder is left in $binary"; fi
done

# The source: every entry under kovrane-VERSION/, the commit's tree in full.
commit=$(git get-tar-commit-id < <(gzip -dc "$tarball"))
entries=$(tar -tzf "$tarball")
! grep -v -q "^kovrane-$version/" <<<"$entries" || fail "tarball entries outside kovrane-$version/"
[ "$(grep -v '/$' <<<"$entries" | sed "s|^kovrane-$version/||")" = "$(git -C "$source_dir" ls-tree -r --name-only "$commit")" ] \
  || fail "the tarball is not the tree of $commit"
echo "PASS: two releases of $commit are identical and hold what they should"

"$source_dir/tests/release/signed_release_check.sh" "$dist" "$work/second/dist" "$work/signing"
