#!/usr/bin/env bash
# Installs the Debian 12 packages the viewer, its tests and its tools need.
# Only missing packages are installed; nothing is fetched from anywhere else.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 qt6-charts-dev libqt6opengl6-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libzip-dev libpugixml-dev
  xvfb xauth xdotool x11-utils imagemagick poppler-utils openbox
  fonts-dejavu-core fonts-wqy-microhei
  dpkg-dev lintian desktop-file-utils appstream shared-mime-info libglib2.0-bin
  clang libclang-rt-14-dev valgrind
  python3-openpyxl python3-pyatspi
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
