#!/usr/bin/env bash
# Runs the README's test command on another Debian release or machine, in a
# root of its own: a clean clone of this checkout's HEAD in a debootstrapped
# system, so the release's own packages, compilers and Qt build and test it.
#   scripts/test-on.sh RELEASE [--fresh] [--deb FILE] [--dist DIR] [--input DIR] [COMMAND...]
# RELEASE is debian-12 or debian-13, for this machine's architecture, or
# debian-12-arm64 or debian-13-arm64: a 64-bit ARM root, run through
# qemu-user-static and binfmt_misc (registered here with the fix-binary
# flag, so the root needs no emulator of its own).
# The root is kept in $KOVRANE_ROOTS (default /var/cache/kovrane) and only
# refreshed with apt next time; the clone in it is made anew every run. It
# starts as a copy of the bare debootstrapped system, which is kept beside
# it untouched: with --fresh, the command runs in a throwaway copy of that
# instead, as on a machine where nothing has been installed yet.
# COMMAND (default scripts/test.sh) runs in the clone, as root. With --deb,
# the release package FILE is then installed there and tried as a user
# would (tests/release/installed_deb_test.sh), and removed again. With
# --dist, what the command wrote to the clone's dist/ is copied to DIR; with
# --input, DIR is copied to the clone's input/ before the command runs.
set -euo pipefail
cd "$(dirname "$0")/.."

case ${1:-} in
  debian-12 | debian-12-arm64) suite=bookworm ;;
  debian-13 | debian-13-arm64) suite=trixie ;;
  *) echo "usage: $0 debian-12|debian-13[-arm64] [--fresh] [--deb FILE] [--dist DIR] [--input DIR] [COMMAND...]" >&2; exit 2 ;;
esac
arch=$(dpkg --print-architecture)
[[ $1 != *-arm64 ]] || arch=arm64
release=$1 deb= dist= fresh= input=
shift
while [ $# -gt 0 ]; do
  case $1 in
    --fresh) fresh=1; shift ;;
    --deb) deb=$(realpath "$2"); shift 2 ;;
    --dist) dist=$(realpath -m "$2"); shift 2 ;;
    --input) input=$(realpath "$2"); shift 2 ;;
    *) break ;;
  esac
done
command=("$@")
[ ${#command[@]} -gt 0 ] || command=(scripts/test.sh)

if [ "$(id -u)" -ne 0 ]; then
  exec sudo KOVRANE_ROOTS="${KOVRANE_ROOTS:-}" CI="${CI:-}" "$0" "$release" ${fresh:+--fresh} ${deb:+--deb "$deb"} \
    ${dist:+--dist "$dist"} ${input:+--input "$input"} "${command[@]}"
fi
roots=${KOVRANE_ROOTS:-/var/cache/kovrane}
base=$roots/$release-base root=$roots/$release
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
started=$SECONDS
say() { echo "[$release $((SECONDS - started))s] $*"; }

mkdir -p "$roots"
# One run at a time per root: two would share its mounts and its apt lock.
# A fresh copy is the run's own, and gone when it ends.
if [ -n "$fresh" ]; then
  root=$(mktemp -d "$roots/$release-fresh.XXXXXX")
else
  exec 9>"$root.lock"
  flock 9
fi

tools=(debootstrap git)
[ "$arch" = "$(dpkg --print-architecture)" ] || tools+=(qemu-user-static)
for tool in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$tool" 2>/dev/null | grep -q "install ok installed" || {
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$tool" >/dev/null
  }
done

# Another architecture's programs run through qemu, which binfmt_misc starts
# for them. A machine without systemd mounts and registers nothing itself.
emulate() {
  local binfmt=/proc/sys/fs/binfmt_misc entry=qemu-${1/arm64/aarch64}
  if [ ! -e "$binfmt/register" ]; then
    mount -t binfmt_misc binfmt_misc "$binfmt" \
      || { echo "FAILED: binfmt_misc cannot be mounted, so $1 programs cannot run here" >&2; exit 1; }
  fi
  if [ ! -e "$binfmt/$entry" ]; then
    # The rule qemu-user-static ships for systemd-binfmt, flags OPF included.
    cat "/usr/lib/binfmt.d/$entry.conf" >"$binfmt/register" \
      || { echo "FAILED: binfmt_misc refused $entry" >&2; exit 1; }
  fi
  grep -qx enabled "$binfmt/$entry" && grep -q '^flags:.*F' "$binfmt/$entry" \
    || { echo "FAILED: $entry is disabled or registered without the fix-binary flag (F)" >&2; exit 1; }
}
# Under emulation everything takes several times as long: the tests' time
# limits are scaled to match (a real arm64 machine keeps them as they are).
# The test command also leaves out what qemu-user cannot run.
time_scale=
[ "$arch" = "$(dpkg --print-architecture)" ] || { emulate "$arch"; time_scale=10; }

mounted=()
unmount_all() {
  local index
  for ((index = ${#mounted[@]} - 1; index >= 0; index--)); do
    umount -l "${mounted[$index]}" 2>/dev/null || true
  done
}
# A fresh copy goes once nothing is mounted in it; never across into a
# mount left behind (the machine's own /dev).
remove_fresh() { [ -z "$fresh" ] || rm -rf --one-file-system "$root"; }
trap 'unmount_all; remove_fresh' EXIT
mount_in_root() {  # mount_in_root TARGET MOUNT-ARGS...
  local target=$root$1
  shift
  mkdir -p "$target"
  mount "$@" "$target"
  mounted+=("$target")
}

# The bare system, made once; the roots are copies of it.
copy_base() {
  exec 8>"$base.lock"
  flock 8
  if [ ! -x "$base/usr/bin/apt-get" ]; then
    say "making the bare system with debootstrap ($suite $arch from $mirror)"
    rm -rf "$base.new"
    debootstrap --variant=minbase --arch="$arch" "$suite" "$base.new" "$mirror" \
      >"$roots/$release-debootstrap.log" 2>&1 \
      || { tail -n 20 "$roots/$release-debootstrap.log"; exit 1; }
    mv "$base.new" "$base"
  fi
  rm -rf "$1" && cp -a "$base" "$1"
  exec 8>&-
}
if [ -n "$fresh" ]; then
  copy_base "$root"
elif [ ! -x "$root/usr/bin/apt-get" ]; then
  copy_base "$root.new"
  mv "$root.new" "$root"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"

mount_in_root /proc -t proc proc
mount_in_root /sys -t sysfs sysfs
mount_in_root /dev --bind /dev
mount_in_root /dev/pts -t devpts -o newinstance,ptmxmode=0666 devpts
mount_in_root /dev/shm -t tmpfs -o mode=1777 tmpfs
mount_in_root /tmp -t tmpfs -o mode=1777 tmpfs
mount_in_root /run -t tmpfs -o mode=755 tmpfs
# Fresh copies share one cache of downloaded packages, so that each does not
# fetch them again.
if [ -n "$fresh" ]; then
  mkdir -p "$roots/$release-archives/partial"
  mount_in_root /var/cache/apt/archives --bind "$roots/$release-archives"
fi

say "refreshing the root's packages"
chroot "$root" sh -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get upgrade -y -qq >/dev/null'

checkout=/root/kovrane
rm -rf "$root$checkout"
git clone -q --no-hardlinks "$PWD" "$root$checkout"
[ -z "$input" ] || cp -r "$input" "$root$checkout/input"
in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin KOVRANE_IN_TEST_ROOT=1 \
    LANG=C.UTF-8 ${CI:+CI="$CI"} ${time_scale:+KOVRANE_TEST_TIME_SCALE=$time_scale KOVRANE_TEST_EMULATED=1} \
    sh -c 'cd "$1" && shift && exec "$@"' sh "$checkout" "$@"
}
say "running ${command[*]} in a clean clone of $(git rev-parse --short HEAD)"
status=0
in_root "${command[@]}" || status=$?
if [ -n "$dist" ]; then
  mkdir -p "$dist"
  cp -r "$root$checkout/dist/." "$dist/" || status=1
fi
if [ -n "$deb" ]; then
  cp "$deb" "$root/root/"
  say "installing $(basename "$deb") and trying it"
  in_root scripts/install-deps.sh smoke || status=1
  in_root tests/release/installed_deb_test.sh "/root/$(basename "$deb")" || status=1
  rm -f "$root/root/$(basename "$deb")"
fi
say "done, status $status"
exit "$status"
