#!/usr/bin/env bash
# Steady-state cost of the running program under Wine: the installed
# Thermadex.exe with the simulated companion and two simulated displays runs
# for SECONDS (default 60) with its window hidden and then as long again with
# it shown. For each phase it prints the process's CPU time as a share of one
# core (from Linux's /proc: Wine's GetProcessTimes for another process is not
# reliable), its peak working set (GetProcessMemoryInfo) and the paints per
# second (BeginPaint calls of the process, counted with Wine's relay channel
# restricted to that one function).
#
# Run after a build: bench/app/measure-program.sh [SECONDS]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$ROOT"
PHASE=${1:-60}
cmake --install build/mingw --component app >/dev/null
cmake --install build/mingw --component tools >/dev/null
DEMO=$(scripts/demo-folder.sh)
STATE=build/mingw/wine
scripts/wine-session.sh start "$STATE"
eval "$(scripts/wine-session.sh env "$STATE")"
WINE=/usr/lib/wine/wine64
CTL=dist/tools/thermadex-ctl/ThermadexCtl.exe
SIM=dist/tools/display-simulator/DisplaySimulator.exe
export THERMADEX_DISPLAY_SIM=ThermadexMeasure
RELAY_LOG=$(mktemp)
pids=()
cleanup() {
  "$WINE" reg delete 'HKCU\Software\Wine\Debug' /v RelayInclude /f >/dev/null 2>&1 || true
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -f "$RELAY_LOG"
}
trap cleanup EXIT

"$WINE" reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ /d 'user32.BeginPaint' /f >/dev/null
"$WINE" "$SIM" run --displays 2 --seconds $((PHASE * 2 + 60)) >/dev/null &
pids+=($!)
sleep 1
WINEDEBUG=+relay "$WINE" "$DEMO/Thermadex.exe" 2>"$RELAY_LOG" &
app=$!
pids+=($app)
"$WINE" "$CTL" wait 30 >/dev/null
sleep 10 # start-up and the first refreshes

stat() { "$WINE" "$CTL" stats | tr -d '\r'; }
# The same process seen by Linux: user + system clock ticks of all its threads.
linux_ticks() {
  local pid
  pid=$(pgrep -f 'demo/Thermadex/Thermadex.exe' | head -n1)
  awk '{ print $14 + $15 }' "/proc/$pid/stat"
}
field() { sed -n "s/.*$1=\([0-9]*\).*/\1/p" <<<"$2"; }
paints() { grep -c 'Call user32.BeginPaint' "$RELAY_LOG" || true; }

measure() { # name
  local after p0 p1 t0 t1 cpu
  t0=$(linux_ticks)
  p0=$(paints)
  sleep "$PHASE"
  after=$(stat)
  t1=$(linux_ticks)
  p1=$(paints)
  cpu=$(((t1 - t0) * 1000 / $(getconf CLK_TCK)))
  printf '%-7s %3ss: CPU %6d ms = %5.2f %% of one core, peak working set %6d KiB, %5.2f paints/s\n' \
    "$1" "$PHASE" "$cpu" "$(awk "BEGIN { print $cpu / ($PHASE * 10) }")" "$(field peak_working_set_kib "$after")" \
    "$(awk "BEGIN { print ($p1 - $p0) / $PHASE }")"
}

measure hidden
"$WINE" "$CTL" show
sleep 3
measure shown
"$WINE" "$CTL" close
wait "$app" || true
