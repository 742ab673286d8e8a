#!/usr/bin/env bash
# Fuzzes the reading of location files natively with libFuzzer, under
# AddressSanitizer and UBSan: builds tests/fuzz/location_file_fuzz.cpp with
# clang and runs it for RUNS mutated inputs (a million unless told), starting
# from the seed corpus in tests/fuzz/location_corpus with the words of
# tests/fuzz/location.dict. It is run by hand; scripts/test.sh and CTest never
# run it.
#   scripts/fuzz-location.sh [RUNS]
# The inputs it finds are kept in build/fuzz/corpus for the next run; a crash
# leaves its input in build/fuzz as crash-*, and the script exits non-zero.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${ZELVAR_BUILD_DIR:-$root/build}/fuzz
runs=${1:-1000000}
mkdir -p "$out/corpus"
"$root/scripts/install-deps.sh" fuzz

clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -Wall -Wextra -Wshadow -Werror -ffp-contract=off -I"$root" \
  "$root/tests/fuzz/location_file_fuzz.cpp" \
  "$root/engine/location.cpp" "$root/engine/location_file.cpp" \
  "$root/engine/decimal_text.cpp" "$root/engine/number_text.cpp" "$root/engine/plain_text.cpp" \
  -o "$out/location_file_fuzz"

cd "$out"
./location_file_fuzz -runs="$runs" -max_len=8192 -dict="$root/tests/fuzz/location.dict" -print_final_stats=1 \
  corpus "$root/tests/fuzz/location_corpus"
