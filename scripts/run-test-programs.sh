#!/usr/bin/env bash
# Runs every test program of the native and the Windows build (the Windows ones
# under Wine), prints each program's summary and a total, and exits non-zero
# on any failure. Expects the builds to be made (scripts/build.sh).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZELVAR_BUILD_DIR:-$root/build}
logs="$build/test-logs"
mkdir -p "$logs"
# shellcheck source=wine-session.sh
. "$root/scripts/wine-session.sh"

passed=0
failed=0
broken=()

# Runs one GoogleTest program and adds up its counts.
run_program() {
  local name=$1 limit=$2
  shift 2
  local log="$logs/${name////_}.log"
  echo "== $name"
  timeout --kill-after=10 "$limit" "$@" --gtest_brief=1 >"$log" 2>&1
  local status=$?
  local ok bad
  ok=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -1)
  bad=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -1)
  grep -E '^\[  (FAILED|PASSED)  \]|^\[==========\]|Failure|error:|runtime error|ERROR: AddressSanitizer' "$log" | sed 's/^/   /' | head -40
  passed=$((passed + ${ok:-0}))
  failed=$((failed + ${bad:-0}))
  if [ $status -ne 0 ] && [ -z "${bad}" ]; then
    echo "   $name ended with status $status before its summary (see $log)"
    tail -20 "$log" | sed 's/^/   | /'
    failed=$((failed + 1))
  fi
  if [ $status -ne 0 ]; then broken+=("$name"); fi
}

for program in "$build"/native/bin/*_tests; do
  [ -x "$program" ] || continue
  run_program "native/$(basename "$program")" 600 "$program"
done

zelvar_session_start "$build" || exit 1
trap zelvar_session_stop EXIT

for kind in unit win32 e2e; do
  if [ $kind = e2e ]; then zelvar_window_management managed; else zelvar_window_management unmanaged; fi
  for program in "$build"/windows/bin/*_"$kind"_tests.exe; do
    [ -f "$program" ] || continue
    cd "$build/windows/bin" || exit 1
    run_program "windows/$(basename "$program")" 900 wine "$program"
    cd "$root" || exit 1
  done
done

zelvar_session_stop
trap - EXIT

echo
if [ ${#broken[@]} -gt 0 ]; then echo "Failing programs: ${broken[*]}"; fi
echo "Total: $passed passed, $failed failed"
[ $failed -eq 0 ] && [ ${#broken[@]} -eq 0 ]
