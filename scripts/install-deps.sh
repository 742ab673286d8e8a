#!/usr/bin/env bash
# Installs, with apt-get, whatever the build, the program and its tests need
# and the machine does not have yet.
set -euo pipefail

packages=(
  cmake ninja-build g++ make
  googletest libbenchmark-dev
  libboost-dev libmpfr-dev zlib1g-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64 libz-mingw-w64-dev
  wine wine64
  xvfb xauth x11-utils xdotool imagemagick
  povray
  procps
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Some packages are missing and installing them needs root: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
