#!/usr/bin/env bash
# Installs, with apt-get, the packages of a list that the machine does not
# have yet.
#   install-deps.sh start   what building and starting zelvar.exe needs
#   install-deps.sh all     that and what the tests and benchmarks need
#                           (the default)
#   install-deps.sh fuzz    what scripts/fuzz-location.sh needs
set -euo pipefail

# Building zelvar.exe: CMake, Ninja, the host's compiler for the tools that
# draw the resource bitmaps, Boost's headers, MinGW-w64 and its zlib.
# Running it: Wine; on a virtual screen, Xvfb, xdpyinfo to wait for it,
# xdotool to find the windows and ImageMagick for the screenshot.
start_packages=(
  cmake ninja-build g++
  libboost-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev
  wine wine64
  xvfb x11-utils xdotool imagemagick
)
# The tests and benchmarks: GoogleTest, Google Benchmark, MPFR and zlib for
# the native tests, POV-Ray to render an export, and the rest of the tools
# the test scripts use.
test_packages=(
  make
  googletest libbenchmark-dev
  libmpfr-dev zlib1g-dev
  mingw-w64-tools
  xauth
  povray
  procps
)

# The fuzzer: clang with libFuzzer and the sanitizers' runtime.
fuzz_packages=(clang libclang-rt-dev)

case "${1:-all}" in
start) packages=("${start_packages[@]}") ;;
all) packages=("${start_packages[@]}" "${test_packages[@]}") ;;
fuzz) packages=("${fuzz_packages[@]}") ;;
*)
  echo "usage: $0 [start|all|fuzz]" >&2
  exit 2
  ;;
esac

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
