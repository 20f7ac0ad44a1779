#!/usr/bin/env bash
# Installs, on Debian 12 or 13 (amd64 or arm64), the packages of the lists
# named, each on top of the one before it; with no name, all of them:
#   program   building and running Kovrane (scripts/run.sh)
#   release   the release's Debian package, apt repository and archives
#             (scripts/release.sh)
#   windows   the cross-built Windows program (its preset, the release's zip)
#   smoke     trying the program as a user would: its manual page, and its
#             window under Xvfb (tests/release/installed_deb_test.sh)
#   tests     the rest of the test lab (scripts/test.sh installs all five)
# Unversioned names throughout, so each release gets its own default
# compiler and tools. Does nothing when they are all present already.
set -euo pipefail

program=(
  cmake ninja-build g++ python3
  # Qt's development files; Qt Linguist's tools for the translations, and
  # Qt's own catalogues for its dialogs' texts
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  # the desktop entry's and metainfo's translations
  gettext
  # the readout's font, and a native window in a Wayland session
  fonts-ipafont-gothic qt6-wayland
)
# the apt repository: apt-ftparchive writes its indices, gpg signs them
release=(git dpkg-dev file zip apt-utils gnupg)
# the cross-built Windows program, and its Windows Installer packages: wixl
# builds them, msitools' msibuild and msiinfo finish and read them, olefile
# rewrites their summary; osslsigncode signs them and the program when the
# release has a certificate
windows=(mingw-w64 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wixl msitools python3-olefile
  osslsigncode)
smoke=(man-db groff-base xvfb xauth xdotool imagemagick)
tests=(
  make pkg-config
  # the sanitizer build: Clang, its ASan and UBSan runtimes, and the
  # symbolizer that names the frames of a sanitizer's report
  clang libclang-rt-dev llvm
  # engine tests and benchmarks
  googletest libgtest-dev libbenchmark-dev valgrind
  # Qt front end tests
  libx11-dev
  # desktop integration checks
  desktop-file-utils appstream appstream-compose lintian unzip librsvg2-bin
  # the SVG loader through which appstream compose reads the scalable icon
  librsvg2-common
  # accessibility, themes and Wayland checks
  dbus at-spi2-core python3-pyatspi gir1.2-atspi-2.0 python3-gi
  qt6-gtk-platformtheme weston wayland-utils
  # real-window tests
  x11-apps x11-utils strace
  # the Windows program's resources, and the throwaway certificate the
  # signed release is tested with
  icoutils openssl
  # the compositors of GNOME and KDE Plasma, with KDE's title bar and the
  # desktop portal that tells Qt's GNOME-style title bar its buttons
  mutter kwin-wayland kwin-style-breeze xdg-desktop-portal xdg-desktop-portal-gtk
)
# wine runs the x86-64 Windows program only on a machine that runs x86-64
# code itself: wine on arm64 runs arm64 Windows programs alone.
if [ "$(dpkg --print-architecture)" = amd64 ]; then
  tests+=(wine wine64 fonts-wine)
fi

lists=("$@")
[ ${#lists[@]} -gt 0 ] || lists=(program release windows smoke tests)
packages=()
for list in "${lists[@]}"; do
  case $list in
    program | release | windows | smoke | tests) declare -n names=$list; packages+=("${names[@]}") ;;
    *) echo "usage: $0 [program|release|windows|smoke|tests]..." >&2; exit 2 ;;
  esac
done
# Each list holds only what its layer adds, so a package named twice is a
# slip in one of them.
repeated=$(printf '%s\n' "${program[@]}" "${release[@]}" "${windows[@]}" "${smoke[@]}" "${tests[@]}" \
  | sort | uniq -d)
[ -z "$repeated" ] || { echo "$0: listed twice: $repeated" >&2; exit 1; }

not_installed() {
  local package
  for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
      || echo "$package"
  done
}
mapfile -t missing < <(not_installed)
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
  "${missing[@]}" >/dev/null
# A name apt takes for another package (a virtual or renamed one) is never
# seen installed, so every run would install it again.
mapfile -t missing < <(not_installed)
[ ${#missing[@]} -eq 0 ] \
  || { echo "$0: apt installed other packages for: ${missing[*]}" >&2; exit 1; }
