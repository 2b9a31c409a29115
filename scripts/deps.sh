#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package that building, testing and running need; only what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build lld pkg-config ccache clang libclang-rt-14-dev clang-format
  qt6-base-dev libqt6sql6-sqlite qt6-base-dev-tools qt6-base-private-dev qt6-svg-dev qt6-translations-l10n qt6-qpa-plugins
  libssl-dev libjpeg62-turbo-dev libqrencode-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libopencv-core-dev libopencv-imgproc-dev libtesseract-dev tesseract-ocr-eng libheif-dev
  # OpenCV's matrix products go through the system's BLAS; Debian's reference one made setting up the
  # picture reader's glyph search take three times as long. The serial build keeps to one thread.
  libopenblas0-serial
  # Spoken announcements and chimes; the voice comes through speech-dispatcher and espeak-ng's German
  # voice at run time, sox checks the chimes.
  qt6-speech-dev qt6-speech-speechd-plugin speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
  qt6-multimedia-dev sox
  # The archive's statistics draw their charts with Qt Charts.
  qt6-charts-dev
  # The notification tests run a bus of their own.
  dbus-daemon
  # Debian's CMake package of Qt TextToSpeech asks for QmlIntegration, which only this one ships.
  qt6-declarative-dev
  # Qt's readers for TIFF (what scanners save) and WEBP; the program loads them at run time.
  qt6-image-formats-plugins
  libxcb1-dev xvfb xauth imagemagick poppler-utils openssl
  # The picture reader learns its digits from these faces.
  fonts-dejavu-core fonts-dejavu-extra fonts-crosextra-carlito fonts-liberation2 fonts-freefont-ttf
  fonts-adf-baskervald fonts-adf-romande fonts-adf-switzera fonts-adf-universalis fonts-adf-verana
  fonts-adf-gillius fonts-cabin fonts-clear-sans fonts-inter fonts-karla fonts-manrope fonts-paratype
  fonts-century-catalogue fonts-fanwood fonts-goudybookletter fonts-cardo fonts-cmu fonts-vollkorn
  fonts-oldstandard fonts-quattrocento fonts-stix fonts-yrsa-rasa fonts-roboto-slab fonts-oxygen
  fonts-junction fonts-tuffy fonts-opendin fonts-b612 fonts-sil-andika fonts-yanone-kaffeesatz
  fonts-courier-prime fonts-hack fonts-inconsolata fonts-jetbrains-mono fonts-ocr-b
  fonts-league-spartan fonts-sora fonts-play fonts-jura fonts-quicksand
  # The picture reader learns from the first of these faces too; the benchmark's photos use them all
  # (tuning part) ...
  fonts-urw-base35 fonts-texgyre fonts-noto-core fonts-cantarell fonts-lato fonts-open-sans
  fonts-roboto-unhinted fonts-croscore
  # ... and faces no reader may learn from (held-out part, and the accuracy benchmark's unknown faces).
  fonts-linuxlibertine fonts-ebgaramond fonts-crosextra-caladea fonts-go fonts-sil-charis
  fonts-adf-accanthis fonts-bebas-neue
  desktop-file-utils appstream libxml2-utils xdg-utils shared-mime-info libglib2.0-bin dpkg-dev file
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
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
