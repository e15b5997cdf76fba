#!/usr/bin/env bash
# Installs the Debian 12 packages KVX needs to build, test and run, when any
# is missing. Quick when everything is there already.
set -euo pipefail

packages=(
  qt6-base-dev libqt6sql6-sqlite libarchive-dev cmake g++ make ninja-build libbenchmark-dev
  tree python3 xorriso
  fonts-dejavu-core fonts-dejavu-extra xdg-utils
  xvfb xauth x11-apps xdotool imagemagick poppler-utils
  cups printer-driver-cups-pdf
  dpkg-dev lintian desktop-file-utils appstream librsvg2-bin man-db
  shared-mime-info
  qt6-translations-l10n
  time clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get -o DPkg::Lock::Timeout=600 update -q
$sudo apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${missing[@]}"
