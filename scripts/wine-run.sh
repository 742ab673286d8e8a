#!/usr/bin/env bash
# Runs one Windows program under Wine in the build's private prefix, on the
# display or, with none, on a private Xvfb; ends what it started.
#   scripts/wine-run.sh PROGRAM.exe [ARGUMENTS...]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Made absolute: Wine takes its prefix, inside the build folder, only so.
build=$(realpath -m "${ZELVAR_BUILD_DIR:-$root/build}")
# shellcheck source=wine-session.sh
. "$root/scripts/wine-session.sh"
zelvar_session_start "$build/windows" || exit 1
trap zelvar_session_stop EXIT
program=$1
shift
cd "$(dirname "$program")" && wine "$(basename "$program")" "$@"
