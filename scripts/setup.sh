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
else
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The Flash runtime that plays the Flash player object's movies, fetched once into
# third_party/ruffle (not kept in git). Without it everything still builds and runs; Flash objects
# then show their "not installed" message.
ruffle_version=0.6.0
ruffle_dir="$(cd "$(dirname "$0")/.." && pwd)/third_party/ruffle"
if [ -f "$ruffle_dir/ruffle.js" ] && grep -q "\"version\":\"$ruffle_version\"" "$ruffle_dir/package.json" 2>/dev/null; then
  echo "setup: Flash runtime $ruffle_version present"
elif ! command -v npm >/dev/null 2>&1; then
  echo "setup: npm not found; the Flash runtime is not installed"
else
  work="$(mktemp -d)"
  if (cd "$work" && timeout 300 npm pack --silent "@ruffle-rs/ruffle@$ruffle_version" >/dev/null 2>&1) &&
    tar -xzf "$work"/ruffle-rs-ruffle-"$ruffle_version".tgz -C "$work"; then
    rm -rf "$ruffle_dir"
    mkdir -p "$(dirname "$ruffle_dir")"
    mv "$work/package" "$ruffle_dir"
    echo "setup: Flash runtime $ruffle_version fetched into third_party/ruffle"
  else
    echo "setup: the Flash runtime could not be fetched (npm registry unreachable?); Flash objects will show their message"
  fi
  rm -rf "$work"
fi
