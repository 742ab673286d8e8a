#!/usr/bin/env bash
# Measures the processor time of the explorer's user-interface thread while
# it waits: for a calculation to stop after a zoom was given, and for an
# orbit export to be written. bench/waiting_cpu.cpp drives the explorer and
# marks the start and end of each wait; this script reads the thread's time
# from /proc at each mark. It also shows how long Stop takes to show
# "Cancelled" at the largest limit.
#   scripts/bench-waiting.sh [ZELVAR_EXE]   (the build's zelvar.exe unless given)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Made absolute: Wine takes its prefix, inside the build folder, only so.
build=$(realpath -m "${ZELVAR_BUILD_DIR:-$root/build}")
cmake -S "$root" --preset windows -B "$build/windows" >/dev/null
cmake --build "$build/windows" -j "$(nproc)" --target zelvar waiting_cpu >/dev/null

# shellcheck source=wine-session.sh
. "$root/scripts/wine-session.sh"
zelvar_session_start "$build/windows" private || exit 1
trap zelvar_session_stop EXIT

echo "Processor: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)"
ticks=$(getconf CLK_TCK)
# The user and system time, in clock ticks, of one thread.
thread_ticks() { awk '{print $14 + $15}' "/proc/$1/task/$2/stat" 2>/dev/null || echo 0; }

cd "$build/windows/bin"
program=${1:-}
declare -A start_ticks start_time
wine waiting_cpu.exe ${program:+"$program"} | while read -r word phase edge; do
  edge=${edge%$'\r'}
  case "$word" in
  mark)
    # The explorer's process; its first thread is the user-interface thread.
    pid=$(pgrep -x zelvar.exe | head -1)
    now=$(date +%s.%N)
    used=$(thread_ticks "$pid" "$pid")
    if [ "$edge" = begin ]; then
      start_ticks[$phase]=$used
      start_time[$phase]=$now
    else
      awk -v phase="$phase" -v t0="${start_time[$phase]}" -v t1="$now" -v u0="${start_ticks[$phase]}" \
        -v u1="$used" -v hz="$ticks" 'BEGIN {
          wall = t1 - t0; cpu = (u1 - u0) / hz
          printf "%-7s %6.2f s of wall time, user-interface thread %5.2f s of processor time (%3.0f %%)\n",
            phase, wall, cpu, 100 * cpu / wall }'
    fi
    ;;
  stop) echo "Stop to \"Cancelled\": $phase $edge" ;;
  esac
done
