#!/usr/bin/env bash
# Installs, on Debian 12, every package that building, running and testing Lumetra needs.
# Runs apt-get only when something is missing, so it is cheap to call before every build.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config ccache clang-format clang-tidy
  # libraries
  qt6-base-dev qt6-qpa-plugins libmspub-dev librevenge-dev libfontconfig-dev libmagick++-dev
  libcups2-dev libturbojpeg0-dev libjpeg62-turbo-dev libtiff-dev liblcms2-dev zlib1g-dev
  qt6-image-formats-plugins qt6-svg-dev ghostscript libwmf-dev libemf2svg-dev
  libuemf-dev libcdr-dev libwpg-dev libpng-dev libgif-dev libheif-dev libwebp-dev libjxl-dev
  libzint-dev liborcus-dev liborcus-0.17-0
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev libzxing-dev
  cups cups-client cups-ipp-utils printer-driver-cups-pdf poppler-utils imagemagick
  fonts-liberation2 fonts-dejavu-core xvfb xauth qt6-translations-l10n
  # stand-ins that keep the widths of a layout's Windows fonts (narrow, condensed, Calibri,
  # Cambria, the PostScript families)
  fonts-liberation fonts-dejavu-extra fonts-crosextra-carlito fonts-crosextra-caladea
  fonts-urw-base35
  netpbm liblcms2-utils libwmf-bin pstoedit
  libheif-examples webp libavif-bin libjxl-tools
  # packaging, desktop integration, label templates, the independent reader of layouts
  dpkg-dev fakeroot desktop-file-utils appstream man-db glabels-data libreoffice-draw
  libreoffice-calc
  # fuzzing (opt-in build)
  clang-14 libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installazione pacchetti mancanti: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    SUDO=sudo
  else
    SUDO=
  fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
