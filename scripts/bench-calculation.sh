#!/usr/bin/env bash
# Builds the Windows benchmark of a calculation's overhead (and only what it
# needs) and runs it under Wine, on the display or on a private Xvfb.
#   scripts/bench-calculation.sh [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Made absolute: Wine takes its prefix, inside the build folder, only so.
build=$(realpath -m "${ZELVAR_BUILD_DIR:-$root/build}")

cmake -S "$root" --preset windows -B "$build/windows" >/dev/null
cmake --build "$build/windows" -j "$(nproc)" --target calculation_overhead_bench >/dev/null

echo "Processor: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)"
exec "$root/scripts/wine-run.sh" "$build/windows/bin/calculation_overhead_bench.exe" "$@"
