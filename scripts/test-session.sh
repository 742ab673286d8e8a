#!/usr/bin/env bash
# The Wine session in which CTest runs the Windows build's tests.
#   test-session.sh start WINDOWS_BUILD
#       starts a private Xvfb and the prefix's wineserver and notes the
#       display and both process ids (the wine_session setup fixture);
#   test-session.sh stop WINDOWS_BUILD
#       ends both by those process ids (the cleanup fixture);
#   test-session.sh run WINDOWS_BUILD PROGRAM [ARGUMENTS...]
#       runs a Windows program under Wine in that session (the build's
#       emulator). ZELVAR_WINE_WINDOWS=managed or unmanaged sets the window
#       management first, and ZELVAR_SCREEN_DPI the screen's DPI (96 unless
#       set; the tests at 150 % set 144).
# The tests always get a display of their own, whether or not one is set: they
# move the mouse, take the focus and read the screen.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=wine-session.sh
. "$root/scripts/wine-session.sh"

command=${1:-}
build=${2:-}
if [ -z "$command" ] || [ -z "$build" ]; then
  echo "usage: $0 start|stop|run WINDOWS_BUILD [PROGRAM ARGUMENTS...]" >&2
  exit 2
fi
state="$build/wine-session"

# The process id noted in FILE, if that process still runs the program NAME:
# an id left from a run long gone may belong to another process by now.
noted_process() {
  local pid
  pid=$(cat "$1" 2>/dev/null) || return 0
  case "$(cat "/proc/$pid/comm" 2>/dev/null)" in
  "$2"*) echo "$pid" ;;
  esac
}

case "$command" in
start)
  if [ -f "$state/xvfb.pid" ] || [ -f "$state/wineserver.pid" ]; then
    echo "Ending the session a previous run left behind"
    "$0" stop "$build"
  fi
  zelvar_session_start "$build" private || exit 1
  mkdir -p "$state"
  echo "$DISPLAY" >"$state/display"
  echo "$ZELVAR_XVFB_PID" >"$state/xvfb.pid"
  echo "$ZELVAR_WINESERVER_PID" >"$state/wineserver.pid"
  echo "Wine session on display $DISPLAY: Xvfb $ZELVAR_XVFB_PID, wineserver $ZELVAR_WINESERVER_PID"
  ;;
stop)
  zelvar_wine_environment "$build"
  ZELVAR_XVFB_PID=$(noted_process "$state/xvfb.pid" Xvfb)
  ZELVAR_WINESERVER_PID=$(noted_process "$state/wineserver.pid" wineserver)
  echo "Ending the Wine session: Xvfb ${ZELVAR_XVFB_PID:-none}, wineserver ${ZELVAR_WINESERVER_PID:-none}"
  # The prefix is left at 96 DPI, for the programs started outside the tests.
  if [ -n "$ZELVAR_WINESERVER_PID" ]; then
    DISPLAY=$(cat "$state/display" 2>/dev/null) zelvar_screen_dpi 96
  fi
  zelvar_session_stop
  rm -f "$state/display" "$state/xvfb.pid" "$state/wineserver.pid"
  ;;
run)
  if [ ! -s "$state/display" ]; then
    echo "No Wine session runs for $build: the wine_session fixture starts it (ctest runs it first)." >&2
    exit 1
  fi
  shift 2
  zelvar_wine_environment "$build"
  DISPLAY=$(cat "$state/display")
  export DISPLAY
  if [ -n "${ZELVAR_WINE_WINDOWS:-}" ]; then zelvar_window_management "$ZELVAR_WINE_WINDOWS"; fi
  zelvar_screen_dpi "${ZELVAR_SCREEN_DPI:-96}"
  exec wine "$@"
  ;;
*)
  echo "$0: unknown command $command" >&2
  exit 2
  ;;
esac
