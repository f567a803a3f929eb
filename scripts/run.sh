#!/usr/bin/env bash
# Installs what is missing, builds the Windows program, lays out dist/Thermadex
# and runs the real Thermadex.exe from it under Wine with both simulators: the
# companion sensor process in its companion folder and simulated displays as
# its hidapi.dll. It prints, live, what each simulated display shows, opens the
# corner window through the tray callback (screenshot in
# build/mingw/screenshot.png), unplugs one display half-way and plugs it in
# again, and ends the program normally.
#
#   SECONDS_TO_RUN=N          how long the program runs (default 20)
#   DISPLAYS=N                how many simulated displays (default 2)
#   THERMADEX_USE_DISPLAY=1   show the window on your own $HOST_DISPLAY instead of Xvfb
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
RUN_FOR=${SECONDS_TO_RUN:-20}
DISPLAYS=${DISPLAYS:-2}

scripts/bootstrap.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$(nproc)"
cmake --install build/mingw --strip --component app >/dev/null
cmake --install build/mingw --strip --component tools >/dev/null
echo "installed: dist/Thermadex ($(ls dist/Thermadex | tr '\n' ' '))"

DEMO=$(scripts/demo-folder.sh)
echo "demo folder: $DEMO"

STATE=build/mingw/wine
scripts/wine-session.sh start "$STATE"
eval "$(scripts/wine-session.sh env "$STATE")"
if [ "${THERMADEX_USE_DISPLAY:-0}" = 1 ] && [ -n "${HOST_DISPLAY:-}" ]; then export DISPLAY="$HOST_DISPLAY"; fi
WINE=/usr/lib/wine/wine64
SIMULATOR=dist/tools/display-simulator/DisplaySimulator.exe
export THERMADEX_DISPLAY_SIM=ThermadexDemo

pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done' EXIT

CTL=dist/tools/thermadex-ctl/ThermadexCtl.exe
echo "== Thermadex with $DISPLAYS simulated display(s) for $RUN_FOR s =="
"$WINE" "$SIMULATOR" run --displays "$DISPLAYS" --version 0x0105 --seconds $((RUN_FOR + 30)) &
pids+=($!)
monitor=$!
sleep 1
"$WINE" "$DEMO/Thermadex.exe" &
pids+=($!)
app=$!
"$WINE" "$CTL" wait 20
sleep 4
"$WINE" "$CTL" show # what a left press on the tray icon does
sleep 3
if [ -f "$STATE/fb/Xvfb_screen0" ]; then
  convert "xwd:$STATE/fb/Xvfb_screen0" build/mingw/screenshot.png && echo "screenshot: build/mingw/screenshot.png"
fi
sleep $((RUN_FOR / 2 - 7 > 0 ? RUN_FOR / 2 - 7 : 1))
"$WINE" "$SIMULATOR" unplug "$DISPLAYS"
sleep 3
"$WINE" "$SIMULATOR" plug "$DISPLAYS"
sleep $((RUN_FOR / 2 - 3 > 0 ? RUN_FOR / 2 - 3 : 1))
"$WINE" "$CTL" close # the normal shutdown: the companion is ended too
wait "$app" || true
echo "last feature reports the displays received:"
"$WINE" "$SIMULATOR" reports 6 || true
kill "$monitor" 2>/dev/null || true
