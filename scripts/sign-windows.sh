#!/usr/bin/env bash
# Signs the Windows files of a release with a code-signing certificate, or
# gives a rebuild of a signed release's commit the signatures it published,
# with osslsigncode (Authenticode, SHA-256):
#
#   scripts/sign-windows.sh DIST --cert CERT --key KEY [--pass-file FILE] [--timestamp URL]
#   scripts/sign-windows.sh DIST --signatures SIGNED_DIST
#
# DIST is an unsigned release as scripts/release.sh writes it. kovrane.exe
# (from the zip) is signed first; both packages are then built again around
# the signed program, by the tarball's own make_msi.py, and signed in turn;
# the zip gets the signed program. Before that, the packages built from
# the tarball around the unsigned program must be the release's own. The
# signatures, PKCS #7 in PEM, are written beside the files, and SHA256SUMS
# is written anew with them:
#   kovrane-<version>-windows-x64.exe.p7s                kovrane.exe's
#   kovrane-<version>-windows-x64.msi.p7s                the per-user package's
#   kovrane-<version>-windows-x64-per-machine.msi.p7s    the per-machine package's
#
# CERT is the certificate with its chain (PEM or DER), KEY its private key
# (PEM or DER; with KOVRANE_SIGN_PKCS11_MODULE set, a PKCS #11 key id or URI,
# for a key on a token or an HSM), FILE the key's password. None of them
# may be where git could take them in. A time-stamp server (an RFC 3161
# URL) keeps the signatures valid after the certificate expires; signing
# then needs it to be reachable, so it is an option.
#
# With --signatures, the signatures in SIGNED_DIST are attached rather than
# made. A release rebuilt from a signed release's commit and given its
# signatures so must be that release byte for byte: its SHA256SUMS must be
# the same. The script stops early when the rebuilt kovrane.exe given its
# signature is not the one SIGNED_DIST's zip holds.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
usage() {
  echo "usage: $0 DIST --cert CERT --key KEY [--pass-file FILE] [--timestamp URL]" >&2
  echo "       $0 DIST --signatures SIGNED_DIST" >&2
  exit 2
}
[ $# -ge 1 ] || usage
dist=$(cd "$1" && pwd)
shift
cert= key= pass_file= timestamp= signatures=
while [ $# -gt 0 ]; do
  case $1 in
    --cert) cert=$2; shift 2 ;;
    --key) key=$2; shift 2 ;;
    --pass-file) pass_file=$2; shift 2 ;;
    --timestamp) timestamp=$2; shift 2 ;;
    --signatures) signatures=$(cd "$2" && pwd); shift 2 ;;
    *) usage ;;
  esac
done
fail() { echo "sign-windows: $*" >&2; exit 1; }
if [ -n "$signatures" ]; then
  [ -z "$cert$key" ] || usage
else
  [ -n "$cert" ] && [ -n "$key" ] || usage
  # Nowhere git could take them in.
  for secret in "$cert" "$key" "$pass_file"; do
    [ -n "$secret" ] && [ -e "$secret" ] || continue
    case $(realpath "$secret") in
      "$repo"/*) git -C "$repo" check-ignore -q "$(realpath "$secret")" \
        || fail "$secret is in the checkout and not ignored by git: keep certificates and keys out of it" ;;
    esac
  done
fi
for tool in osslsigncode wixl msibuild zip; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh windows installs it)"
done
python=
for candidate in python3 /usr/bin/python3; do
  if "$candidate" -c 'import olefile' 2>/dev/null; then python=$candidate; break; fi
done
[ -n "$python" ] || fail "no Python 3 with olefile (Debian: apt install python3-olefile)"

# The same settings as the release's build.
umask 022
export TZ=UTC LC_ALL=C
tarballs=("$dist"/kovrane-*.tar.gz)
[ ${#tarballs[@]} -eq 1 ] && [ -f "${tarballs[0]}" ] || fail "no one source tarball in $dist"
version=${tarballs[0]##*/kovrane-} version=${version%.tar.gz}
zip=kovrane-$version-windows-x64.zip exe_signature=kovrane-$version-windows-x64.exe.p7s
declare -A packages=([per-user]=kovrane-$version-windows-x64.msi
                     [per-machine]=kovrane-$version-windows-x64-per-machine.msi)
for file in "$zip" "${packages[@]}"; do [ -f "$dist/$file" ] || fail "no $file in $dist"; done

work=$(mktemp -d "${TMPDIR:-/tmp}/kovrane-sign.XXXXXX")
trap 'rm -rf "$work"' EXIT
# The commit's source, and its time, which every time stamp of the release is.
mkdir "$work/src" "$work/zip" "$work/icon"
tar -xzf "${tarballs[0]}" -C "$work/src"
src=$work/src/kovrane-$version
SOURCE_DATE_EPOCH=$(stat -c %Y "$src")
export SOURCE_DATE_EPOCH
"$python" "$src/window/icon/make_icon.py" "$src/window/icon/clock_icon.txt" "$work/icon"
"$python" -m zipfile -e "$dist/$zip" "$work/zip"
unsigned=$work/zip/kovrane.exe

# sign_or_attach IN OUT SIGNATURE_NAME
sign_or_attach() {
  if [ -z "$signatures" ]; then
    local options=(-h sha256 -n Kovrane -certs "$cert" -key "$key")
    [ -z "$pass_file" ] || options+=(-readpass "$pass_file")
    [ -z "${KOVRANE_SIGN_PKCS11_MODULE:-}" ] || options+=(-pkcs11module "$KOVRANE_SIGN_PKCS11_MODULE")
    [ -z "$timestamp" ] || options+=(-ts "$timestamp")
    osslsigncode sign "${options[@]}" -in "$1" -out "$2" >"$work/osslsigncode.log" 2>&1 \
      || { cat "$work/osslsigncode.log"; fail "osslsigncode could not sign ${1##*/}"; }
  else
    [ -f "$signatures/$3" ] || fail "no signature $3 in $signatures"
    # Its status also says whether the signer's certificate is trusted here,
    # which osslsigncode verify answers: what counts is the file it writes,
    # which is none when the signature is not this file's.
    osslsigncode attach-signature -sigin "$signatures/$3" -in "$1" -out "$2" >"$work/osslsigncode.log" 2>&1 || true
    [ -f "$2" ] || { cat "$work/osslsigncode.log"; fail "the signature $3 is not that of this ${1##*/}"; }
  fi
  osslsigncode extract-signature -pem -in "$2" -out "$work/$3" >/dev/null
}
# package SCOPE KOVRANE_EXE OUTPUT
package() {
  "$python" "$src/packaging/windows/make_msi.py" "$3" "$version" "$2" "$work/icon/kovrane.ico" \
    "$src" "$work/msi-$1" "$1" >"$work/make_msi.log" 2>&1 || { cat "$work/make_msi.log"; exit 1; }
}

mkdir "$work/signed"
sign_or_attach "$unsigned" "$work/signed/kovrane.exe" "$exe_signature"
signed=("$exe_signature")
if [ -n "$signatures" ]; then
  "$python" -m zipfile -e "$signatures/$zip" "$work/published"
  cmp -s "$work/signed/kovrane.exe" "$work/published/kovrane.exe" \
    || fail "this kovrane.exe given the signature of $signatures is not the kovrane.exe published there"
fi
for scope in "${!packages[@]}"; do
  package "$scope" "$unsigned" "$work/unsigned.msi"
  cmp -s "$work/unsigned.msi" "$dist/${packages[$scope]}" \
    || fail "${packages[$scope]} is not the package its tarball builds around its zip's kovrane.exe"
done
for scope in "${!packages[@]}"; do
  name=${packages[$scope]}
  package "$scope" "$work/signed/kovrane.exe" "$work/$name"
  sign_or_attach "$work/$name" "$work/signed/$name" "$name.p7s"
  signed+=("$name.p7s")
done
# The zip's entry replaced in place, with the times and mode of the rest.
chmod 644 "$work/signed/kovrane.exe"
touch -d "@$SOURCE_DATE_EPOCH" "$work/signed/kovrane.exe"
(cd "$work/signed" && zip -X -9 -q "$dist/$zip" kovrane.exe)
for signature in "${signed[@]}"; do cp "$work/$signature" "$dist/$signature"; done
for name in "${packages[@]}"; do cp "$work/signed/$name" "$dist/$name"; done

listed=$(awk '{ print $2 }' "$dist/SHA256SUMS" | grep -v -x -F -f <(printf '%s\n' "${signed[@]}") || true)
(cd "$dist" && sha256sum $listed "${signed[@]}" | sort -k2 >SHA256SUMS)
echo "sign-windows: $([ -n "$signatures" ] && echo "attached the signatures of $signatures" ||
  echo "signed") kovrane.exe, $zip, ${packages[per-user]} and ${packages[per-machine]}"
