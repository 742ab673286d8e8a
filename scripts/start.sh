#!/usr/bin/env bash
# Starts the explorer: installs what is missing for it, builds zelvar.exe
# and the program that waits for its first picture (not the tests), and
# runs zelvar.exe under Wine. With a display (DISPLAY set) the explorer opens
# there and this script ends when the explorer is closed. Without one it runs
# on a private Xvfb: the script waits for the first finished picture, saves a
# screenshot of the frame and the Orbits window to the build folder, says
# where, and ends the explorer again. ZELVAR_SCREEN_DPI sets the DPI of the
# screen, 96 unless set: 144 is 150 %.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Made absolute: Wine takes its prefix, inside the build folder, only so.
build=$(realpath -m "${ZELVAR_BUILD_DIR:-$root/build}")
"$root/scripts/install-deps.sh" start
cmake -S "$root" --preset windows-start -B "$build/windows" >/dev/null
cmake --build "$build/windows" -j "$(nproc)" --target zelvar zelvar_status

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

# The part of the screen, WIDTHxHEIGHT+X+Y, that holds the frame and the
# Orbits window: the smallest rectangle around both windows.
program_area() {
  local left= top= right= bottom= title id geometry x y width height
  for title in 'Zelvar v2\.0' 'Orbits'; do
    id=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -1)
    [ -n "$id" ] || return 1
    geometry=$(xdotool getwindowgeometry --shell "$id") || return 1
    x=$(sed -n 's/^X=//p' <<<"$geometry")
    y=$(sed -n 's/^Y=//p' <<<"$geometry")
    width=$(sed -n 's/^WIDTH=//p' <<<"$geometry")
    height=$(sed -n 's/^HEIGHT=//p' <<<"$geometry")
    if [ -z "$left" ] || [ "$x" -lt "$left" ]; then left=$x; fi
    if [ -z "$top" ] || [ "$y" -lt "$top" ]; then top=$y; fi
    if [ -z "$right" ] || [ $((x + width)) -gt "$right" ]; then right=$((x + width)); fi
    if [ -z "$bottom" ] || [ $((y + height)) -gt "$bottom" ]; then bottom=$((y + height)); fi
  done
  echo "$((right - left))x$((bottom - top))+$left+$top"
}

echo "No display is set: Zelvar runs on a virtual screen ($DISPLAY) for a screenshot."
wine zelvar.exe >/dev/null 2>&1 &
explorer=$!
status=0
if wine zelvar_status.exe Done 120 >/dev/null; then
  screenshot="$build/zelvar-screenshot.png"
  if area=$(program_area); then
    import -window root -crop "$area" +repage "$screenshot"
  else
    echo "The explorer's windows were not found on the screen: the screenshot shows the whole screen." >&2
    import -window root "$screenshot"
  fi
  echo "The first picture is finished. Screenshot: $screenshot"
else
  echo "The explorer did not finish its first picture in time." >&2
  status=1
fi
kill "$explorer" 2>/dev/null || true
wait "$explorer" 2>/dev/null || true
exit $status
