#!/usr/bin/env bash
# The apt repository as a user meets it, in a test root (scripts/test-on.sh
# --input RELEASE_DIR): signed with a key made here, the repository of the
# release's packages, then the next patch version built into it, served
# from a file: URL through the release's keyring and .sources file. apt must
# install the first, refuse the next while another key signs it or one byte
# of its package is changed, then upgrade to it. All is removed at the end.
#   apt_repository_test.sh RELEASE_DIR
set -uo pipefail
release=$(realpath "$1")
cd "$(dirname "$0")/../.."
source tests/lib/xvfb_session.sh
source tests/release/installed_kovrane.sh
scripts/install-deps.sh release smoke || exit 1
work=$(mktemp -d) served=/srv/kovrane-apt
keyring=/usr/share/keyrings/kovrane-archive-keyring.gpg sources=/etc/apt/sources.list.d/kovrane.sources
export GNUPGHOME=$work/gnupg
remove() {
  purge_kovrane
  gpgconf --kill gpg-agent
  rm -rf "$keyring" "$sources" "$served" /var/lib/apt/lists/*_srv_kovrane-apt_* "$work"
}
trap remove EXIT
mkdir -m 700 "$GNUPGHOME"
for address in archive@kovrane.invalid someone.else@kovrane.invalid; do
  gpg --batch --quiet --passphrase '' --quick-gen-key "$address" ed25519 sign never 2>/dev/null
done
arch=$(dpkg --print-architecture)
version=$(dpkg-deb -f "$release/kovrane_"*"_$arch.deb" Version)
next=${version%.*}.$((${version##*.} + 1))

packaging/linux/apt_repository.sh --out "$work/$version" --url "file://$served" \
  --key archive@kovrane.invalid "$release/kovrane_${version}_"*.deb >/dev/null
git clone -q . "$work/source"
sed -i "s/^project(Kovrane VERSION $version /project(Kovrane VERSION $next /" "$work/source/CMakeLists.txt"
git -C "$work/source" -c user.name=Kovrane -c user.email=archive@kovrane.invalid commit -q -a -m "$next"
"$work/source/scripts/release.sh" --package-only --out "$work/$next" --apt-previous "$work/$version/apt" \
  --apt-key archive@kovrane.invalid --apt-url "file://$served" >"$work/release.log" 2>&1 \
  || { tail -n 40 "$work/release.log"; exit 1; }
cp "$work/$next/kovrane-archive-keyring.gpg" "$keyring"
cp "$work/$next/kovrane.sources" "$sources"

serve() { rm -rf "$served" && cp -r "$work/$1/apt" "$served"; }
# apt's output says why it does not go on, in PATTERN's words: its status
# does not, as apt update only warns when it keeps the last index it trusts.
apt_refuses() {  # apt_refuses PATTERN COMMAND...
  DEBIAN_FRONTEND=noninteractive "${@:2}" >"$work/apt.log" 2>&1
  sed "s/^/  $2: /" "$work/apt.log"
  grep -q -E -i -- "$1" "$work/apt.log"
}
policy_says() {  # policy_says LINE: shows apt-cache policy, which has LINE
  apt-cache policy kovrane >"$work/policy"
  sed 's/^/  policy: /' "$work/policy"
  grep -qx "  $1" "$work/policy"
}
update_offers() { apt_ok apt-get update && policy_says "Candidate: $1"; }

serve "$version"
check "apt update offers $version" update_offers "$version"
check "apt install kovrane installs it" apt_ok apt-get install -y kovrane
try_installed_kovrane "$version"
serve "$next"
gpg --batch --yes --local-user someone.else@kovrane.invalid --clearsign \
  -o "$served/dists/stable/InRelease" "$served/dists/stable/Release"
check "apt update refuses $next signed by another key" apt_refuses "NO_PUBKEY|Missing key" apt-get update
check "and offers $version still" policy_says "Candidate: $version"
serve "$next"
perl -e 'open(F, "+<", $ARGV[0]); seek(F, 1000, 0); read(F, $b, 1); seek(F, 1000, 0); print F ($b ^ "\x01")' \
  "$served/pool/main/k/kovrane/kovrane_${next}_$arch.deb"
check "apt update offers $next with one byte of its package changed" update_offers "$next"
check "apt upgrade refuses it" apt_refuses "hash sum mismatch" apt-get upgrade -y
check "and $version stays installed" policy_says "Installed: $version"
serve "$next"
check "apt update offers $next as built" update_offers "$next"
check "apt upgrade installs it" apt_ok apt-get upgrade -y
check "and apt-cache policy says so" policy_says "Installed: $next"
try_installed_kovrane "$next"
[ "$failures" = 0 ]
