#!/usr/bin/env bash
# Installs what is missing, builds the Windows program, lays out dist/Thermadex
# and runs the program's core loop under Wine with both simulators: the
# companion sensor process and simulated displays. It prints, live, what each
# simulated display shows, unplugs one display half-way and plugs it in again.
# Then the toolkit's smoke window is shown for a few seconds (on a private Xvfb
# screen without a display of your own; screenshot in build/mingw/screenshot.png).
#
#   SECONDS_TO_RUN=N          how long the core loop runs (default 16)
#   DISPLAYS=N                how many simulated displays (default 2)
#   THERMADEX_USE_DISPLAY=1   show the window on your own $DISPLAY instead of Xvfb
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
RUN_FOR=${SECONDS_TO_RUN:-16}
DISPLAYS=${DISPLAYS:-2}

scripts/bootstrap.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$(nproc)"
cmake --install build/mingw --strip --component app >/dev/null
cmake --install build/mingw --strip --component tools >/dev/null
echo "installed: dist/Thermadex ($(ls dist/Thermadex | tr '\n' ' '))"

# The installed folder with the simulated hardware in place: the display
# simulator's hidapi.dll instead of the real one, the sensor simulator in the
# companion folders, and the core loop's console program beside them.
DEMO=build/mingw/demo/Thermadex
rm -rf build/mingw/demo
mkdir -p "$DEMO"
cp -r dist/Thermadex/. "$DEMO/"
cp dist/tools/core-harness/ThermadexCore.exe "$DEMO/"
cp dist/tools/display-simulator/hidapi.dll "$DEMO/"
for folder in HardwareMonitor HardwareMonitorWin7; do
  mkdir -p "$DEMO/$folder"
  cp dist/tools/sensor-simulator/OpenHardwareMonitorServer.exe "$DEMO/$folder/"
done
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

echo "== core loop with $DISPLAYS simulated display(s) for $RUN_FOR s =="
"$WINE" "$SIMULATOR" run --displays "$DISPLAYS" --version 0x0105 --seconds $((RUN_FOR + 4)) &
pids+=($!)
monitor=$!
sleep 1
"$WINE" "$DEMO/ThermadexCore.exe" --seconds "$RUN_FOR" &
pids+=($!)
core=$!
sleep $((RUN_FOR / 2))
"$WINE" "$SIMULATOR" unplug "$DISPLAYS"
sleep 3
"$WINE" "$SIMULATOR" plug "$DISPLAYS"
wait "$core" || true
echo "last feature reports the displays received:"
"$WINE" "$SIMULATOR" reports 6 || true
wait "$monitor" || true

# The toolkit's smoke window stands in until the program's own window exists.
echo "== toolkit smoke window =="
cp dist/tools/LumoSmoke.exe dist/Thermadex/
"$WINE" dist/Thermadex/LumoSmoke.exe 8 &
app=$!
pids+=($app)
sleep 4
if [ -f "$STATE/fb/Xvfb_screen0" ]; then
  convert "xwd:$STATE/fb/Xvfb_screen0" build/mingw/screenshot.png && echo "screenshot: build/mingw/screenshot.png"
fi
wait "$app"
rm -f dist/Thermadex/LumoSmoke.exe
