#!/usr/bin/env bash
# Builds the release files of the current commit (or of --commit REV) from a
# clean export of it, so uncommitted changes never get in, and writes them
# with their SHA256SUMS to dist/ at the top of the checkout, or to --out DIR.
#
#   kovrane_<version>_<arch>.deb           the Linux (Qt) package for this
#                                          machine's architecture
#   kovrane_<version>_arm64.deb            with --arch arm64: the package for
#                                          64-bit ARM, built in a Debian 12
#                                          arm64 root under emulation
#   kovrane-<version>-windows-x64.zip      kovrane.exe, LICENSE.txt, README.txt and
#                                          README.ja.txt (in Japanese)
#   kovrane-<version>-windows-x64.msi      the same four files as a per-user
#                                          Windows Installer package
#   kovrane-<version>-windows-x64-per-machine.msi
#                                          and as a per-machine one
#   kovrane-<version>.tar.gz               the source of the commit
#   apt/, kovrane.sources                  the apt repository of the Debian
#   kovrane-archive-keyring.gpg            packages and its source: on top of
#                                          --apt-previous DIR, signed with
#                                          --apt-key KEY, served from
#                                          --apt-url URL (see packaging/linux/
#                                          apt_repository.sh)
#
# The files are reproducible: rebuilt from the same commit, anywhere and at
# any time, they come out byte for byte the same, but for the repository's
# signature. With --package-only, only this machine's Debian package is
# built (the arm64 root's share), and its repository.
#
# With a code-signing certificate and its key (--sign-cert FILE --sign-key
# KEY, or KOVRANE_SIGN_CERT and KOVRANE_SIGN_KEY; KOVRANE_SIGN_PASS_FILE and
# KOVRANE_SIGN_TIMESTAMP as scripts/sign-windows.sh takes them), kovrane.exe
# and both packages are signed, and the release carries the signatures
# (*.p7s), with which a rebuild of its commit gives the same bytes.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$repo/dist
revision=HEAD package_only= other_archs=() apt_previous= apt_key= apt_url=
while [ $# -gt 0 ]; do
  case $1 in
    --out) out=$2; shift 2 ;;
    --commit) revision=$2; shift 2 ;;
    --arch) other_archs+=("$2"); shift 2 ;;
    --package-only) package_only=1; shift ;;
    --apt-previous) apt_previous=$2; shift 2 ;;
    --apt-key) apt_key=$2; shift 2 ;;
    --apt-url) apt_url=$2; shift 2 ;;
    --sign-cert) KOVRANE_SIGN_CERT=$2; shift 2 ;;
    --sign-key) KOVRANE_SIGN_KEY=$2; shift 2 ;;
    *) echo "usage: $0 [--out DIR] [--commit REV] [--arch arm64] [--package-only]" \
         "[--apt-previous DIR] [--apt-key KEY --apt-url URL] [--sign-cert FILE --sign-key KEY]" >&2; exit 2 ;;
  esac
done
# A signed repository is one to publish, and its source must say where.
[ -z "$apt_key" ] || [ -n "$apt_url" ] \
  || { echo "release: --apt-key needs --apt-url, where the repository will be served" >&2; exit 2; }
mkdir -p "$out"
out=$(cd "$out" && pwd)
arch=$(dpkg --print-architecture)
for other in "${other_archs[@]}"; do
  [ "$other" = arm64 ] && [ "$arch" != arm64 ] \
    || { echo "release: --arch arm64 is for machines of another architecture" >&2; exit 2; }
done

lists=(program release)
[ -n "$package_only" ] || lists+=(windows)
"$repo/scripts/install-deps.sh" "${lists[@]}"
# The key is looked for now rather than after the builds.
[ -z "$apt_key" ] || [ -f "$apt_key" ] || gpg --batch --list-secret-keys -- "$apt_key" >/dev/null \
  || { echo "release: no secret key $apt_key in ${GNUPGHOME:-~/.gnupg}" >&2; exit 2; }

# Whatever the caller's settings, files get the same modes, archive times
# read the same, and tools sort and speak the same way.
umask 022
export TZ=UTC LC_ALL=C
# Compilers, flags and build settings come from the project alone.
unset CC CXX CFLAGS CXXFLAGS CPPFLAGS LDFLAGS MAKEFLAGS \
  CMAKE_BUILD_TYPE CMAKE_GENERATOR CMAKE_TOOLCHAIN_FILE CMAKE_EXPORT_COMPILE_COMMANDS
commit=$(git -C "$repo" rev-parse --verify "$revision^{commit}")
# The commit's time stands in for every time stamp: the deb's entries (CPack
# honours it), the file times Qt's rcc embeds, the zip's entries.
SOURCE_DATE_EPOCH=$(git -C "$repo" log -1 --format=%ct "$commit")
export SOURCE_DATE_EPOCH
echo "release: building commit $commit"

# The exports ignore the caller's git settings that change them: line-end
# conversion and the modes git archive gives its entries.
export_commit() {
  git -C "$repo" -c core.autocrlf=false -c core.eol=lf -c tar.umask=022 \
    archive --format=tar "$@" "$commit"
}

work=$(mktemp -d "${TMPDIR:-/tmp}/kovrane-release.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/src"
export_commit | tar -x -C "$work/src"

# The two builds run side by side: each has serial stretches (configure,
# packaging) the other fills.
build_linux() {
  cmake --preset linux-qt -S "$work/src" -B "$work/linux" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
  cmake --build "$work/linux"
  (cd "$work/linux" && cpack -G DEB)
}
build_windows() {
  cmake --preset windows-mingw -S "$work/src" -B "$work/windows" -DBUILD_TESTING=OFF
  cmake --build "$work/windows"
}
# Another architecture's package, built natively in a Debian 12 root of
# its own (as this machine's is on Debian 12), under emulation.
build_other() {
  "$repo/scripts/test-on.sh" "debian-12-$1" --dist "$work/$1" \
    scripts/release.sh --package-only --commit "$commit"
}
build_linux >"$work/linux.log" 2>&1 & linux_pid=$!
pids=(linux "$linux_pid")
if [ -z "$package_only" ]; then
  build_windows >"$work/windows.log" 2>&1 &
  pids+=(windows $!)
fi
for other in "${other_archs[@]}"; do
  build_other "$other" >"$work/$other.log" 2>&1 &
  pids+=("$other" $!)
done
failed=()
for ((index = 0; index < ${#pids[@]}; index += 2)); do
  wait "${pids[index + 1]}" || failed+=("${pids[index]}")
done
for build in "${failed[@]}"; do
  tail -n 40 "$work/$build.log"
  echo "release: the $build build failed" >&2
done
[ ${#failed[@]} -eq 0 ] || exit 1

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$work/linux/CMakeCache.txt")
deb=kovrane_${version}_$arch.deb
zip=kovrane-$version-windows-x64.zip
tarball=kovrane-$version.tar.gz

# Writes the files made, listed in $files, with their checksums, and ends.
finish() {
  (cd "$work/dist" && sha256sum "${files[@]}" | sort -k2 >SHA256SUMS)
  rm -rf "$out/apt"
  cp -r "$work/dist/apt" "$out/apt"
  echo "wrote $out/apt/"
  for file in "${files[@]}" SHA256SUMS; do
    cp "$work/dist/$file" "$out/$file"
    echo "wrote $out/$file"
  done
  cat "$out/SHA256SUMS"
  exit 0
}
mkdir "$work/dist"
cp "$work/linux/package/$deb" "$work/dist/$deb"
files=("$deb")
for other in "${other_archs[@]}"; do
  files+=("kovrane_${version}_$other.deb")
  cp "$work/$other/${files[-1]}" "$work/dist/"
done
# Without a URL, the source names one that is plainly a placeholder.
"$repo/packaging/linux/apt_repository.sh" --out "$work/dist" --url "${apt_url:-https://example.org/kovrane/apt}" \
  ${apt_previous:+--previous "$apt_previous"} ${apt_key:+--key "$apt_key"} "${files[@]/#/$work/dist/}"
files+=(kovrane.sources)
[ -z "$apt_key" ] || files+=(kovrane-archive-keyring.gpg)
if [ -n "$package_only" ]; then
  finish
fi

# The zip: the four files the Windows Installer package holds, as its build
# staged them (packaging/windows/make_msi.py): the texts with CRLF line
# ends for Notepad, every time the commit's. Entries in byte order, with no
# extra fields (owners, exact times).
stage=$work/windows/packaging/windows/kovrane_msi/files
(cd "$stage" && zip -X -9 -q "$work/dist/$zip" LICENSE.txt README.ja.txt README.txt kovrane.exe)

# The Windows Installer packages: the Windows build makes them by the rule
# the wine tests install.
msi=kovrane-$version-windows-x64.msi machine_msi=kovrane-$version-windows-x64-per-machine.msi
cp "$work/windows/packaging/windows/"{"$msi","$machine_msi"} "$work/dist/"

# git archive stamps every entry with the commit time and owner root; gzip -n
# leaves out its own name and time.
export_commit --prefix="kovrane-$version/" | gzip -n -9 >"$work/dist/$tarball"

files+=("$zip" "$msi" "$machine_msi" "$tarball")
if [ -n "${KOVRANE_SIGN_CERT:-}${KOVRANE_SIGN_KEY:-}" ]; then
  (cd "$work/dist" && sha256sum "${files[@]}" >SHA256SUMS)
  "$repo/scripts/sign-windows.sh" "$work/dist" --cert "${KOVRANE_SIGN_CERT:-}" --key "${KOVRANE_SIGN_KEY:-}" \
    ${KOVRANE_SIGN_PASS_FILE:+--pass-file "$KOVRANE_SIGN_PASS_FILE"} \
    ${KOVRANE_SIGN_TIMESTAMP:+--timestamp "$KOVRANE_SIGN_TIMESTAMP"}
  files+=("${zip%.zip}.exe.p7s" "$msi.p7s" "$machine_msi.p7s")
fi
finish
