#!/usr/bin/env bash
# Assembles build/mingw/demo/Thermadex: a copy of the installed dist/Thermadex
# with the simulated hardware in place (the display simulator as hidapi.dll,
# the sensor simulator in both companion folders). Needs the app and tools
# components installed (cmake --install build/mingw --component app|tools).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
DEMO=build/mingw/demo/Thermadex
rm -rf build/mingw/demo
mkdir -p "$DEMO"
cp -r dist/Thermadex/. "$DEMO/"
cp dist/tools/display-simulator/hidapi.dll "$DEMO/"
for folder in HardwareMonitor HardwareMonitorWin7; do
  mkdir -p "$DEMO/$folder"
  cp dist/tools/sensor-simulator/OpenHardwareMonitorServer.exe "$DEMO/$folder/"
done
echo "$DEMO"
