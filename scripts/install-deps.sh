#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need.
# Idempotent: when everything is present it prints nothing and returns at once.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools libqt6svg6
  qt6-image-formats-plugins
  libcurl4-openssl-dev libtinyxml2-dev libsdl2-mixer-dev
  libxcb1-dev libxcb-keysyms1-dev libxcb-ewmh-dev libxcb-icccm4-dev
  xvfb xauth x11-utils xdotool imagemagick
  fonts-arphic-uming fonts-arphic-ukai fontconfig
  python3-pyftpdlib espeak-ng sox libsox-fmt-mp3 curl
  haxe
  debootstrap desktop-file-utils appstream file
)
# The Flash player is installed with npm: Debian's nodejs and npm, unless a Node.js that brings its
# own npm is already there (such a nodejs package conflicts with Debian's npm).
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then PACKAGES+=(nodejs npm); fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
