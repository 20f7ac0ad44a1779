#!/usr/bin/env bash
# A distribution packager's build of the release: the source tarball built
# with plain CMake (no presets, the default generator, Unix Makefiles, and
# the tests off), then installed into a staging folder as debhelper does.
# Configuring must look for no test-only tool or library; the program
# target alone must build in the fresh folder (a generated file missing
# from a target's dependencies fails here, where a whole build can pass by
# ordering luck); and the install must hold the .deb's files.
#   packagers_build_test.sh DIST_DIR VERSION WORK_DIR
set -euo pipefail
dist=$1 version=$2 work=$3
fail() { echo "FAIL: $*"; exit 1; }
tarball=$dist/kovrane-$version.tar.gz deb=$dist/kovrane_${version}_$(dpkg --print-architecture).deb
[ -f "$tarball" ] && [ -f "$deb" ] || fail "no release in $dist: release_reproducible makes it"
# The packager's settings, not the caller's.
unset CMAKE_GENERATOR CMAKE_BUILD_TYPE CMAKE_TOOLCHAIN_FILE CC CXX CXXFLAGS LDFLAGS MAKEFLAGS

rm -rf "$work"
mkdir -p "$work"
tar -xzf "$tarball" -C "$work"
source=$work/kovrane-$version build=$work/build root=$work/root
run() {
  local log=$1
  shift
  "$@" >>"$work/$log.log" 2>&1 || { tail -n 40 "$work/$log.log"; fail "$*"; }
}
run configure cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF
grep -q '^CMAKE_GENERATOR:INTERNAL=Unix Makefiles$' "$build/CMakeCache.txt" \
  || fail "the default generator was not Unix Makefiles"
test_only=$(grep -E '^(GTest_DIR|GMock_DIR|Qt6Test_DIR|X11_X11_LIB)' \
  "$build/CMakeCache.txt" || true)
[ -z "$test_only" ] || fail "configuring without tests looked for test-only things: $test_only"

run build cmake --build "$build" -j2 --target kovrane
run build cmake --build "$build" -j2
DESTDIR=$root run install cmake --install "$build"

installed=$(cd "$root" && find . ! -type d | sort)
packaged=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort)
diff <(echo "$installed") <(echo "$packaged") || fail "the install and the .deb hold different files"
# The same bytes too, but for the program, which the package strips.
mkdir "$work/deb"
dpkg-deb -x "$deb" "$work/deb"
while read -r file; do
  [ "$file" = ./usr/bin/kovrane ] || cmp -s "$root/$file" "$work/deb/$file" \
    || fail "$file differs from the package's"
done <<<"$installed"
echo "$installed"
echo "PASS: the packagers' build installs what the .deb holds"
