#!/usr/bin/env bash
# Builds the native test build (Linux, with sanitizers) and the Windows build
# (MinGW-w64) into build/native and build/windows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZELVAR_BUILD_DIR:-$root/build}
jobs=$(nproc)

cmake -S "$root" -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build/native" -j "$jobs" "$@"

cmake -S "$root" -B "$build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build/windows" -j "$jobs" "$@"
