#!/usr/bin/env bash
# Installs everything the builds and tests need on a fresh Debian machine.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  # Wine, and a display with a Japanese font for the dialog tests
  wine wine64 xvfb xauth fonts-ipafont-gothic
  libopenimageio-dev openimageio-tools
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  # A mirror that is mid-sync fails one index now and then; the rest are enough.
  $SUDO apt-get update -qq || $SUDO apt-get update -qq || true
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

