#!/usr/bin/env bash
# A signed release, made from an unsigned one with a throwaway certificate
# made here, then checked as the README checks a published one: its
# signatures verify (osslsigncode verify, trusting that certificate); a
# rebuild of its commit given its signatures (scripts/sign-windows.sh
# --signatures) has its SHA256SUMS; the same rebuild with one byte of
# kovrane.exe changed does not. Under wine (where it runs x86-64), the
# signed per-machine package installs over the unsigned one of the same
# version and replaces it, and the signed kovrane.exe opens its window.
#   signed_release_check.sh RELEASE REBUILD WORK_DIR
# (RELEASE and REBUILD two unsigned releases of one commit)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../lib/xvfb_session.sh"
fail() { echo "FAIL: $*"; exit 1; }

if [ "$1" = --inside ]; then  # in a wine session: UNSIGNED_MSI SIGNED_MSI SIGNED_EXE
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
  entry() { wine reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$(
    msiinfo export "$1" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p')" >/dev/null 2>&1; }
  installed="$WINEPREFIX/drive_c/Program Files/Kovrane/kovrane.exe"
  check "the unsigned per-machine package installs" wine msiexec /i "$2" /qn
  check "the signed one, of the same version, installs over it" wine msiexec /i "$3" /qn
  replaced() { entry "$1" && ! entry "$2"; }
  check "  and replaces it: its Apps entry alone is left" replaced "$3" "$2"
  check "  with the signed kovrane.exe" cmp -s "$4" "$installed"
  wine "$installed" &
  check "the signed kovrane.exe opens its window" \
    eval "timeout $((30 * time_scale)) xdotool search --sync --onlyvisible --name '^Kovrane$' >/dev/null"
  wineserver -k
  check "it uninstalls" wine msiexec /x "$3" /qn
  check "  and leaves nothing in Program Files" test ! -e "${installed%/*}"
  [ "$failures" -eq 0 ]
  exit
fi

release=$(realpath "$1") rebuild=$(realpath "$2") work=$(realpath -m "$3")
sign=$here/../../scripts/sign-windows.sh
rm -rf "$work"
mkdir -p "$work"
version=$(cd "$release" && ls kovrane-*.tar.gz) version=${version#kovrane-} version=${version%.tar.gz}
zip=kovrane-$version-windows-x64.zip
msis=(kovrane-$version-windows-x64.msi kovrane-$version-windows-x64-per-machine.msi)

openssl req -x509 -newkey rsa:3072 -nodes -days 2 -keyout "$work/key.pem" -out "$work/cert.pem" \
  -subj "/CN=The Kovrane developers (a throwaway test certificate)" \
  -addext extendedKeyUsage=codeSigning -addext keyUsage=digitalSignature 2>/dev/null
cp -r "$release" "$work/signed"
"$sign" "$work/signed" --cert "$work/cert.pem" --key "$work/key.pem"
echo "the signed release's SHA256SUMS:"
cat "$work/signed/SHA256SUMS"
unzip -p "$work/signed/$zip" kovrane.exe >"$work/kovrane.exe"
for file in "$work/kovrane.exe" "${msis[@]/#/$work/signed/}"; do
  echo "osslsigncode verify -CAfile cert.pem -in ${file##*/}:"
  osslsigncode verify -CAfile "$work/cert.pem" -in "$file" 2>&1 | sed 's/^/  /' | tee "$work/verify.log"
  grep -q '^  Signature verification: ok$' "$work/verify.log" || fail "${file##*/}'s signature does not verify"
done

# As the README checks a published release against a rebuild of its commit.
cp -r "$rebuild" "$work/rebuild"
"$sign" "$work/rebuild" --signatures "$work/signed"
diff "$work/signed/SHA256SUMS" "$work/rebuild/SHA256SUMS" \
  || fail "the rebuild given the signed release's signatures is not that release"
echo "ok: the rebuild given the signed release's signatures has its SHA256SUMS"

# The same rebuild but for one byte of kovrane.exe's code, in its zip.
cp -r "$rebuild" "$work/changed"
mkdir "$work/changed-exe"
(cd "$work/changed-exe" && unzip -q "$work/changed/$zip" kovrane.exe)
python3 -c 'import sys; f = open(sys.argv[1], "r+b"); f.seek(5000); b = f.read(1); f.seek(5000)
f.write(bytes([b[0] ^ 1]))' "$work/changed-exe/kovrane.exe"
(cd "$work/changed-exe" && zip -X -9 -q "$work/changed/$zip" kovrane.exe)
if "$sign" "$work/changed" --signatures "$work/signed" >"$work/changed.log" 2>&1 &&
   diff "$work/signed/SHA256SUMS" "$work/changed/SHA256SUMS" >>"$work/changed.log"; then
  fail "a rebuild with one byte of kovrane.exe changed passed the check"
fi
echo "ok: with one byte of kovrane.exe changed, the check fails:"
sed 's/^/  /' "$work/changed.log"

if [ "$(dpkg --print-architecture)" != amd64 ] || ! command -v wine >/dev/null; then
  echo "not run: the signed program under wine, which runs x86-64 programs on amd64 alone"
  exit 0
fi
"$here/../win32/wine_session.sh" "$work/wineprefix" "$here/../win32/wine_settings.reg" "$0" --inside \
  "$release/${msis[1]}" "$work/signed/${msis[1]}" "$work/kovrane.exe"
echo "PASS: the signed release verifies, and is checked against a rebuild as documented"
