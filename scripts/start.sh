#!/usr/bin/env bash
# Starts the explorer: installs what is missing, builds, and runs zelvar.exe
# under Wine. With a display (DISPLAY set) the explorer opens there and this
# script ends when the explorer is closed. Without one it runs on a private
# Xvfb: the script waits for the first finished picture, saves a screenshot
# to the build folder, says where, and ends the explorer again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZELVAR_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

bin="$build/windows/bin"
# shellcheck source=wine-session.sh
. "$root/scripts/wine-session.sh"
zelvar_session_start "$build/windows"
trap zelvar_session_stop EXIT
cd "$bin"

if [ -z "$ZELVAR_SESSION_HEADLESS" ]; then
  echo "Starting Zelvar on display $DISPLAY"
  wine zelvar.exe
  exit 0
fi

echo "No display is set: Zelvar runs on a virtual screen ($DISPLAY) for a screenshot."
wine zelvar.exe >/dev/null 2>&1 &
explorer=$!
status=0
if wine zelvar_status.exe Done 120 >/dev/null; then
  screenshot="$build/zelvar-screenshot.png"
  import -window root "$screenshot"
  echo "The first picture is finished. Screenshot: $screenshot"
else
  echo "The explorer did not finish its first picture in time." >&2
  status=1
fi
kill "$explorer" 2>/dev/null || true
wait "$explorer" 2>/dev/null || true
exit $status
