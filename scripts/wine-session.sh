# Sourced by the scripts that run Windows programs. zelvar_session_start gives
# them a display (a private Xvfb when none is set) and a private Wine prefix
# inside the Windows build folder, initialised once and reused;
# zelvar_session_stop ends what the start began, by process id.
# ZELVAR_SCREEN_DPI (96 unless set) is the DPI of the screen the programs
# start with: 120, 144 and 192 are 125, 150 and 200 %.

# zelvar_wine_environment WINDOWS_BUILD: the Wine settings that every program
# of that build runs with.
zelvar_wine_environment() {
  export WINEPREFIX="$1/wineprefix"
  export WINEARCH=win64
  export WINEDEBUG=-all
  # No Mono and no Gecko: the programs need neither, and nothing is downloaded.
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

# zelvar_session_start WINDOWS_BUILD [private]: with "private" a private Xvfb
# is started even when a display is set.
zelvar_session_start() {
  local build=$1 wanted=${2:-}
  zelvar_wine_environment "$build"
  ZELVAR_XVFB_PID=
  ZELVAR_WINESERVER_PID=

  if [ -z "${DISPLAY:-}" ] || [ "$wanted" = private ]; then
    # Xvfb picks a free display itself and writes its number to the file.
    local numberFile
    numberFile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberFile" </dev/null >/dev/null 2>&1 &
    ZELVAR_XVFB_PID=$!
    local waited=0
    until [ -s "$numberFile" ] && DISPLAY=":$(head -1 "$numberFile")" xdpyinfo >/dev/null 2>&1; do
      sleep 0.2
      waited=$((waited + 1))
      if [ $waited -gt 150 ]; then echo "Xvfb did not start" >&2; rm -f "$numberFile"; return 1; fi
    done
    export DISPLAY=":$(head -1 "$numberFile")"
    rm -f "$numberFile"
    ZELVAR_SESSION_HEADLESS=1
  else
    ZELVAR_SESSION_HEADLESS=
  fi

  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/.zelvar-ready" ]; then
    echo "Preparing the Wine prefix in $WINEPREFIX"
    # Set up to the end, and its server gone, before the session's own server
    # starts: a prefix still being set up restarts Wine's services under the
    # first programs, and every program after that waits ten seconds for COM.
    wineboot -i </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
    touch "$WINEPREFIX/.zelvar-ready"
  fi
  wineserver -p -f </dev/null >/dev/null 2>&1 &
  ZELVAR_WINESERVER_PID=$!
  zelvar_wait_for_server || return 1
  # Wine's services start with the session's first program and inherit its
  # output, which they hold open for as long as they run. Started here, with
  # none, they hold no pipe of whoever runs the first program: CTest would
  # otherwise wait on a test's output until the session ends, which it ends
  # only after that test.
  wine reg query 'HKCU\Control Panel\Desktop' </dev/null >/dev/null 2>&1 || true
  zelvar_window_management managed
  zelvar_screen_dpi "${ZELVAR_SCREEN_DPI:-96}"
}

# zelvar_wait_for_server: waits until the session's server listens on its
# socket, in the folder it works in. A Wine program started before that
# would start a server of its own, and the session's would give up. A server
# that ends at once has most likely met one that already runs for the
# prefix, which the session then uses.
zelvar_wait_for_server() {
  local waited=0
  until [ -S "$(readlink "/proc/$ZELVAR_WINESERVER_PID/cwd" 2>/dev/null)/socket" ]; do
    if ! zelvar_process_runs "$ZELVAR_WINESERVER_PID"; then
      echo "The session's Wine server ended at once; another may already run for $WINEPREFIX" >&2
      ZELVAR_WINESERVER_PID=
      return 0
    fi
    sleep 0.1
    waited=$((waited + 1))
    if [ $waited -gt 150 ]; then echo "The Wine server did not start" >&2; return 1; fi
  done
}

# zelvar_window_management managed|unmanaged. Without a window manager Wine
# waits two seconds for one at every top-level window it hides; the
# in-process tests, which make and destroy many windows, run faster when Wine
# manages the windows itself. The program and its end-to-end tests run
# managed, as on a user's desktop.
zelvar_window_management() {
  local marker="$WINEPREFIX/.zelvar-unmanaged"
  if [ "$1" = unmanaged ] && [ ! -f "$marker" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 && touch "$marker"
  elif [ "$1" = managed ] && [ -f "$marker" ]; then
    wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f </dev/null >/dev/null 2>&1 && rm -f "$marker"
  fi
}

# zelvar_screen_dpi DPI: the DPI of the screen for the programs started from
# now on, as the user's LogPixels setting (HKCU\Control Panel\Desktop); 96
# is the prefix's own, without that value. Wine reads it as each program
# starts, so its server need not restart; the programs already running, Wine's
# own services among them, keep the DPI they started with. A marker in the
# prefix holds the DPI set, so that it is written only when it changes, and
# so that whatever ends a run at another DPI, the next start or stop of a
# session puts 96 back.
zelvar_screen_dpi() {
  local marker="$WINEPREFIX/.zelvar-dpi" current=96
  if [ -f "$marker" ]; then current=$(cat "$marker"); fi
  if [ "$1" = "$current" ]; then return 0; fi
  if [ "$1" = 96 ]; then
    wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f </dev/null >/dev/null 2>&1
    rm -f "$marker"
  else
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1 &&
      echo "$1" >"$marker"
  fi
}

# zelvar_process_runs PID: true while the process exists and has not ended.
# One that is not a child of this shell may stay a zombie for a while, until
# whoever inherited it collects it.
zelvar_process_runs() {
  local state
  state=$(sed -n 's/^State:[[:space:]]*\([A-Z]\).*/\1/p' "/proc/$1/status" 2>/dev/null)
  [ -n "$state" ] && [ "$state" != Z ] && [ "$state" != X ]
}

# zelvar_end_process PID: asks the process to end, waits for it a while and
# kills it if it is still there. The process need not be a child of this shell.
zelvar_end_process() {
  local pid=$1
  zelvar_process_runs "$pid" || return 0
  kill -TERM "$pid" 2>/dev/null || true
  for _ in $(seq 50); do zelvar_process_runs "$pid" || break; sleep 0.1; done
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

zelvar_session_stop() {
  local pid
  # The server ends every Windows process of the prefix first, Wine's own
  # services among them, which would otherwise outlive it.
  if [ -n "$ZELVAR_WINESERVER_PID" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  for pid in $ZELVAR_WINESERVER_PID $ZELVAR_XVFB_PID; do
    zelvar_end_process "$pid"
  done
  ZELVAR_WINESERVER_PID=
  ZELVAR_XVFB_PID=
}
