#!/usr/bin/env bash
# Installs every Debian package Menuvia needs to build, run and test. Safe to run again:
# packages already present are skipped, and nothing asks a question.
set -euo pipefail

packages=(
  build-essential g++ cmake ninja-build ccache pkg-config git
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  qt6-pdf-dev qt6-webengine-dev qt6-svg-dev qt6-image-formats-plugins
  qt6-qpa-plugins
  libburn-dev libisofs-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-wine fonts-liberation2 fonts-dejavu-core
  xvfb xauth xdotool
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all ${#packages[@]} packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
