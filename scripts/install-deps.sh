#!/usr/bin/env bash
# Installs, on Debian 12 or 13, every package the build and the tests need.
# Unversioned names throughout, so each release gets its own default
# compiler and tools. Does nothing when they are all present already.
set -euo pipefail

packages=(
  # build
  cmake ninja-build make g++ python3 pkg-config git
  # the sanitizer build: Clang, its ASan and UBSan runtimes, and the
  # symbolizer that names the frames of a sanitizer's report
  clang libclang-rt-dev llvm
  # engine tests and benchmarks
  googletest libgtest-dev libbenchmark-dev valgrind
  # Qt front end
  qt6-base-dev qt6-base-dev-tools libgl-dev libx11-dev fonts-ipafont-gothic
  # translations: Qt Linguist's tools and Qt's own catalogues; gettext for the
  # desktop entry and metainfo
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n gettext
  # desktop integration checks and packaging
  desktop-file-utils appstream appstream-compose dpkg-dev file lintian man-db groff-base zip unzip librsvg2-bin
  # the SVG loader through which appstream compose reads the scalable icon
  librsvg2-common
  # accessibility, themes and Wayland checks
  dbus at-spi2-core python3-pyatspi gir1.2-atspi-2.0 python3-gi
  qt6-gtk-platformtheme weston wayland-utils qt6-wayland
  # real-window tests
  xvfb xauth xdotool x11-apps x11-utils imagemagick strace
  # Windows front end: cross-build and wine
  mingw-w64 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64 fonts-wine icoutils
  # the Windows Installer package: wixl builds it, msitools' msibuild and msiinfo finish and read it
  wixl msitools
  # the compositors of GNOME and KDE Plasma, with KDE's title bar and the
  # desktop portal that tells Qt's GNOME-style title bar its buttons
  mutter kwin-wayland kwin-style-breeze xdg-desktop-portal xdg-desktop-portal-gtk
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
    || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
  "${missing[@]}" >/dev/null
