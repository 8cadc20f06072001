#!/usr/bin/env bash
# Installs the Debian packages korva-marks needs to build, run and test.
# Safe to run again: it only asks apt for what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 libgl-dev
  libxlsxwriter-dev libminizip-dev zlib1g-dev libcups2-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-liberation2 fonts-dejavu fonts-dejavu-extra
  python3 python3-dbf python3-openpyxl python3-xlwt poppler-utils
  cups printer-driver-cups-pdf libreoffice-calc-nogui
  clang-format util-linux locales
  # the fuzz build: clang, its libFuzzer and sanitizer runtimes, and
  # llvm-symbolizer for readable reports
  clang libclang-rt-14-dev llvm
  shapelib libshp-dev
  # a virtual display, for screenshots of the windows
  xvfb xauth
  samba smbclient python3-impacket
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
