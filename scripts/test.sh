#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test with CTest: the native
# build's unit tests, then the Windows build's unit, Win32 and end-to-end
# tests under Wine. Each build ends with CTest's summary line; the script
# exits non-zero when any test fails. Test results for CI are written to
# test-results.xml (JUnit) in each build folder.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZELVAR_BUILD_DIR:-$root/build}
# Nothing here reads the terminal, and CI has none.
exec </dev/null
"$root/scripts/install-deps.sh" all || exit 1
"$root/scripts/build.sh" || exit 1

status=0
summaries=()
# run_ctest NAME BUILD [CTEST OPTIONS...]
run_ctest() {
  local name=$1 folder=$2
  shift 2
  echo
  echo "== $name"
  ctest --test-dir "$folder" --output-on-failure --output-junit test-results.xml "$@" | tee "$folder/ctest.log"
  local result=${PIPESTATUS[0]}
  [ "$result" -eq 0 ] || status=1
  local summary
  summary=$(grep -E '^[0-9]+% tests passed' "$folder/ctest.log" | tail -1)
  summaries+=("$name: ${summary:-no summary, ctest ended with status $result}")
}

run_ctest "Native build (AddressSanitizer and UBSan)" "$build/native" -j "$(nproc)"
# One Wine session and one screen: the Windows tests run one at a time.
run_ctest "Windows build (under Wine)" "$build/windows"

echo
printf '%s\n' "${summaries[@]}"
exit $status
