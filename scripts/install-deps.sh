#!/usr/bin/env bash
# Installs everything the build, the program and the tests need on Debian 12.
# Safe to run again: packages already present are left alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev
  libsqlite3-dev sqlite3
  mdbtools-dev mdbtools libglib2.0-dev
  libxlsxwriter-dev
  fonts-liberation2 fontconfig
  python3 python3-openpyxl
  libreoffice-calc-nogui gnumeric
  poppler-utils
  desktop-file-utils
  xvfb xauth openbox imagemagick x11-xserver-utils x11-utils
  util-linux
  fusefat fuse3 dosfstools exfat-fuse exfatprogs mount
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: these packages are missing and need root: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
