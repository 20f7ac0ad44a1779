#!/usr/bin/env bash
# The release's apt repository as a user meets it, in the Debian 13 root.
# Here, with two keys made for the run: the repository of the release in
# RELEASE_DIR, signed; the next patch version, built by scripts/release.sh
# from a commit that says so, into that repository; and that one as another
# key signs it, and with one byte of the new package changed. In the root
# (apt_repository_user_side.sh), apt serves each in turn.
#   apt_repository_test.sh RELEASE_DIR
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
release=$(realpath "$1")
arch=$(dpkg --print-architecture)
deb=$(echo "$release/kovrane_"*"_$arch.deb")
version=$(dpkg-deb -f "$deb" Version)
next=${version%.*}.$((${version##*.} + 1))
# Where the root serves the repository from, as its .sources file says.
url=file:///srv/kovrane-apt

work=$(mktemp -d "${TMPDIR:-/tmp}/kovrane-apt-test.XXXXXX")
export GNUPGHOME=$work/gnupg
trap 'gpgconf --kill gpg-agent; rm -rf "$work"' EXIT
mkdir -m 700 "$GNUPGHOME"
for address in archive@kovrane.invalid someone.else@kovrane.invalid; do
  gpg --batch --quiet --passphrase '' --quick-gen-key "$address" ed25519 sign never 2>/dev/null
done

# Built as the release builds it, from the commit's own time.
SOURCE_DATE_EPOCH=$(git -C "$repo" log -1 --format=%ct) \
  "$repo/packaging/linux/apt_repository.sh" --out "$work/$version" --url "$url" \
  --key archive@kovrane.invalid "$release/kovrane_${version}_"*.deb
git clone -q "$repo" "$work/source"
sed -i "s/^project(Kovrane VERSION $version /project(Kovrane VERSION $next /" "$work/source/CMakeLists.txt"
git -C "$work/source" -c user.name=Kovrane -c user.email=archive@kovrane.invalid \
  commit -q -a -m "Kovrane $next"
started=$SECONDS
"$work/source/scripts/release.sh" --package-only --out "$work/$next" --apt-previous "$work/$version/apt" \
  --apt-key archive@kovrane.invalid --apt-url "$url" >"$work/release.log" 2>&1 \
  || { tail -n 40 "$work/release.log"; echo "FAILED: the release of $next"; exit 1; }
echo "the release of $next: $((SECONDS - started)) s"
echo "the repository of $next:"
(cd "$work/$next" && find apt kovrane.sources kovrane-archive-keyring.gpg -type f | sort)

served=$work/served
mkdir "$served"
cp "$work/$next/kovrane.sources" "$work/$next/kovrane-archive-keyring.gpg" "$served/"
cp -r "$work/$version/apt" "$served/$version"
cp -r "$work/$next/apt" "$served/$next"
# What a server that is not the maintainer's could hand out.
cp -r "$work/$next/apt" "$served/other-key"
gpg --batch --yes --local-user someone.else@kovrane.invalid --digest-algo SHA512 --clearsign \
  -o "$served/other-key/dists/stable/InRelease" "$served/other-key/dists/stable/Release"
cp -r "$work/$next/apt" "$served/changed-byte"
changed=$served/changed-byte/pool/main/k/kovrane/kovrane_${next}_$arch.deb
offset=$(($(stat -c %s "$changed") / 2))
byte=$(od -An -tu1 -j "$offset" -N1 "$changed")
printf "\\$(printf %03o $((255 - byte)))" | dd of="$changed" bs=1 seek="$offset" conv=notrunc status=none
other_key=$(gpg --batch --with-colons --list-keys someone.else@kovrane.invalid | awk -F: '$1 == "fpr" { print $10; exit }')

"$repo/scripts/test-on.sh" debian-13 --input "$served" \
  tests/release/apt_repository_user_side.sh input "$version" "$next" "$other_key"
