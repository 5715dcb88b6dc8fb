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
  # The packages and their checks
  dpkg-dev lintian help2man zip
  # a one-node Slurm cluster for the farm test
  slurm-wlm munge
  # The fuzz targets (libFuzzer) and the sanitizer runtimes of both compilers
  clang libclang-rt-14-dev libasan8 libubsan1 libtsan2
)

bash "$(dirname "$0")/install-packages.sh" "${packages[@]}"
