#!/usr/bin/env bash
# Builds the native test build (Linux, with sanitizers) and the Windows build
# (MinGW-w64) with all their tests into build/native and build/windows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZELVAR_BUILD_DIR:-$root/build}
jobs=$(nproc)

# The presets of CMakePresets.json; -B puts each build into $build.
cmake -S "$root" --preset native -B "$build/native" >/dev/null
cmake --build "$build/native" -j "$jobs" "$@"

cmake -S "$root" --preset windows -B "$build/windows" >/dev/null
cmake --build "$build/windows" -j "$jobs" "$@"
