#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Datewren need.
# Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-webengine-dev libqt6webenginecore6-bin
  libfontconfig-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth chromium nodejs
  shared-mime-info desktop-file-utils
  fonts-liberation2 fonts-noto-color-emoji
  libical-dev
  libglib2.0-bin gsettings-desktop-schemas dbus dbus-daemon systemd
  tesseract-ocr tesseract-ocr-eng
  appstream libxml2-utils
  librsvg2-bin dpkg-dev groff-base
  ccache
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
else
  SUDO=(sudo)
fi
"${SUDO[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
