#!/usr/bin/env bash
# Writes the release's apt repository, a static tree that any web server can
# serve as it stands, and the two files a user puts in place to use it:
#   OUT/apt/dists/stable/Release, InRelease (signed),
#                       main/binary-ARCH/Packages and Packages.gz
#   OUT/apt/pool/main/k/kovrane/kovrane_VERSION_ARCH.deb
#   OUT/kovrane-archive-keyring.gpg   the signing key's public half
#   OUT/kovrane.sources               for /etc/apt/sources.list.d/, naming URL
#
#   apt_repository.sh --out OUT --url URL [--previous DIR] [--key KEY] DEB...
#
# The pool holds the DEBs and every package of the previous release's
# repository DIR, so that users of any earlier version upgrade from it. KEY
# is a key in the caller's GnuPG home (its fingerprint, id or address) or a
# file holding a secret key. Without a key the repository is unsigned, and
# apt refuses it unless told to trust it outright. Release's Date is
# SOURCE_DATE_EPOCH's, so all but InRelease comes out the same whenever it
# is written from the same packages.
set -euo pipefail

usage() {
  echo "usage: $0 --out OUT --url URL [--previous DIR] [--key KEY] DEB..." >&2
  exit 2
}
fail() { echo "apt repository: $*" >&2; exit 1; }
out= url= previous= key=
while [ $# -gt 0 ]; do
  case $1 in
    --out) out=$(realpath -m "$2"); shift 2 ;;
    --url) url=$2; shift 2 ;;
    --previous) previous=$(realpath "$2"); shift 2 ;;
    --key) key=$2; shift 2 ;;
    -*) usage ;;
    *) break ;;
  esac
done
[ -n "$out" ] && [ -n "$url" ] && [ $# -gt 0 ] || usage
export LC_ALL=C
suite=stable
pool=pool/main/k/kovrane
keyring=kovrane-archive-keyring.gpg

# The key is looked up first, so that a wrong one fails before anything is
# written. A key file is read into a GnuPG home of its own.
fingerprint=
if [ -n "$key" ]; then
  lookup=(-- "$key")
  if [ -f "$key" ]; then
    GNUPGHOME=$(mktemp -d)
    export GNUPGHOME
    trap 'gpgconf --kill gpg-agent; rm -rf "$GNUPGHOME"' EXIT
    gpg --batch --quiet --import "$key" 2>/dev/null || fail "$key holds no key gpg can read"
    lookup=()
  fi
  mapfile -t fingerprints < <(gpg --batch --with-colons --list-secret-keys "${lookup[@]}" 2>/dev/null \
    | awk -F: '$1 == "sec" { primary = 1 } $1 == "fpr" && primary { print $10; primary = 0 }')
  [ ${#fingerprints[@]} -eq 1 ] || fail "$key names ${#fingerprints[@]} secret keys, not one"
  fingerprint=${fingerprints[0]}
fi

# Never over an old tree, whose leftovers would be listed too.
repository=$out/apt
mkdir -p "$out"
mkdir "$repository"
mkdir -p "$repository/$pool"
if [ -n "$previous" ]; then
  [ -f "$previous/dists/$suite/Release" ] || fail "$previous holds no dists/$suite/Release"
  cp "$previous/$pool/"*.deb "$repository/$pool/"
fi
for deb in "$@"; do
  [ -f "$deb" ] || fail "no package $deb"
  in_pool=$repository/$pool/$(basename "$deb")
  # Users and mirrors keep what they fetched under its name and checksum.
  if [ -e "$in_pool" ] && ! cmp -s "$deb" "$in_pool"; then
    fail "the previous repository holds another $(basename "$deb"): a published version never changes"
  fi
  cp "$deb" "$in_pool"
done

cd "$repository"
mapfile -t debs < <(find pool -name '*.deb' | sort)
architectures=$(for deb in "${debs[@]}"; do dpkg-deb -f "$deb" Architecture; done | sort -u | tr '\n' ' ')
# Only the hashes apt still trusts.
hashes=(-o APT::FTPArchive::MD5=false -o APT::FTPArchive::SHA1=false)
for architecture in $architectures; do
  mkdir -p "dists/$suite/main/binary-$architecture"
  # One package at a time, in name order: a folder's order is the file
  # system's.
  for deb in "${debs[@]}"; do
    apt-ftparchive "${hashes[@]}" --arch "$architecture" packages "$deb"
  done >"dists/$suite/main/binary-$architecture/Packages"
  # apt takes the compressed index when there is one, and keeps a copy of
  # it. A plain one served from a file: URL it links to where it lies, and
  # reads it changed even after refusing the InRelease that came with it.
  gzip -n -9 -k "dists/$suite/main/binary-$architecture/Packages"
done
fields=()
field() { fields+=(-o "APT::FTPArchive::Release::$1=$2"); }
field Origin Kovrane
field Label Kovrane
field Suite "$suite"
field Codename "$suite"
field Date "$(date -u -R -d "@${SOURCE_DATE_EPOCH:-$(date +%s)}")"
field Architectures "${architectures% }"
field Components main
# Written beside the tree it lists, not in it.
apt-ftparchive "${hashes[@]}" "${fields[@]}" release "dists/$suite" >"$out/Release.new"
mv "$out/Release.new" "dists/$suite/Release"

cat >"$out/kovrane.sources" <<EOF
Types: deb
URIs: $url
Suites: $suite
Components: main
Signed-By: /usr/share/keyrings/$keyring
EOF

if [ -z "$fingerprint" ]; then
  echo "apt repository: no key given, so it is UNSIGNED, and apt refuses it unless told to" \
    "trust it: fit for local mirrors and tests, never to publish" >&2
  exit 0
fi
gpg --batch --yes --local-user "$fingerprint" --digest-algo SHA512 \
  --clearsign -o "dists/$suite/InRelease" "dists/$suite/Release"
gpg --batch --export --export-options export-minimal "$fingerprint" >"$out/$keyring"
echo "apt repository: signed by $fingerprint"
